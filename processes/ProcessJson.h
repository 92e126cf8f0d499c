#pragma once
// /processes and /threads: the process tree as lines of text or as JSON
// (docs/tarvisk-processes.schema.json).
#include <string>

#include "processes/ProcessModel.h"

// One line per process: its id, name, bitness, counts, and each thread's id
// with its number of windows.
std::string ProcessesText(const ProcessTree& tree);
std::string ProcessesJson(const ProcessTree& tree);
// One line per thread of the process with its windows' handles; the process
// must be in the tree.
std::string ThreadsText(const ProcessNode& process);
std::string ThreadsJson(const ProcessNode& process);
