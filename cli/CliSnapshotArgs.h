#pragma once
// The command line of snapshots: /snapshot writes one, /diff compares two.
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "snapshot/SnapshotDiff.h"

struct SnapshotCliRequest {
  // /snapshot [FILE] [/window HANDLE | /select SELECTOR] [/details]
  std::string file;  // empty or "-": standard output
  Hwnd window = 0;   // 0: the desktop
  std::string windowText;  // "/window X" as given, for messages
  std::string select;      // /select: resolved when the command runs
  bool details = false;
  // /diff OLD NEW [/format text|json] [/ignore FIELD,...] [/tolerance N]
  std::string oldFile, newFile;
  bool json = false;
  DiffOptions diff;
};

// Reads the arguments after /snapshot or /diff (args[0] is that command);
// false with *error for a request that is not well formed.
bool ParseSnapshotArguments(const std::vector<std::string>& args, bool diff, SnapshotCliRequest& request,
                            std::string* error);

// The usage lines of the two commands, and what they do.
std::string SnapshotUsageText();
std::string SnapshotHelpText();
