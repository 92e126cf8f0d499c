// The Processes window on a desktop of 5,000 top-level windows in 20
// processes of 50 threads each: its first fill and a refresh against a floor
// of the same ToolHelp and window calls in a plain loop (goal: at most 1.5
// times the floor), and what refreshing every second costs (goal: at most 5%
// of one core, this process's time; Wine's server works for it too).
//   processes_bench.exe            the benchmark
//   processes_bench.exe host       one process of the desktop (started by the benchmark)
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "platform/ProcessList.h"
#include "platform/Win32WindowSystem.h"
#include "processes/ProcessesWindow.h"
#include "settings/Settings.h"

namespace {

// The median of 5 rounds, in milliseconds.
template <typename F>
double BenchMs(F f) {
  std::vector<double> rounds;
  for (int i = 0; i < 5; ++i) {
    const double start = NowSeconds();
    f();
    rounds.push_back((NowSeconds() - start) * 1000.0);
  }
  return Median(rounds);
}

constexpr int kProcesses = 20, kThreads = 50, kWindowsPerThread = 5;
constexpr int kWindows = kProcesses * kThreads * kWindowsPerThread;

DWORD WINAPI HostThread(void* ready) {
  for (int i = 0; i < kWindowsPerThread; ++i) {
    CreateWindowExA(0, "BenchProcWindow", ("Window " + std::to_string(i)).c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                    nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ReleaseSemaphore(static_cast<HANDLE>(ready), 1, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

int Host() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BenchProcWindow";
  RegisterClassA(&wc);
  HANDLE ready = CreateSemaphoreA(nullptr, 0, kThreads, nullptr);
  // One thread at a time: Wine's display connections are made as each thread
  // makes its first window, and many at once have been seen to fail.
  for (int t = 0; t < kThreads; ++t) {
    CloseHandle(CreateThread(nullptr, 0, HostThread, ready, 0, nullptr));
    WaitForSingleObject(ready, 30000);
  }
  // The benchmark ends it.
  Sleep(INFINITE);
  return 0;
}

BOOL CALLBACK CountBench(HWND w, LPARAM count) {
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::strcmp(cls, "BenchProcWindow") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int BenchWindows() {
  int n = 0;
  EnumWindows(CountBench, reinterpret_cast<LPARAM>(&n));
  return n;
}

BOOL CALLBACK ReadOne(HWND w, LPARAM sink) {
  DWORD pid = 0;
  const DWORD tid = GetWindowThreadProcessId(w, &pid);
  wchar_t cls[256], text[256];
  GetClassNameW(w, cls, 256);
  GetWindowTextW(w, text, 256);
  const BOOL visible = IsWindowVisible(w);
  const LONG_PTR owner = GetWindowLongPtrA(w, GWLP_HWNDPARENT);
  *reinterpret_cast<uint64_t*>(sink) += tid + pid + cls[0] + text[0] + static_cast<uint64_t>(visible) +
                                        static_cast<uint64_t>(owner);
  return TRUE;
}

// The calls a listing of processes, threads and windows cannot do without, in
// a plain loop: both ToolHelp lists, every top-level window's ids, class,
// text, visibility and owner, and each process's image path and times.
double Floor() {
  return BenchMs([] {
    uint64_t sink = 0;
    std::vector<DWORD> ids;
    HANDLE s = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL more = Process32First(s, &pe); more; more = Process32Next(s, &pe)) ids.push_back(pe.th32ProcessID);
    CloseHandle(s);
    s = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 te = {};
    te.dwSize = sizeof te;
    for (BOOL more = Thread32First(s, &te); more; more = Thread32Next(s, &te)) sink += te.th32ThreadID;
    CloseHandle(s);
    EnumWindows(ReadOne, reinterpret_cast<LPARAM>(&sink));
    for (DWORD id : ids) {
      sink += QueryProcessImagePath(id).size();
      HANDLE p = OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */, FALSE, id);
      if (!p) continue;
      FILETIME a, b, c, d;
      GetProcessTimes(p, &a, &b, &c, &d);
      CloseHandle(p);
    }
    if (sink == 1) std::puts("");
  });
}

class BenchHost final : public ProcessesHost {
 public:
  HWND Owner() const override { return nullptr; }
  HWND CurrentTarget() const override { return target; }
  void Inspect(HWND) override {}
  void OpenThreadLog(HWND) override {}
  std::unique_ptr<SettingsStore> OpenSettings() const override {
    auto store = std::make_unique<MemorySettingsStore>();
    if (autoRefresh) {
      store->Set(kAppTitle, "ProcessesAutoRefresh", kRegSz, "1");
      store->Set(kAppTitle, "ProcessesInterval", kRegSz, "1");
    }
    return store;
  }
  HWND target = nullptr;
  bool autoRefresh = false;
};

uint64_t OwnCpu100ns() {
  FILETIME a, b, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &a, &b, &kernel, &user);
  const auto t = [](const FILETIME& f) { return (static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return t(kernel) + t(user);
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "host") == 0) return Host();
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::vector<PROCESS_INFORMATION> hosts;
  for (int i = 0; i < kProcesses; ++i) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = std::string("\"") + self + "\" host";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) continue;
    hosts.push_back(pi);
    const DWORD until = GetTickCount() + 60000;
    while (BenchWindows() < (i + 1) * kThreads * kWindowsPerThread && static_cast<int>(until - GetTickCount()) > 0) {
      Sleep(100);
    }
  }
  const DWORD deadline = GetTickCount() + 120000;
  while (BenchWindows() < kWindows && static_cast<int>(deadline - GetTickCount()) > 0) Sleep(200);
  const int made = BenchWindows();

  BenchHost host;
  host.target = FindWindowA("BenchProcWindow", nullptr);
  std::unique_ptr<ProcessesWindow> window;
  const double floor = Floor();
  // The first fill: a new window each time, opened on one thread of the desktop.
  std::vector<double> fills;
  for (int i = 0; i < 5; ++i) {
    window.reset();  // the last round's window goes outside the time taken
    window = std::make_unique<ProcessesWindow>(host);
    const double start = NowSeconds();
    window->Open();
    fills.push_back((NowSeconds() - start) * 1000.0);
  }
  const double fill = Median(fills);
  const double refresh = BenchMs([&] { window->Refresh(); });
  // Where a refresh's time goes: the system's two lists and the window list.
  const double processList = BenchMs([] { ListProcesses(); });
  const double threadList = BenchMs([] { ListThreads(); });
  const double windowList = BenchMs([] { Win32WindowSystem().TopLevelWindows(); });
  window.reset();

  host.autoRefresh = true;
  window = std::make_unique<ProcessesWindow>(host);
  window->Open();
  Pump(1000);
  const uint64_t cpu0 = OwnCpu100ns();
  const DWORD t0 = GetTickCount();
  Pump(10000);
  const double share = 100.0 * static_cast<double>(OwnCpu100ns() - cpu0) / 10000.0 / (GetTickCount() - t0);
  window.reset();

  std::printf("processes: %d windows in %d processes x %d threads\n", made, kProcesses, kThreads);
  std::printf("processes: floor (ToolHelp + windows in a plain loop) %.1f ms\n", floor);
  std::printf("processes: first fill %.1f ms (%.2fx the floor), refresh %.1f ms (%.2fx)\n", fill, fill / floor,
              refresh, refresh / floor);
  std::printf("processes: of which the process list %.1f ms, the thread list %.1f ms, the window list %.1f ms\n",
              processList, threadList, windowList);
  std::printf("processes: refreshing every second costs %.1f%% of one core (this process)\n", share);
  for (PROCESS_INFORMATION& pi : hosts) {
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return 0;
}
