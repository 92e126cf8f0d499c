// Cost of probing and inspecting, each beside its floor: the platform calls it
// cannot avoid, made in a bare loop on the same windows, and for an inspection
// the writing of the fields of the showing page whose text changes. Then the
// window details: an inspection with the Details window closed reads none of
// them; with it open, reading them is measured against a loop of the same
// platform calls.
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
#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "reading/DetailsReader.h"
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

// The platform calls ReadWindowDetails makes for a window, in a bare loop:
// the functions newer systems have are looked up once, outside it.
struct DetailsCalls {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  HANDLE(WINAPI* awarenessContext)(HWND) = nullptr;
  int(WINAPI* awarenessFromContext)(HANDLE) = nullptr;
  BOOL(WINAPI* contextsEqual)(HANDLE, HANDLE) = nullptr;
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
  HRESULT(WINAPI* dwmAttribute)(HWND, DWORD, void*, DWORD) = nullptr;
  BOOL(WINAPI* isWow64)(HANDLE, BOOL*) = nullptr;

  template <typename F>
  static void Find(F& f, HMODULE m, const char* name) {
    f = m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
  }
  DetailsCalls() {
    HMODULE user = GetModuleHandleA("user32.dll");
    Find(dpiForWindow, user, "GetDpiForWindow");
    Find(awarenessContext, user, "GetWindowDpiAwarenessContext");
    Find(awarenessFromContext, user, "GetAwarenessFromDpiAwarenessContext");
    Find(contextsEqual, user, "AreDpiAwarenessContextsEqual");
    Find(dpiForMonitor, LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    Find(dwmAttribute, LoadLibraryA("dwmapi.dll"), "DwmGetWindowAttribute");
    Find(isWow64, GetModuleHandleA("kernel32.dll"), "IsWow64Process");
  }

  static BOOL CALLBACK Property(HWND, LPWSTR, HANDLE, ULONG_PTR) { return TRUE; }

  void Run(HWND w) const {
    IsWindow(w);
    GetWindowLongW(w, GWL_STYLE);
    GetWindowLongW(w, GWL_EXSTYLE);
    EnumPropsExW(w, Property, 0);
    const int windowExtra = static_cast<int>(GetClassLongW(w, GCL_CBWNDEXTRA));
    for (int at = 0; at + static_cast<int>(sizeof(void*)) <= windowExtra; at += sizeof(void*)) GetWindowLongPtrW(w, at);
    const int classExtra = static_cast<int>(GetClassLongW(w, GCL_CBCLSEXTRA));
    for (int at = 0; at + static_cast<int>(sizeof(void*)) <= classExtra; at += sizeof(void*)) GetClassLongPtrW(w, at);
    GetWindowLongPtrW(w, GWLP_USERDATA);
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    for (int bar : {SB_HORZ, SB_VERT}) {
      SCROLLINFO si = {sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
      GetScrollInfo(w, bar, &si);
    }
    GetClassNameW(w, cls, 64);
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(w, &pid);
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    GetGUIThreadInfo(thread, &gti);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(w, &wp);
    GetAncestor(w, GA_ROOT);
    GetAncestor(w, GA_ROOTOWNER);
    GetWindow(w, GW_HWNDPREV);
    GetWindow(w, GW_HWNDNEXT);
    if (dpiForWindow) dpiForWindow(w);
    if (awarenessContext && awarenessFromContext) {
      const HANDLE context = awarenessContext(w);
      if (context) awarenessFromContext(context);
    }
    HMONITOR monitor = MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    UINT x, y;
    if (dpiForMonitor) dpiForMonitor(monitor, 0, &x, &y);
    if (dwmAttribute) {
      RECT r;
      for (DWORD attribute : {14u, 9u, 1u}) dwmAttribute(w, attribute, &r, attribute == 9 ? sizeof r : sizeof(DWORD));
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(w, region);
    DeleteObject(region);
    for (int kind : {ICON_BIG, ICON_SMALL, 2}) {
      DWORD_PTR icon;
      SendMessageTimeoutW(w, WM_GETICON, kind, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &icon);
    }
    GetClassLongPtrW(w, GCLP_HICON);
    GetClassLongPtrW(w, GCLP_HICONSM);
    GetMenu(w);
    if (HANDLE process = OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */, FALSE, pid)) {
      BOOL wow;
      if (isWow64) isWow64(process, &wow);
      HANDLE token;
      if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        BYTE buffer[128];
        DWORD length;
        GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &length);
        CloseHandle(token);
      }
      CloseHandle(process);
    }
    IsWindow(w);
  }
};

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

// Reading the details of each window in turn, against the same calls in a loop.
Figure ReadDetailsAlternating(HWND a, HWND b, int count) {
  const DetailsCalls calls;
  ReadWindowDetails(a);  // the late functions are looked up on the first read
  double t0 = Now();
  for (int i = 0; i < count; ++i) ReadWindowDetails(i % 2 ? b : a);
  double cost = (Now() - t0) / count;
  t0 = Now();
  for (int i = 0; i < count; ++i) calls.Run(i % 2 ? b : a);
  return {cost, (Now() - t0) / count};
}

// An inspection with the Details window open: the pages' floor, and the
// details' own calls.
Figure InspectWithDetails(TfrmTarvisk& frm, HWND a, HWND b, int count) {
  const DetailsCalls calls;
  Figure f = InspectAlternating(frm, a, b, count);
  double t0 = Now();
  for (int i = 0; i < count; ++i) calls.Run(i % 2 ? b : a);
  f.floor += (Now() - t0) / count;
  return f;
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
    const unsigned reads = WindowDetailsReads();
    Print("InspectWindow, another process, Window page", "targets", inspections,
          InspectAlternating(frm, otherA, otherB, inspections));
    std::printf("%-44s %u\n", "  details read, Details window closed", WindowDetailsReads() - reads);
    Print("Window details read, another process", "targets", inspections,
          ReadDetailsAlternating(otherA, otherB, inspections));
    SendMessageA(frm.Handle(), WM_SYSCOMMAND, frame_ids::kSysDetails, 0);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const unsigned open = WindowDetailsReads();
    Print("InspectWindow, another process, Details open", "targets", inspections,
          InspectWithDetails(frm, otherA, otherB, inspections));
    std::printf("%-44s %u\n", "  details read, Details window open", WindowDetailsReads() - open);
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
