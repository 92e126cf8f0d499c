#pragma once
// The command line of the reports: which command, which window, which form.
// Options start with "/" or "-" and are matched regardless of letter case.
#include <string>
#include <vector>

#include "cli/CliAct.h"
#include "cli/CliEvents.h"
#include "cli/CliSnapshotArgs.h"
#include "platform/WindowSystem.h"

enum class CliCommand { None, Help, Report, List, Children, Style, Send, Select, Snapshot, Diff, Watch, Wait, Processes, Threads };
enum class CliSelector { Cursor, Window, Point, Find, Foreground, Selector };
enum class CliFormat { Text, Json };

struct CliRequest {
  CliCommand command = CliCommand::None;
  std::string file;  // empty or "-": standard output
  CliSelector selector = CliSelector::Cursor;
  std::string selectorText;  // the selector as given, for messages ("/find Notepad")
  Hwnd handle = 0;           // /window, /children
  WinPoint point;            // /point
  std::string findClass, findText;  // /find
  std::string select;  // /select: a selector, parsed when it is resolved
  bool all = false;    // /select /all, /processes /all
  uint32_t processId = 0;  // /threads
  CliFormat format = CliFormat::Text;
  int integerFormat = -1;  // /hex, /dec or /bin; -1: the saved setting
  CliActRequest act;       // /style, /send (cli/CliAct.h)
  bool details = false;    // /details: the text report ends with the Details section
  SnapshotCliRequest snapshot;  // /snapshot, /diff
  EventsCliRequest events;      // /watch, /wait
};

struct CliParse {
  bool ok = false;
  CliRequest request;
  std::string error;  // one line, for a request that is not ok
};

// True when the first argument names a command of the command line; the
// program then runs no window at all. Anything else starts the program as usual.
bool IsCliCommand(const std::vector<std::string>& args);

// args: the arguments after the program's name.
CliParse ParseCliArguments(const std::vector<std::string>& args);

// The arguments of /processes and /threads (args[0] is the command) into r;
// the error's line, or empty.
std::string ParseProcessArguments(const std::vector<std::string>& args, CliRequest& r);

// "X,Y" in screen coordinates, each a signed decimal number.
bool ParsePoint(const std::string& text, WinPoint& point);

std::string CliUsageText();
