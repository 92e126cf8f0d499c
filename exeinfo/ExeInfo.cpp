#include "exeinfo/ExeInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "exeinfo/VerInfo.h"
#include "platform/CodePages.h"
#include "platform/ProcessList.h"
#include "platform/SystemDlls.h"
#include "platform/ToolHelp.h"

namespace {

constexpr int kAddressBits = static_cast<int>(sizeof(void*) * 8);
// The ANSI ToolHelp module record of a 32-bit process; a 64-bit build has its own size.
constexpr DWORD kModuleEntrySize = sizeof(void*) == 4 ? 548 : sizeof(MODULEENTRY32);
static_assert(sizeof(MODULEENTRY32) == kModuleEntrySize, "MODULEENTRY32 layout");

constexpr DWORD kPsapiQueryAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
constexpr DWORD kPsapiEntries = 1024;

class ScopedHandle {
 public:
  ScopedHandle(HANDLE h, HANDLE invalid) : m_handle(h == invalid ? nullptr : h) {}
  ~ScopedHandle() {
    if (m_handle) CloseHandle(m_handle);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  explicit operator bool() const { return m_handle != nullptr; }
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

struct PsapiFunctions {
  BOOL(WINAPI* enumProcesses)(DWORD*, DWORD, DWORD*) = nullptr;
  BOOL(WINAPI* enumProcessModules)(HANDLE, HMODULE*, DWORD, DWORD*) = nullptr;
  DWORD(WINAPI* moduleFileName)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
  bool Available() const { return enumProcesses && enumProcessModules && moduleFileName; }
};

const PsapiFunctions& Psapi() {
  static const PsapiFunctions functions = [] {
    PsapiFunctions f;
    f.enumProcesses = SystemFunction<decltype(f.enumProcesses)>("psapi.dll", "EnumProcesses");
    f.enumProcessModules = SystemFunction<decltype(f.enumProcessModules)>("psapi.dll", "EnumProcessModules");
    f.moduleFileName = SystemFunction<decltype(f.moduleFileName)>("psapi.dll", "GetModuleFileNameExA");
    return f;
  }();
  return functions;
}

// Windows documents that a module snapshot may fail with ERROR_BAD_LENGTH while
// the process is loading or unloading modules, and should be retried.
HANDLE ModuleSnapshot(const ToolHelpFunctions& th, DWORD processId) {
  HANDLE snapshot = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 5; ++attempt) {
    snapshot = th.createSnapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH) break;
  }
  return snapshot;
}

class NoModuleSource : public ModuleSource {
 public:
  ModuleWalk Walk(uint32_t) override { return ModuleWalk(); }
  std::string ImagePath(uint32_t processId) override { return QueryProcessImagePath(processId); }
};

}  // namespace

bool ToolHelpAvailable() { return ToolHelp().createSnapshot != nullptr; }

bool PsapiAvailable() { return Psapi().Available(); }

// Process id 0 names no process the user can target; ToolHelp would read it as
// "this process" and list the program's own modules.
ModuleWalk ToolHelpModuleSource::Walk(uint32_t processId) {
  ModuleWalk walk;
  walk.rule = ExecutableRule::ByName;
  const ToolHelpFunctions& th = ToolHelp();
  if (processId == 0 || !th.createSnapshot || !th.moduleFirst || !th.moduleNext) return walk;

  const std::vector<ProcessEntry> processes = ListProcesses();
  const auto process = std::find_if(processes.begin(), processes.end(),
                                    [processId](const ProcessEntry& p) { return p.id == processId; });
  if (process == processes.end()) return walk;
  walk.processFound = true;
  // Compared with the modules' ANSI paths, as the system gave it.
  walk.processExeName = Utf8ToAnsi(process->exeFile);

  ScopedHandle modules(ModuleSnapshot(th, processId), INVALID_HANDLE_VALUE);
  if (!modules) return walk;
  walk.modulesListed = true;
  MODULEENTRY32 module;
  std::memset(&module, 0, sizeof module);
  module.dwSize = kModuleEntrySize;
  for (BOOL more = th.moduleFirst(modules.Get(), &module); more;
       more = th.moduleNext(modules.Get(), &module)) {
    module.szExePath[MAX_PATH - 1] = 0;
    ModuleEntry entry;
    entry.path = module.szExePath;
    entry.handle = reinterpret_cast<uintptr_t>(module.hModule);
    entry.addressBits = kAddressBits;
    walk.modules.push_back(std::move(entry));
  }
  return walk;
}

std::string ToolHelpModuleSource::ImagePath(uint32_t processId) {
  return QueryProcessImagePath(processId);
}

ModuleWalk PsapiModuleSource::Walk(uint32_t processId) {
  ModuleWalk walk;
  walk.rule = ExecutableRule::FirstModule;
  const PsapiFunctions& ps = Psapi();
  if (processId == 0 || !ps.Available()) return walk;

  DWORD ids[kPsapiEntries];
  DWORD bytes = 0;
  if (!ps.enumProcesses(ids, sizeof ids, &bytes)) return walk;
  DWORD count = std::min<DWORD>(bytes, sizeof ids) / sizeof ids[0];
  if (std::find(ids, ids + count, processId) == ids + count) return walk;

  ScopedHandle process(OpenProcess(kPsapiQueryAccess, FALSE, processId), nullptr);
  if (!process) return walk;
  walk.processFound = true;

  HMODULE handles[kPsapiEntries];
  DWORD needed = 0;
  if (!ps.enumProcessModules(process.Get(), handles, sizeof handles, &needed)) return walk;
  walk.modulesListed = true;
  // `needed` is what all modules would take, which can exceed the array.
  DWORD modules = std::min<DWORD>(needed, sizeof handles) / sizeof handles[0];
  for (DWORD i = 0; i < modules; ++i) {
    char path[MAX_PATH];
    DWORD length = ps.moduleFileName(process.Get(), handles[i], path, MAX_PATH);
    ModuleEntry entry;
    // Older systems leave a cut path without its terminating zero.
    entry.path.assign(path, std::min<DWORD>(length, MAX_PATH));
    entry.handle = reinterpret_cast<uintptr_t>(handles[i]);
    entry.addressBits = kAddressBits;
    walk.modules.push_back(std::move(entry));
  }
  return walk;
}

std::string PsapiModuleSource::ImagePath(uint32_t processId) {
  return QueryProcessImagePath(processId);
}

ModuleSource& ChooseModuleSource() {
  static ToolHelpModuleSource toolHelp;
  static PsapiModuleSource psapi;
  static NoModuleSource none;
  if (ToolHelpAvailable()) return toolHelp;
  if (PsapiAvailable()) return psapi;
  return none;
}

int LstrCompare(const char* a, const char* b) { return lstrcmpA(a, b); }

bool UpperSameFileName(const char* a, const char* b) {
  std::string x(a), y(b);
  if (x.size() != y.size()) return false;
  if (!x.empty()) {
    CharUpperBuffA(&x[0], static_cast<DWORD>(x.size()));
    CharUpperBuffA(&y[0], static_cast<DWORD>(y.size()));
  }
  return x == y;
}

ExecutableInfo ReadExecutableInfo(const std::string& path) {
  ExecutableInfo info;
  info.known = true;
  info.path = path;
  TVersionInformation version(path);
  info.hasVersion = !version.IsEmpty();
  if (info.hasVersion) {
    for (int i = 0; i < kVersionKeyCount; ++i) info.version[i] = version.GetValue(kVersionKeys[i]);
  }
  return info;
}

ProcessInfo LoadProcessInfoData(uint32_t processId, ModuleSource& source) {
  ProcessModules modules = CollectProcessModules(processId, source, LstrCompare, UpperSameFileName);
  ProcessInfo info;
  info.modules = std::move(modules.rows);
  if (modules.executableFound) info.executable = ReadExecutableInfo(modules.executablePath);
  return info;
}
