#pragma once
// The command line of window events: /watch writes them as JSON lines, /wait
// waits for a window that a selector names.
#include <cstdint>
#include <string>
#include <vector>

#include "events/WindowEvent.h"

struct WatchRequest {
  std::string file;           // empty or "-": standard output
  int64_t forMs = -1;         // /for; -1: until stopped
  uint32_t kinds = kAllEventKinds;
  std::string select;         // /select: a selector the window as recorded must match
  std::string process;        // /process NAME|ID
};

enum class WaitCondition { Exists, Gone, Visible, Foreground };

struct WaitRequest {
  std::string selector;
  WaitCondition condition = WaitCondition::Exists;
  int64_t timeoutMs = 30000;  // 0: check once
};

struct EventsCliRequest {
  WatchRequest watch;
  WaitRequest wait;
};

// Read the arguments after /watch or /wait (args[0] is that command); false
// with *error for a request that is not well formed, or a selector that does
// not parse.
bool ParseWatchArguments(const std::vector<std::string>& args, WatchRequest& request, std::string* error);
bool ParseWaitArguments(const std::vector<std::string>& args, WaitRequest& request, std::string* error);

// "12", "0.5": whole milliseconds of a number of seconds; false for anything else.
bool ParseSeconds(const std::string& text, int64_t& ms);

std::string EventsUsageText();
std::string EventsHelpText();
