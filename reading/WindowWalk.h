#pragma once
// One pass over the desktop's window hierarchy, with each window's parent and
// style asked once and each enumeration made once.
//
// The tree and the Digger ask EnumChildWindows for the descendants of a window
// and then again for the descendants of some of those descendants. Enumerations
// come back depth first, each child before its own children, so the descendants
// of a window listed in an earlier enumeration are the run that follows it
// there. That run can be told apart only where the real parent of every window
// in it is known: GetParent gives it for WS_CHILD windows, and EnumWindows tells
// which windows hang directly under the desktop. A window without WS_CHILD that
// is not top-level (moved under another window with SetParent) could belong to
// any open ancestor, so the runs around it are not trusted and those windows are
// enumerated on their own.
//
// The walk is a snapshot: it assumes the desktop does not change while it lives.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/WinConstants.h"
#include "platform/WindowSystem.h"

// A run of window handles inside a list that the walk owns.
struct WindowSpan {
  const Hwnd* first = nullptr;
  size_t count = 0;
  const Hwnd* begin() const { return first; }
  const Hwnd* end() const { return first + count; }
  size_t size() const { return count; }
};

class WindowWalk {
 public:
  explicit WindowWalk(const WindowSystem& ws) : m_ws(ws), m_desktop(ws.Desktop()) {}
  WindowWalk(const WindowWalk&) = delete;
  WindowWalk& operator=(const WindowWalk&) = delete;

  const WindowSystem& System() const { return m_ws; }
  Hwnd Parent(Hwnd w);  // GetParent, asked once per window
  bool HasChildStyle(Hwnd w);  // WS_CHILD in GWL_STYLE, asked once per window

  // What ChildWindows(w) reports, taken from an earlier enumeration when that
  // one shows the run unambiguously. The span stays valid while the walk lives.
  WindowSpan Descendants(Hwnd w);

  // ChildWindows(Desktop()) as the platform reports it (all windows on a real
  // desktop). When it holds more than the top-level windows, its runs serve
  // later Descendants() of the windows in it.
  WindowSpan DesktopWindows();

  int Enumerations() const { return m_enumerations; }  // ChildWindows calls made

 private:
  struct Info {
    Hwnd parent = 0;
    uint32_t style = 0;
    bool hasParent = false, hasStyle = false;
  };
  struct Run {
    const std::vector<Hwnd>* list;
    uint32_t begin, end;
  };
  Info& InfoOf(Hwnd w) { return m_info[w]; }
  const std::vector<Hwnd>& Enumerate(Hwnd w);
  void IndexRuns(const std::vector<Hwnd>& list, Hwnd owner, const std::unordered_set<Hwnd>* topLevel);

  const WindowSystem& m_ws;
  const Hwnd m_desktop;
  std::unordered_map<Hwnd, Info> m_info;
  std::deque<std::vector<Hwnd>> m_lists;  // a deque keeps earlier lists in place
  std::unordered_map<Hwnd, Run> m_runs;
  const std::vector<Hwnd>* m_desktopList = nullptr;
  int m_enumerations = 0;
};
