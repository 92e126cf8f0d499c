#include "processes/SystemProcessSource.h"

#include <windows.h>

#include "platform/CodePages.h"
#include "platform/ProcessList.h"
#include "platform/SystemDlls.h"
#include "platform/WinConstants.h"
#include "platform/Win32WindowSystem.h"
#include "reading/DetailsReader.h"

namespace {

constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

// PROCESS_MEMORY_COUNTERS_EX, declared here so that no psapi header is needed.
struct MemoryCounters {
  DWORD cb;
  DWORD PageFaultCount;
  SIZE_T PeakWorkingSetSize, WorkingSetSize, QuotaPeakPagedPoolUsage, QuotaPagedPoolUsage,
      QuotaPeakNonPagedPoolUsage, QuotaNonPagedPoolUsage, PagefileUsage, PeakPagefileUsage, PrivateUsage;
};

using MemoryInfoFn = BOOL(WINAPI*)(HANDLE, MemoryCounters*, DWORD);

MemoryInfoFn MemoryInfo() {
  // kernel32 has it from Windows 7 on; older systems only in psapi.
  static const MemoryInfoFn fn = [] {
    MemoryInfoFn f = SystemFunction<MemoryInfoFn>("kernel32.dll", "K32GetProcessMemoryInfo");
    return f ? f : SystemFunction<MemoryInfoFn>("psapi.dll", "GetProcessMemoryInfo");
  }();
  return fn;
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

class SystemProcessSource final : public ProcessSource {
 public:
  std::vector<ProcessRecord> Processes() override {
    std::vector<ProcessRecord> out;
    for (ProcessEntry& p : ListProcesses()) out.push_back({p.id, p.parentId, std::move(p.exeFile)});
    return out;
  }
  std::vector<ThreadRecord> Threads() override {
    std::vector<ThreadRecord> out;
    for (const ThreadEntry& t : ListThreads()) out.push_back({t.id, t.processId});
    return out;
  }
  ProcessStats Stats(uint32_t processId) override {
    ProcessStats s;
    if (processId == 0) return s;
    s.path = AnsiToUtf8(QueryProcessImagePath(processId));
    const ProcessFacts facts = ReadProcessFacts(processId);
    if (facts.bitness.Known()) s.bits = static_cast<int>(facts.bitness.value);
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    // Before Vista the limited right is unknown.
    if (!process) process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) return s;
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
      s.hasTimes = true;
      s.startTime = Ticks(created);
      s.cpu100ns = Ticks(kernel) + Ticks(user);
    }
    MemoryCounters m = {};
    m.cb = sizeof m;
    if (MemoryInfo() && MemoryInfo()(process, &m, sizeof m)) {
      s.hasMemory = true;
      s.workingSet = m.WorkingSetSize;
      s.privateBytes = m.PrivateUsage;
    }
    CloseHandle(process);
    return s;
  }
  GuiState Gui(uint32_t threadId) override {
    GuiState g;
    const ThreadFacts t = ReadThreadFacts(threadId);
    if (!t.gui.Known()) return g;
    g.known = true;
    g.active = t.gui.value.active;
    g.focus = t.gui.value.focus;
    g.capture = t.gui.value.capture;
    return g;
  }
};

}  // namespace

std::unique_ptr<ProcessSource> MakeSystemProcessSource() { return std::make_unique<SystemProcessSource>(); }

Hung AskWhetherHung(Hwnd window) {
  const HWND h = ToHwnd(window);
  if (!h) return Hung::Unknown;
  DWORD_PTR result = 0;
  SetLastError(0);
  if (SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kGetTextTimeoutMs, &result)) {
    return Hung::No;
  }
  // A window destroyed meanwhile says nothing of its thread.
  return IsWindow(h) ? Hung::Yes : Hung::Unknown;
}
