#pragma once
// The two module sources of the system, the choice between them, and the fill
// of the Executable and Modules pages for one process.
#include <cstdint>
#include <string>

#include "exeinfo/ModuleList.h"
#include "exeinfo/ModuleSource.h"

// kernel32 exports CreateToolhelp32Snapshot.
bool ToolHelpAvailable();
// The process status library and its three entry points were found. The library
// is loaded from the system folder at the first call.
bool PsapiAvailable();

// The ToolHelp snapshot walk: the executable is the module named like the
// process list's executable.
class ToolHelpModuleSource : public ModuleSource {
 public:
  ModuleWalk Walk(uint32_t processId) override;
  std::string ImagePath(uint32_t processId) override;
};

// The process status walk: the first module is the executable.
class PsapiModuleSource : public ModuleSource {
 public:
  ModuleWalk Walk(uint32_t processId) override;
  std::string ImagePath(uint32_t processId) override;
};

// ToolHelp when present, else the process status library, else a source whose
// walk reaches nothing (the image path still answers).
ModuleSource& ChooseModuleSource();

// lstrcmpA, and file names equal once upper-cased with CharUpperBuffA.
int LstrCompare(const char* a, const char* b);
bool UpperSameFileName(const char* a, const char* b);

// Path, name and the ten version strings of one executable file.
ExecutableInfo ReadExecutableInfo(const std::string& path);

// What the Executable and Modules pages show for the process. An executable that
// nothing could tell leaves executable.known false: the page is cleared.
ProcessInfo LoadProcessInfoData(uint32_t processId, ModuleSource& source);
inline ProcessInfo LoadProcessInfoData(uint32_t processId) {
  return LoadProcessInfoData(processId, ChooseModuleSource());
}
