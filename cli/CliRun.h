#pragma once
// What a command of the command line does, apart from where its output goes:
// find the window, gather its snapshot, render the report or the listing.
// The system comes in through the window seam and the functions below, so the
// whole run is also tested against an in-memory desktop.
#include <string>

#include "cli/CliArgs.h"
#include "relations/FindWin.h"
#include "relations/WindowRows.h"
#include "report/JsonReport.h"
#include "report/ReadingReport.h"
#include "selectors/DesktopSelectors.h"
#include "reading/Reading.h"

// Exit statuses.
constexpr int kCliOk = 0;
constexpr int kCliFailed = 1;
constexpr int kCliNoMatch = 2;
constexpr int kCliNotAllTaken = 3;  // /style: some change did not take
constexpr int kCliDiffers = 3;      // /diff: the snapshots differ
constexpr int kCliTimedOut = 4;     // /send: the window did not answer in time

struct CliEnvironment {
  const WindowSystem* ws = nullptr;
  // Their selectors part, where given, reads `ws` with `exeName`.
  ReadingSources sources;
  WinPoint cursor;      // GetCursorPos
  Hwnd foreground = 0;  // GetForegroundWindow
  // The saved settings the pages would use.
  DisplayOptions options;
  SortState sort;
  bool showSubchildren = false, digChildren = true;
  CellCompare compare = [](const std::string& a, const std::string& b) { return OrdinalCompare(a, b); };
  UpperCase upper = AsciiUpper;
  TextToUtf8 utf8 = Latin1ToUtf8;  // the executable's texts, for JSON
  // The arguments come in the ANSI code page, window texts in UTF-8: a /find
  // text is converted before it is looked for.
  TextToUtf8 argument = Latin1ToUtf8;
  // The text output's code page: the report and listing stay ANSI.
  TextToUtf8 ansi = Utf8ToLatin1;
  std::string title = "Tarvisk";
  ExeNameSource exeName;  // /select's executables; none: the exe of no window is known
};

struct CliOutcome {
  int status = kCliOk;
  std::string output;  // the report or listing; empty unless status is kCliOk
  std::string error;   // one line without its line end; empty when status is kCliOk
};

// The window a selector names, 0 when none matches. Not /select: RunCliRequest
// resolves it over the reading of the desktop that also gives the selectors.
Hwnd SelectTarget(const CliRequest& request, const CliEnvironment& env);

// The window probing picks at a screen point: the child of the window there
// that holds the point, or that window itself.
Hwnd ProbedWindowAt(const WindowSystem& ws, WinPoint screen);

// The windows in the format of /list.
std::vector<ListedWindow> ListedWindows(const WindowSystem& ws, const std::vector<Hwnd>& windows);

// Runs a parsed request (not Help, which needs no system at all): /report,
// /list, /children and /select.
CliOutcome RunCliRequest(const CliRequest& request, const CliEnvironment& env);
