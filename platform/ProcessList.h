#pragma once
// The running processes as the system lists them: the one source of the
// processes and of their executables' names for every view.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ProcessEntry {
  uint32_t id = 0;
  uint32_t parentId = 0;
  uint32_t threads = 0;
  std::string exeFile;  // the executable's file name, without its folder, in UTF-8
};

// One list of the running processes, in the system's order; empty where the
// system gives none.
std::vector<ProcessEntry> ListProcesses();

struct ThreadEntry {
  uint32_t id = 0;
  uint32_t processId = 0;
};

// Every thread of the system (ToolHelp), in the system's order.
std::vector<ThreadEntry> ListThreads();

// The full path of the process's image (QueryFullProcessImageNameA, in the
// ANSI code page); empty when the system lacks the call, or the process
// cannot be opened or has ended.
std::string QueryProcessImagePath(uint32_t processId);

// A process's executable file name (UTF-8): its image's name for the first
// `queriesBeforeListing` processes asked about (16 by default: a snapshot
// names many processes at once, a long recording few at a time and each for
// good), then from one list of the running processes, taken once and once
// more for a process it lacks; empty for a process neither gives.
std::function<std::string(uint32_t processId)> SystemExecutableNames(int queriesBeforeListing = 16);
