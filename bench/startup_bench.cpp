// Start-up time of Tarvisk against two floors (a minimal one-window program, and
// a tabbed program of Tarvisk's shape with the same manifest), its private
// memory after start and after 10,000 probes, the latency from a cursor
// movement to the Window page, and the size of the deliverables.
//   startup_bench [runs] [latency moves]
#include <windows.h>

#include "bench/BenchClock.h"

#include <psapi.h>

#include "app/MainWindow.h"
#include "app/StartupSteps.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() { return NowSeconds(); }

std::string Beside(const char* name) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

void PutSetting(const char* name, const char* value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
  RegCloseKey(key);
}

struct Started {
  PROCESS_INFORMATION pi{};
  HWND window = nullptr;
  double seconds = 0;
};

// Starts a program and waits until its window of `cls` is visible and its
// thread answers: every program measured paints before its message loop, so
// the answer means shown and painted.
Started StartAndWait(const std::string& exe, const char* cls) {
  Started s;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = "\"" + exe + "\"";
  double t0 = Now();
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &s.pi)) return s;
  for (;;) {
    HWND w = FindWindowA(cls, nullptr);
    if (w && IsWindowVisible(w)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == s.pi.dwProcessId) {
        s.window = w;
        DWORD_PTR ignored;
        SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        break;
      }
    }
    if (Now() - t0 > 30) break;
    Sleep(1);
  }
  s.seconds = Now() - t0;
  return s;
}

void Stop(Started& s) {
  if (s.window) PostMessageA(s.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(s.pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(s.pi.hProcess, 1);
  CloseHandle(s.pi.hProcess);
  CloseHandle(s.pi.hThread);
}

double PrivateKiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  // Wine reports no PrivateUsage; the commit charge stands for it there.
  SIZE_T bytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return bytes / 1024.0;
}

double Percentile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(share * v.size()))];
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ControlSearch*>(p);
  if (GetDlgCtrlID(h) != s->id) return TRUE;
  s->found = h;
  return FALSE;
}

HWND FindControl(HWND top, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(top, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND field) {
  char text[64] = {};
  DWORD_PTR ignored;
  SendMessageTimeoutA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                      &ignored);
  return text;
}

void PumpOwn() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

double CpuSeconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto seconds = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return seconds(kernel) + seconds(user);
}

// From a cursor movement onto another window to the Window page showing that
// window's handle, as a person sweeping the mouse sees it; and what the
// cursor watch costs while the cursor rests.
void ProbeLatency(const Started& t, HANDLE process, HWND a, HWND b, int moves) {
  HWND handleField = FindControl(t.window, 504);  // edtHandle
  if (!handleField) {
    std::printf("Probe latency: the Handle field was not found\n");
    return;
  }
  std::vector<double> latency;
  int missed = 0;
  for (int i = 0; i < moves; ++i) {
    HWND target = i % 2 ? b : a;
    char expected[16];
    std::snprintf(expected, sizeof expected, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(target)));
    RECT r;
    GetWindowRect(target, &r);
    double t0 = Now();
    SetCursorPos((r.left + r.right) / 2 + i % 7, (r.top + r.bottom) / 2);
    bool seen = false;
    while (Now() - t0 < 2.0) {
      PumpOwn();
      if (TextOf(handleField) == expected) {
        seen = true;
        break;
      }
      Sleep(1);
    }
    if (seen) latency.push_back(Now() - t0); else ++missed;
  }
  std::printf("Probe latency, cursor move to Window page (%d moves)   median %5.1f ms   95th percentile %5.1f ms%s\n",
              moves, Median(latency) * 1e3, Percentile(latency, 0.95) * 1e3, missed ? "   (some missed)" : "");
  double c0 = CpuSeconds(process), w0 = Now();
  for (int i = 0; i < 300; ++i) {
    PumpOwn();
    Sleep(10);
  }
  double share = (CpuSeconds(process) - c0) / (Now() - w0);
  std::printf("Probing with the cursor at rest: Tarvisk uses %.2f%% of one core\n", share * 100);
}

// The steps of one start in this process, to see where the time goes.
void StartupStepsInProcess() {
  StartupSteps& steps = StartupSteps::Instance();
  steps.enabled = true;
  {
    TfrmTarvisk frm;
    if (!frm.Create()) return;
    frm.Show();
    steps.enabled = false;
  }
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  std::printf("Start-up steps in one start (this process):");
  for (int i = 1; i < steps.count; ++i) {
    double ms = 1e3 * static_cast<double>(steps.at[i].QuadPart - steps.at[i - 1].QuadPart) / freq.QuadPart;
    std::printf("%s %s %.1f ms", i == 1 ? "" : ",", steps.names[i], ms);
  }
  std::printf("\n");
}

long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d) ? static_cast<long>(d.nFileSizeLow) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 15;
  // No reminder and no probing at start-up: the window shows as soon as it can.
  PutSetting("HideNag", "1");
  PutSetting("AutoStart", "0");
  PutSetting("Page", "0");

  // Interleaved, so that whatever else the machine does falls on all three.
  std::vector<double> tarvisk, tabbed, minimal;
  for (int i = 0; i < runs; ++i) {
    Started t = StartAndWait(Beside("Tarvisk.exe"), "TfrmTarvisk");
    tarvisk.push_back(t.seconds);
    Stop(t);
    Started f = StartAndWait(Beside("tabbed_floor.exe"), "TabbedFloorWindow");
    tabbed.push_back(f.seconds);
    Stop(f);
    Started m = StartAndWait(Beside("minimal_window.exe"), "MinimalBenchWindow");
    minimal.push_back(m.seconds);
    Stop(m);
  }
  double tm = Median(tarvisk), fm = Median(tabbed), mm = Median(minimal);
  StartupStepsInProcess();
  std::printf("Start-up to a shown, painted window (medians of %d interleaved runs)   Tarvisk %.1f ms   "
              "tabbed floor %.1f ms (ratio %.2f, goal 1.30)   minimal program %.1f ms (ratio %.2f)\n",
              runs, tm * 1e3, fm * 1e3, tm / fm, mm * 1e3, tm / mm);

  // Memory after start and after 10,000 probes that alternate between two windows.
  Started t = StartAndWait(Beside("Tarvisk.exe"), "TfrmTarvisk");
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, t.pi.dwProcessId);
  Sleep(300);
  double before = PrivateKiB(process);
  HWND a = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "bench A", WS_POPUP | WS_VISIBLE, 900, 600, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
  HWND b = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "bench B", WS_POPUP | WS_VISIBLE, 1010, 600, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
  PostMessageA(t.window, WM_HOTKEY, 1, 0);  // start probing
  Sleep(200);
  for (int i = 0; i < 10000; ++i) {
    SetCursorPos(i % 2 ? 1050 : 950, 650);
    SendMessageTimeoutA(t.window, WM_USER + 1, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  double after = PrivateKiB(process);
  std::printf("Private memory   after start %8.0f KiB   after 10,000 probes %8.0f KiB   growth %+.0f KiB\n", before,
              after, after - before);
  ProbeLatency(t, process, a, b, argc > 2 ? std::atoi(argv[2]) : 200);
  CloseHandle(process);
  Stop(t);
  DestroyWindow(a);
  DestroyWindow(b);

  std::printf("Size   Tarvisk.exe %ld bytes   Plugins\\Boxes.dll %ld bytes\n", FileSize(Beside("Tarvisk.exe")),
              FileSize(Beside("Plugins\\Boxes.dll")));
  RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk\\ParentsColumns");
  return 0;
}
