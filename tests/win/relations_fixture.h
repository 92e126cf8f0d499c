#pragma once
// Shared by the relation pages' tests: a stand-in for the main window's state,
// a frame with the twelve pages that hands control notifications to the page
// handlers as the main window does, and a family of real windows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandStates.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationsHost.h"
#include "reading/WindowLists.h"
#include "ui/PageControl.h"
#include "ui/PageHandler.h"

class StandInHost : public RelationsHost {
 public:
  DisplayOptions options;
  bool probing = false;
  int page = kPageParents;  // what ShowWindowPage leaves in front
  // What the rows are read for.
  Hwnd target = 0;
  bool showSubchildren = false, digChildren = true;
  WinPoint probePoint;
  SortState sort;
  struct Inspection {
    Hwnd window;
    bool refreshAll;
  };
  std::vector<Inspection> inspected;
  int detailUpdates = 0;

  DisplayOptions CurrentDisplayOptions() const override { return options; }
  bool Probing() const override { return probing; }
  const std::vector<WindowRow>& Rows(int list) override {
    const auto none = [](uint32_t) { return std::string(); };
    switch (list) {
      case 0: rows = ParentRows(ws, target, none); break;
      case 1: rows = ChildRows(ws, target, showSubchildren, none); break;
      default: rows = DiggerRows(ws, probePoint, digChildren, none); break;
    }
    return rows;
  }
  SortState Sort() const override { return sort; }
  void SetSort(const SortState& s) override { sort = s; }
  void InspectWindow(Hwnd window, bool refreshAll) override { inspected.push_back({window, refreshAll}); }
  void ShowWindowPage() override { page = kPageWindow; }
  void UpdateDetailButton() override { ++detailUpdates; }

 private:
  Win32WindowSystem ws;
  std::vector<WindowRow> rows;
};

// A top-level window with the main window's twelve pages; WM_COMMAND and
// WM_NOTIFY from the sheets arrive here and go to the handlers.
class RelationsFrame {
 public:
  RelationsFrame() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RelationsTestFrame";
    RegisterClassExA(&wc);
    hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, "RelationsTestFrame", "Relations test", WS_POPUP | WS_VISIBLE, 0, 0,
                           436, 445, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pgc.Create(hwnd, 100, 0, 0, 436, 445,
               {"Window", "Class", "Parents", "Children", "Digger", "Tree", "Executable", "Modules", "Modify",
                "Graphics", "Options", "About"});
  }
  ~RelationsFrame() {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
  }
  HWND Sheet(int page) const { return pgc.Sheet(page); }
  // A notification from `control`, sent the way the control sends it.
  LRESULT Notify(HWND control, NMHDR& hdr) {
    hdr.hwndFrom = control;
    hdr.idFrom = GetDlgCtrlID(control);
    return SendMessageA(GetParent(control), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  }
  void Click(HWND button) {
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  void Command(int id) { SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  HWND hwnd = nullptr;
  PageControl pgc;
  std::vector<PageHandler*> handlers;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RelationsFrame*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (self && msg == WM_COMMAND) {
      for (PageHandler* p : self->handlers) {
        if (p->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      }
      return 0;
    }
    if (self && msg == WM_NOTIFY) {
      LRESULT result = 0;
      for (PageHandler* p : self->handlers) {
        if (p->OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
      }
      return 0;
    }
    return DefWindowProcA(h, msg, wParam, lParam);
  }
};

// Records message boxes instead of showing them.
struct BoxRecorder {
  struct Box {
    std::string text, caption;
    UINT type;
  };
  std::vector<Box> boxes;
  MessageBoxFn Fn() {
    return [this](HWND, const char* text, const char* caption, UINT type) {
      boxes.push_back({text, caption, type});
      return IDOK;
    };
  }
};

// Windows made by a test, destroyed with it. The family stands well away from
// the frame: a top-level window with children A, B and C (A and B overlap at
// kDigPoint), a grandchild G under B, and a pop-up P owned by the top-level
// window with a pop-up P2 owned by P.
class WindowFamily {
 public:
  static constexpr int kLeft = 700, kTop = 500;
  static constexpr WinPoint kDigPoint{780, 580};

  WindowFamily() {
    for (const char* cls : {"RelFixture", "RelAlpha", "RelMid", "RelZeta"}) Register(cls);
    top = Make("RelFixture", "Rel family top", WS_POPUP | WS_VISIBLE, nullptr, kLeft, kTop, 300, 300);
    a = Make("RelZeta", "Rel child A", WS_CHILD | WS_VISIBLE, top, 0, 0, 100, 100);
    b = Make("RelAlpha", "Rel child B", WS_CHILD | WS_VISIBLE, top, 50, 50, 200, 200);
    c = Make("RelMid", "Rel child C", WS_CHILD | WS_VISIBLE, top, 250, 250, 40, 40);
    g = Make("RelFixture", "Rel grandchild G", WS_CHILD | WS_VISIBLE, b, 10, 10, 100, 100);
    p = Make("RelFixture", "Rel pop-up P", WS_POPUP | WS_VISIBLE, top, 1000, 100, 100, 100);
    p2 = Make("RelFixture", "Rel pop-up P2", WS_POPUP | WS_VISIBLE, p, 1100, 100, 100, 100);
  }
  ~WindowFamily() {
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
      if (IsWindow(*it)) DestroyWindow(*it);
    }
  }
  HWND Make(const char* cls, const char* text, DWORD style, HWND parent, int x, int y, int w, int h) {
    HWND hwnd = CreateWindowExA(0, cls, text, style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    made.push_back(hwnd);
    return hwnd;
  }
  Hwnd H(HWND h) const { return FromHwnd(h); }

  HWND top = nullptr, a = nullptr, b = nullptr, c = nullptr, g = nullptr, p = nullptr, p2 = nullptr;
  std::vector<HWND> made;

 private:
  static void Register(const char* cls) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassExA(&wc);
  }
};

inline std::string HexHandle(HWND h) {
  char text[16];
  wsprintfA(text, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
  return text;
}
