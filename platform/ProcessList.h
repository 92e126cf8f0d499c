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

// A process's executable file name from one list of the running processes,
// taken at the first question and once more for a process it lacks; empty
// for a process in neither.
std::function<std::string(uint32_t processId)> SystemExecutableNames();
