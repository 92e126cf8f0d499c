// Cost of probing and inspecting, each beside its floor: the platform calls it
// cannot avoid, made in a bare loop on the same windows, and for an inspection
// the writing of the fields of the showing page whose text changes.
//   inspect_bench [probes] [inspections]
#include <windows.h>

#include "bench/BenchClock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "inspect/WindowInfo.h"
#include "platform/Win32WindowSystem.h"

namespace {

double Now() { return NowSeconds(); }

void DispatchOne() {
  MSG msg;
  GetMessageA(&msg, nullptr, 0, 0);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

HWND MakeWindow(const char* text, int x) {
  return CreateWindowExA(0, "STATIC", text, WS_POPUP | WS_VISIBLE, x, 700, 150, 100, nullptr, nullptr, nullptr,
                         nullptr);
}

// The calls one inspection of a new window makes, and nothing else.
void FloorCalls(HWND w) {
  static wchar_t buffer[kTextBufferSize];
  GetTextWithTimeoutW(w, buffer, kTextBufferSize);
  DWORD pid;
  GetWindowThreadProcessId(w, &pid);
  for (int index : {GWLP_HINSTANCE, GWLP_ID, GWLP_WNDPROC, GWL_STYLE, GWL_EXSTYLE}) GetWindowLongPtrA(w, index);
  HWND parent = GetParent(w);
  GetMenu(w);
  RECT r, c;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  GetClientRect(w, &c);
  GetClassNameW(w, buffer, kTextBufferSize);
  for (int index : {GCLP_WNDPROC, GCLP_HICON, GCLP_HICONSM, GCLP_HCURSOR, GCLP_HBRBACKGROUND, GCLP_HMODULE,
                    GCL_STYLE}) {
    GetClassLongPtrA(w, index);
  }
}

struct Figure {
  double cost, floor;
  double writes = 0;  // the part of the floor that writes fields, when there is one
};

void Print(const char* name, const char* unit, int count, Figure f) {
  std::printf("%-44s %9.2f us   floor %9.2f us   ratio %.2f   (%d %s)\n", name, f.cost * 1e6, f.floor * 1e6,
              f.cost / f.floor, count, unit);
  if (f.writes > 0) {
    std::printf("%-44s   floor = platform queries %.2f us + writing the changed fields %.2f us\n", "",
                (f.floor - f.writes) * 1e6, f.writes * 1e6);
  }
}

// The Window page's texts of a window, as an inspection makes them.
std::vector<std::string> WindowPageTexts(HWND w, const DisplayOptions& opts) {
  Win32WindowSystem ws;
  WindowInfo i = GatherWindowInfo(ws, FromHwnd(w), opts);
  return {i.textCaption, i.text,         i.process,    i.instance,   i.handle,     i.parent,
          i.controlId,   i.function,     i.menu,       i.parentCoords, i.screenCoords, i.windowSize,
          i.clientSize,  i.style,        i.exStyle,    i.styleMemo};
}

// What showing the other window costs at the least: setting the text of each
// edit whose text differs between the two, alternately, in edits like the page's.
double FieldWritesFloor(HWND a, HWND b, const DisplayOptions& opts, int count) {
  std::vector<std::string> ta = WindowPageTexts(a, opts), tb = WindowPageTexts(b, opts);
  HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 440, 400, nullptr, nullptr,
                              nullptr, nullptr);
  std::vector<std::pair<HWND, size_t>> changed;
  for (size_t i = 0; i < ta.size(); ++i) {
    if (ta[i] == tb[i]) continue;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
    if (i + 1 == ta.size()) style |= ES_MULTILINE | WS_VSCROLL;
    HWND edit = CreateWindowExA(0, "EDIT", ta[i].c_str(), style, 10, 10 + 20 * static_cast<int>(changed.size()),
                                300, 17, host, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    changed.emplace_back(edit, i);
  }
  double t0 = Now();
  for (int n = 0; n < count; ++n) {
    const std::vector<std::string>& t = n % 2 ? ta : tb;
    for (auto& [edit, i] : changed) SetWindowTextA(edit, t[i].c_str());
  }
  double cost = (Now() - t0) / count;
  DestroyWindow(host);
  return cost;
}

Figure ProbeSameWindow(TfrmTarvisk& frm, HWND over, int count) {
  RECT r;
  GetWindowRect(over, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(frm.Handle(), kWmProbe, 0, 0);
  DispatchOne();  // the first message inspects; the rest find the same window
  double t0 = Now();
  for (int i = 0; i < count; ++i) {
    PostMessageA(frm.Handle(), kWmProbe, 0, 0);
    DispatchOne();
  }
  double cost = (Now() - t0) / count;

  HWND sink = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  t0 = Now();
  for (int i = 0; i < count; ++i) {
    PostMessageA(sink, WM_USER + 1, 0, 0);
    DispatchOne();
    POINT p;
    GetCursorPos(&p);
    HWND w = WindowFromPoint(p);
    ScreenToClient(w, &p);
    ChildWindowFromPoint(w, p);
  }
  double floor = (Now() - t0) / count;
  DestroyWindow(sink);
  return {cost, floor};
}

Figure InspectAlternating(TfrmTarvisk& frm, HWND a, HWND b, int count) {
  double t0 = Now();
  for (int i = 0; i < count; ++i) frm.InspectWindow(FromHwnd(i % 2 ? b : a), false);
  double cost = (Now() - t0) / count;
  t0 = Now();
  for (int i = 0; i < count; ++i) FloorCalls(i % 2 ? b : a);
  double queries = (Now() - t0) / count;
  double writes = FieldWritesFloor(a, b, frm.CurrentDisplayOptions(), count);
  return {cost, queries + writes, writes};
}

int Fixture() {
  // Two windows in another process, named so that the bench can find them.
  HWND a = MakeWindow("inspect bench fixture A", 900);
  HWND b = MakeWindow("inspect bench fixture B", 1060);
  MSG msg;
  while (IsWindow(a) && IsWindow(b) && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--fixture") == 0) return Fixture();
  int probes = argc > 1 ? std::atoi(argv[1]) : 20000;
  int inspections = argc > 2 ? std::atoi(argv[2]) : 2000;

  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string cmd = std::string("\"") + self + "\" --fixture";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
  HWND otherA = nullptr, otherB = nullptr;
  for (int i = 0; i < 500 && !(otherA && otherB); ++i) {
    Sleep(10);
    otherA = FindWindowA("STATIC", "inspect bench fixture A");
    otherB = FindWindowA("STATIC", "inspect bench fixture B");
  }

  TfrmTarvisk frm;
  if (!frm.Create()) return 1;
  frm.HideNag = true;
  frm.Show();
  frm.pgcMain.SetActiveIndex(kPageWindow);
  HWND ownA = MakeWindow("own window A", 600);
  HWND ownB = MakeWindow("own window B", 760);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

  std::printf("Tarvisk benchmarks under Wine (per operation; floor = the unavoidable platform calls)\n");
  Print("WM_PROBE over the same window", "messages", probes, ProbeSameWindow(frm, ownA, probes));
  Print("InspectWindow, own process, Window page", "targets", inspections,
        InspectAlternating(frm, ownA, ownB, inspections));
  if (otherA && otherB) {
    Print("InspectWindow, another process, Window page", "targets", inspections,
          InspectAlternating(frm, otherA, otherB, inspections));
  } else {
    std::printf("(the other process's windows did not appear)\n");
  }

  PostMessageA(otherA, WM_CLOSE, 0, 0);
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  DestroyWindow(ownA);
  DestroyWindow(ownB);
  return 0;
}
