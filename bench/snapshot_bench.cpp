// A snapshot of the relations benchmark's desktop of 5,000 windows beside its
// floor: the same enumeration and the same per-window queries in a plain loop,
// without writing anything. The windows live in another process, as the
// windows a snapshot is taken of do, and then in this one, where the queries
// are cheapest and the writing weighs most. Also the private memory the
// snapshot adds against the size of the file it writes.
//   snapshot_bench [runs]
#include <windows.h>

#include <psapi.h>

#include "bench/BenchClock.h"
#include "bench/BenchDesktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Win32WindowSystem.h"
#include "snapshot/DesktopSnapshot.h"

namespace {

// What a snapshot reads of one window, straight from user32.
DWORD WindowQueries(HWND w, HWND parent, bool child) {
  static wchar_t buffer[kTextBufferSize];
  GetTextWithTimeoutW(w, buffer, kTextBufferSize);
  GetClassNameW(w, buffer, kTextBufferSize);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  for (int index : {GWLP_ID, GWL_STYLE, GWL_EXSTYLE}) GetWindowLongPtrA(w, index);
  RECT r, c;
  GetWindowRect(w, &r);
  if (child) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(w, &c);
  return pid;
}

BOOL CALLBACK Collect(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

// The floor: the desktop enumerated the way the snapshot does, each window
// queried, the process list taken once.
size_t Floor() {
  size_t windows = 1;
  WindowQueries(GetDesktopWindow(), nullptr, false);
  const auto names = SystemExecutableNames();
  std::vector<HWND> tops;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&tops));
  std::vector<HWND> children;
  for (HWND top : tops) {
    names(WindowQueries(top, nullptr, false));
    children.clear();
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND c : children) WindowQueries(c, GetParent(c), true);
    windows += 1 + children.size();
  }
  return windows;
}

SIZE_T PrivateBytes(bool peak) {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  // Wine leaves PrivateUsage 0; the page-file usage is the same private commit.
  return peak ? pmc.PeakPagefileUsage : std::max(pmc.PrivateUsage, pmc.PagefileUsage);
}

long long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Snapshot and floor in turns; medians of each.
void Measure(const char* where, int runs, const std::string& file) {
  Win32WindowSystem ws;
  std::vector<double> snap, floor;
  size_t windows = 0;
  for (int i = 0; i < runs; ++i) {
    Pump();
    double t = NowSeconds();
    windows = Floor();
    floor.push_back(NowSeconds() - t);
    Pump();
    t = NowSeconds();
    std::string error;
    if (!SaveSnapshotFile(ws, file, 0, false, &error)) std::printf("snapshot failed: %s\n", error.c_str());
    snap.push_back(NowSeconds() - t);
  }
  const double s = Median(snap) * 1000, f = Median(floor) * 1000;
  std::printf("%s: %zu windows, snapshot %.1f ms, floor %.1f ms, ratio %.2f (median of %d)\n", where, windows, s,
              f, s / f, runs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "host") == 0) {
    // The desktop in a process of its own, until the benchmark closes stdin.
    std::vector<HWND> frames = MakeBenchDesktop();
    Pump();
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
      MSG msg;
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      }
      if (WaitForSingleObject(GetStdHandle(STD_INPUT_HANDLE), 0) == WAIT_OBJECT_0) {
        char c;
        DWORD got = 0;
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &got, nullptr) || got == 0) break;
      }
    }
    return 0;
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "tarvisk-snapshot-bench.json";

  // The host process, its stdin a pipe whose end tells it to go.
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
  CreatePipe(&inRead, &inWrite, &sa, 0);
  CreatePipe(&outRead, &outWrite, &sa, 0);
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" host";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = inRead;
  si.hStdOutput = outWrite;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("could not start the host\n");
    return 1;
  }
  CloseHandle(inRead);
  CloseHandle(outWrite);
  char line[16] = {};
  DWORD got = 0;
  ReadFile(outRead, line, 5, &got, nullptr);

  // Memory first, before anything else has raised the peak: the growth of the
  // private bytes' peak over what was in use before, against the file.
  Win32WindowSystem ws;
  const SIZE_T before = PrivateBytes(false), peakBefore = PrivateBytes(true);
  std::string error;
  SaveSnapshotFile(ws, file, 0, false, &error);
  const SIZE_T peakAfter = PrivateBytes(true);
  const long long size = FileSize(file);
  const long long growth = static_cast<long long>(peakAfter) - static_cast<long long>(std::max(before, peakBefore));
  std::printf("memory: private peak grew by %lld KB (%lld KB in use before, peak %lld KB), the file has %lld KB: %s\n",
              std::max(0LL, growth) / 1024, static_cast<long long>(before) / 1024,
              static_cast<long long>(peakBefore) / 1024, size / 1024,
              growth < size ? "less than the file" : "NOT less than the file");

  Measure("windows in another process", runs, file);
  CloseHandle(inWrite);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(outRead);

  std::vector<HWND> frames = MakeBenchDesktop();
  Measure("windows in this process", runs, file);
  for (HWND f : frames) DestroyWindow(f);
  DeleteFileA(file.c_str());
  return 0;
}
