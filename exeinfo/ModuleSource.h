#pragma once
// Where the modules of a process come from: the ToolHelp snapshot functions or
// the process status library in the program, a scripted list in native tests.
// Kept free of <windows.h> so that the rules built on it are tested natively.
#include <cstdint>
#include <string>
#include <vector>

struct ModuleEntry {
  std::string path;     // full path; empty when it could not be read
  uint64_t handle = 0;  // module handle, that is its load address
  int addressBits = 32;  // of the program that walked it: the width the handle is shown in
};

// How a walk tells the executable among the modules.
enum class ExecutableRule {
  ByName,       // a module whose file name equals the process entry's executable name
  FirstModule,  // the first module (and, by name, any later one named like it)
};

struct ModuleWalk {
  bool processFound = false;   // the process exists and could be opened
  bool modulesListed = false;  // its module list could be read
  ExecutableRule rule = ExecutableRule::ByName;
  std::string processExeName;        // ByName: the process entry's executable name
  std::vector<ModuleEntry> modules;  // in the order the walk met them
};

class ModuleSource {
 public:
  virtual ~ModuleSource() = default;
  // One pass over the modules of the process.
  virtual ModuleWalk Walk(uint32_t processId) = 0;
  // The executable's path asked of the process itself, for when the walk could
  // not reach it (a 64-bit process seen from this 32-bit program); empty when
  // that fails too.
  virtual std::string ImagePath(uint32_t processId) = 0;
};
