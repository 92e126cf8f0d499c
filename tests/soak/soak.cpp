// Soak test: Tarvisk's main window probes 200 windows of another process tens
// of thousands of times, refreshes and changes pages, and may not grow its GDI,
// USER or kernel handle counts beyond a small constant, crash, or show a box.
//   soak_test [probes per page] [refreshes] [page changes]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandStates.h"
#include "app/MainWindow.h"

namespace {

// --- The fixture process: 200 windows of every kind Tarvisk meets ---
int Fixture() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  std::vector<HWND> tops;
  for (int t = 0; t < 8; ++t) {
    HWND top = CreateWindowExA(0, "STATIC", "soak top", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               560 + (t % 4) * 170, 20 + (t / 4) * 480, 160, 460, nullptr, nullptr, inst, nullptr);
    tops.push_back(top);
    for (int c = 0; c < 6; ++c) {
      int y = c * 75;
      HWND box = CreateWindowExA(0, "BUTTON", "group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 2, y, 156, 72, top,
                                 nullptr, inst, nullptr);
      (void)box;
      HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 6, y + 14,
                                  70, 50, top, nullptr, inst, nullptr);
      for (int i = 0; i < 5; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
      HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 80, y + 14, 74, 100,
                                   top, nullptr, inst, nullptr);
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("choice"));
      CreateWindowExA(0, "BUTTON", "press", WS_CHILD | WS_VISIBLE, 80, y + 42, 74, 24, top, nullptr, inst, nullptr);
    }
    // Owned pop-ups.
    CreateWindowExA(0, "STATIC", "owned", WS_POPUP | WS_VISIBLE | WS_BORDER, 560 + (t % 4) * 170 + 100,
                    20 + (t / 4) * 480 + 440, 50, 18, top, nullptr, inst, nullptr);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

// --- Counting what the process holds ---
int GdiObjects() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n) return static_cast<int>(n);
  // Wine answers 0: count the live entries of the GDI handle table instead.
  int count = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i) count += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return count;
}

BOOL CALLBACK CountOwnWindows(HWND h, LPARAM p) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId()) {
    ++*reinterpret_cast<int*>(p);
    EnumChildWindows(h, CountOwnWindows, p);
  }
  return TRUE;
}

int UserObjects() {
  DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (n) return static_cast<int>(n);
  int count = 0;  // Wine answers 0: count this process's windows
  EnumWindows(CountOwnWindows, reinterpret_cast<LPARAM>(&count));
  return count;
}

int KernelHandles() {
  DWORD n = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &n) && n) return static_cast<int>(n);
  int count = 0;  // Wine answers 0: probe the handle values
  for (UINT_PTR h = 4; h < 0x4000; h += 4) {
    DWORD flags;
    count += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) != 0;
  }
  return count;
}

// --- Any box that opens is an error: close it and count it ---
int g_boxes = 0;
BOOL CALLBACK CloseBoxes(HWND h, LPARAM) {
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof cls);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(h) && lstrcmpA(cls, "#32770") == 0) {
    char text[256] = {};
    GetWindowTextA(h, text, sizeof text);
    std::printf("a box opened: \"%s\"\n", text);
    ++g_boxes;
    PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}
void CALLBACK BoxWatch(HWND, UINT, UINT_PTR, DWORD) { EnumWindows(CloseBoxes, 0); }

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

struct Counts {
  int gdi, user, kernel;
};
Counts Measure() {
  Pump();
  return {GdiObjects(), UserObjects(), KernelHandles()};
}

BOOL CALLBACK CollectFixture(HWND h, LPARAM p) {
  auto* d = reinterpret_cast<std::pair<DWORD, std::vector<POINT>*>*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == d->first && IsWindowVisible(h)) {
    RECT r;
    GetWindowRect(h, &r);
    d->second->push_back({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EnumChildWindows(h, CollectFixture, p);
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--fixture") == 0) return Fixture();
  int probes = argc > 1 ? std::atoi(argv[1]) : 10000;
  int refreshes = argc > 2 ? std::atoi(argv[2]) : 1000;
  int pageChanges = argc > 3 ? std::atoi(argv[3]) : 200;

  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string cmd = std::string("\"") + self + "\" --fixture";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 2;
  WaitForInputIdle(pi.hProcess, 10000);
  std::vector<POINT> points;
  for (int tries = 0; tries < 100 && points.size() < 200; ++tries) {
    Sleep(50);
    points.clear();
    std::pair<DWORD, std::vector<POINT>*> d{pi.dwProcessId, &points};
    EnumWindows(CollectFixture, reinterpret_cast<LPARAM>(&d));
  }
  std::printf("fixture windows: %zu\n", points.size());

  RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk");
  int failures = 0;
  {
    TfrmTarvisk frm;
    if (!frm.Create()) return 2;
    frm.HideNag = true;
    frm.Show();
    // Beside the fixture's windows, so that every probe lands on one of them.
    SetWindowPos(frm.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetTimer(nullptr, 0, 100, BoxWatch);
    // One short round first, so that what the pages and the system create
    // once (caches, first-use objects) is not counted as growth.
    auto round = [&](int probeCount, int refreshCount, int changeCount, bool report) {
      if (!frm.Probing()) frm.btnStartClick();
      DWORD start = GetTickCount();
      const int pages[] = {kPageWindow, kPageClass, kPageExecutable, kPageGraphics};
      for (int page : pages) {
        frm.pgcMain.SetActiveIndex(page);
        for (int i = 0; i < probeCount; ++i) {
          const POINT& p = points[(i * 7) % points.size()];
          SetCursorPos(p.x + (i % 3), p.y);
          SendMessageA(frm.Handle(), kWmProbe, 0, 0);
          if (i % 64 == 0) Pump();
        }
        if (report) std::printf("%d probes on page %d: %lu ms\n", probeCount, page, GetTickCount() - start);
      }
      frm.btnStartClick();  // idle: Refresh acts on a fixed target
      for (int i = 0; i < refreshCount; ++i) {
        if (i % 50 == 0) frm.InspectWindow(0, false);
        frm.RefreshInformation();
        if (i % 16 == 0) Pump();
      }
      for (int i = 0; i < changeCount; ++i) {
        frm.pgcMain.SetActiveIndex(i % kPageCount);
        frm.pgcMainChange();
        Pump();
      }
      if (report) std::printf("refreshes and page changes: %lu ms\n", GetTickCount() - start);
    };
    round(50, 5, 2 * kPageCount, false);
    Counts before = Measure();
    DWORD start = GetTickCount();
    round(probes, refreshes, pageChanges, true);
    Counts after = Measure();
    std::printf("GDI objects %d -> %d, USER objects %d -> %d, kernel handles %d -> %d, boxes %d, %lu ms\n",
                before.gdi, after.gdi, before.user, after.user, before.kernel, after.kernel, g_boxes,
                GetTickCount() - start);
    const int slack = 8;
    if (after.gdi > before.gdi + slack) ++failures, std::printf("FAIL: GDI objects grew\n");
    if (after.user > before.user + slack) ++failures, std::printf("FAIL: USER objects grew\n");
    if (after.kernel > before.kernel + slack) ++failures, std::printf("FAIL: kernel handles grew\n");
    if (g_boxes) ++failures, std::printf("FAIL: a box opened\n");
    DestroyWindow(frm.Handle());
  }
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk");
  std::printf("%s\n", failures ? "soak: FAILED" : "soak: ok");
  return failures ? 1 : 0;
}
