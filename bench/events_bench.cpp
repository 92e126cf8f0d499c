// What recording window events costs: a program making and destroying 1,000
// windows a second with Tarvisk.exe /watch running against without it (every
// window recorded, the program's rate kept); /watch's CPU on a desktop of
// 5,000 windows where nothing changes; and how soon /wait returns once the
// window it waits for is made.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchDesktop.h"

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of("\\/") + 1);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Pumps this thread's messages while waiting: the desktop's windows are ours.
bool WaitPumping(HANDLE process, DWORD ms) {
  const double end = NowSeconds() + ms / 1000.0;
  while (NowSeconds() < end) {
    if (MsgWaitForMultipleObjects(1, &process, FALSE, 5, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
    Pump();
  }
  return false;
}

PROCESS_INFORMATION Start(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = commandLine;
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("could not start %s\n", commandLine.c_str());
  }
  return pi;
}

void End(PROCESS_INFORMATION& pi) {
  if (!pi.hProcess) return;
  if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  pi = {};
}

double CpuSeconds(HANDLE process) {
  FILETIME c, e, k, u;
  if (!GetProcessTimes(process, &c, &e, &k, &u)) return 0;
  const auto v = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; };
  return v(k) + v(u);
}

// The churn's windows and seconds, from its result file.
bool Churn(const std::string& result, int& windows, double& seconds) {
  PROCESS_INFORMATION pi = Start(Folder() + "event_churn.exe " + result + " 1000 10");
  if (!pi.hProcess) return false;
  WaitPumping(pi.hProcess, 60000);
  End(pi);
  std::ifstream in(result);
  return static_cast<bool>(in >> windows >> seconds);
}

void ChurnBench() {
  const std::string folder = Folder();
  const std::string result = folder + "events-churn.txt", lines = folder + "events-churn.jsonl";
  int alone = 0, recorded = 0;
  double aloneSeconds = 0, recordedSeconds = 0;
  if (!Churn(result, alone, aloneSeconds)) return;
  PROCESS_INFORMATION watch =
      Start(folder + "Tarvisk.exe /watch \"" + lines + "\" /for 300 /process event_churn.exe /events created,destroyed");
  WaitPumping(watch.hProcess, 1500);
  Churn(result, recorded, recordedSeconds);
  WaitPumping(watch.hProcess, 1500);  // the last events' lines
  End(watch);
  int created = 0, destroyed = 0;
  std::ifstream in(lines);
  for (std::string line; std::getline(in, line);) {
    // The churn's own windows (a class unknown: gone before it could be read);
    // Wine also makes and ends an IME window with each.
    if (line.find("\"class\":\"IME\"") != std::string::npos) continue;
    if (line.find("\"event\":\"created\"") != std::string::npos) ++created;
    if (line.find("\"event\":\"destroyed\"") != std::string::npos) ++destroyed;
  }
  const double rateAlone = alone / aloneSeconds, rateRecorded = recorded / recordedSeconds;
  std::printf("events churn: %d windows made and destroyed; recorded %d created, %d destroyed (IME windows left out)\n",
              recorded, created, destroyed);
  std::printf("events churn: %.0f windows/s without the recorder, %.0f with it (%.2f)\n", rateAlone, rateRecorded,
              rateRecorded / rateAlone);
  DeleteFileA(result.c_str());
  DeleteFileA(lines.c_str());
}

void IdleBench() {
  std::vector<HWND> frames = MakeBenchDesktop();
  PROCESS_INFORMATION watch = Start(Folder() + "Tarvisk.exe /watch NUL /for 16");
  WaitPumping(watch.hProcess, 3000);
  const double cpu0 = CpuSeconds(watch.hProcess), wall0 = NowSeconds();
  WaitPumping(watch.hProcess, 10000);
  const double cpu = CpuSeconds(watch.hProcess) - cpu0, wall = NowSeconds() - wall0;
  End(watch);
  std::printf("events idle: %u top-level frames, 5,000 windows: recorder CPU %.2f%% of a core over %.1f s\n",
              static_cast<unsigned>(frames.size()), 100.0 * cpu / wall, wall);
  for (HWND f : frames) DestroyWindow(f);
}

void WaitBench() {
  RegisterBenchClass("EventsWaitTarget");
  std::vector<double> ms;
  for (int round = 0; round < 15; ++round) {
    PROCESS_INFORMATION wait = Start(Folder() + "Tarvisk.exe /wait class:EventsWaitTarget /timeout 20");
    WaitPumping(wait.hProcess, 1000);
    const double t0 = NowSeconds();
    HWND w = CreateWindowExA(0, "EventsWaitTarget", "Wait for me", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (WaitPumping(wait.hProcess, 10000)) ms.push_back((NowSeconds() - t0) * 1000);
    End(wait);
    DestroyWindow(w);
    Pump();
  }
  std::sort(ms.begin(), ms.end());
  const double p95 = ms.empty() ? 0 : ms[std::min(ms.size() - 1, (ms.size() * 95 + 99) / 100 - 1)];
  std::printf("events /wait: window made to exit: median %.1f ms, 95th percentile %.1f ms (%u rounds)\n",
              Median(ms), p95, static_cast<unsigned>(ms.size()));
}

}  // namespace

int main() {
  ChurnBench();
  IdleBench();
  WaitBench();
  return 0;
}
