#pragma once
// An in-memory desktop behind the WindowSystem seam, for native tests of the
// logic that walks, queries and searches windows.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

struct FakeWindow {
  Hwnd parent = 0;   // GetParent: parent for children, owner for owned pop-ups
  Hwnd owner = 0;    // GWL_HWNDPARENT of a top-level window
  bool child = false;  // WS_CHILD: a child of `parent`; otherwise top-level
  std::string className;
  std::string text;  // what WM_GETTEXT and GetWindowTextA return
  std::string sentText;  // when not empty, WM_GETTEXT returns this raw buffer instead
  bool hung = false;     // WM_GETTEXT times out
  uint32_t style = 0, exStyle = 0, id = 0;
  uint64_t instance = 0, wndProc = 0, classWndProc = 0, module = 0;  // pointer-sized
  uint32_t classStyle = 0, icon = 0, smallIcon = 0, cursor = 0, brush = 0;
  uint32_t processId = 0, threadId = 0;
  Hwnd menu = 0;
  bool visible = true;
  WinRect rect;        // screen coordinates
  WinRect clientRect;  // client coordinates (left and top 0)
  WinPoint clientOrigin;  // screen position of the client area's origin
};

class FakeDesktop : public WindowSystem {
 public:
  static constexpr Hwnd kDesktop = 0x10010;
  int addressBits = 32;  // 64: the desktop as a 64-bit inspector sees it
  mutable int topLevelReads = 0;  // enumerations of the top-level windows

  // Adds a window on top of its siblings' z-order (as a newly created window is).
  Hwnd Add(FakeWindow w) {
    Hwnd h = m_next;
    m_next += 0x10;
    if (w.child) {
      w.style |= 0x40000000u;
    } else if (w.parent == 0) {
      w.parent = w.owner;
    }
    m_windows[h] = w;
    Hwnd key = w.child ? w.parent : 0;
    auto& list = m_zorder[key];
    list.insert(list.begin(), h);
    return h;
  }
  FakeWindow& operator[](Hwnd h) { return m_windows.at(h); }
  void Remove(Hwnd h) {
    for (Hwnd c : DirectChildren(h)) Remove(c);
    m_windows.erase(h);
    for (auto& z : m_zorder) z.second.erase(std::remove(z.second.begin(), z.second.end(), h), z.second.end());
  }
  void SetWindowAtPoint(Hwnd h) { m_atPoint = h; }

  std::vector<Hwnd> DirectChildren(Hwnd parent) const {
    auto it = m_zorder.find(parent);
    return it == m_zorder.end() ? std::vector<Hwnd>{} : it->second;
  }

  std::vector<Hwnd> TopLevelWindows() const override {
    ++topLevelReads;
    return DirectChildren(0);
  }
  std::vector<Hwnd> ChildWindows(Hwnd parent) const override {
    std::vector<Hwnd> out;
    if (parent == 0 || parent == kDesktop) return TopLevelWindows();
    AppendDescendants(parent, out);
    return out;
  }
  bool IsWindow(Hwnd w) const override { return m_windows.count(w) != 0; }
  Hwnd Desktop() const override { return kDesktop; }
  Hwnd Parent(Hwnd w) const override { return Get(w).parent; }
  uint32_t WindowLong(Hwnd w, int index) const override {
    return static_cast<uint32_t>(WindowLongPtr(w, index));
  }
  uint64_t WindowLongPtr(Hwnd w, int index) const override {
    const FakeWindow& f = Get(w);
    switch (index) {
      case WinLong::WndProc: return f.wndProc;
      case WinLong::HInstance: return f.instance;
      case WinLong::HwndParent: return f.child ? f.parent : f.owner;
      case WinLong::Id: return f.id;
      case WinLong::Style: return f.style;
      case WinLong::ExStyle: return f.exStyle;
    }
    return 0;
  }
  uint32_t ClassLong(Hwnd w, int index) const override {
    return static_cast<uint32_t>(ClassLongPtr(w, index));
  }
  uint64_t ClassLongPtr(Hwnd w, int index) const override {
    const FakeWindow& f = Get(w);
    switch (index) {
      case ClassLong::HBrBackground: return f.brush;
      case ClassLong::HCursor: return f.cursor;
      case ClassLong::HIcon: return f.icon;
      case ClassLong::HModule: return f.module;
      case ClassLong::WndProc: return f.classWndProc;
      case ClassLong::Style: return f.classStyle;
      case ClassLong::HIconSm: return f.smallIcon;
    }
    return 0;
  }
  int AddressBits() const override { return addressBits; }
  uint32_t ProcessId(Hwnd w) const override { return Get(w).processId; }
  uint32_t ThreadId(Hwnd w) const override { return Get(w).threadId; }
  Hwnd Menu(Hwnd w) const override { return Get(w).menu; }
  bool IsVisible(Hwnd w) const override {
    for (Hwnd h = w; IsWindow(h); h = Get(h).child ? Get(h).parent : 0) {
      if (!Get(h).visible) return false;
      if (!Get(h).child) return true;
    }
    return false;
  }
  std::string ClassName(Hwnd w) const override { return Get(w).className.substr(0, kTextBufferSize - 1); }
  std::string WindowText(Hwnd w) const override { return Get(w).text; }
  void SendGetText(Hwnd w, char* buffer, uint32_t size) const override {
    ++getTextCalls;
    const FakeWindow& f = Get(w);
    if (!IsWindow(w) || f.hung || size == 0) return;
    const std::string& s = f.sentText.empty() ? f.text : f.sentText;
    // The platform reads at most kTextBufferSize - 1 characters.
    size_t n = std::min<size_t>({s.size(), size - 1, kTextBufferSize - 1});
    std::memcpy(buffer, s.data(), n);
    buffer[n] = 0;
  }
  WinRect WindowRect(Hwnd w) const override { return Get(w).rect; }
  WinRect ClientRect(Hwnd w) const override { return Get(w).clientRect; }
  WinRect ScreenToClientRect(Hwnd to, WinRect r) const override {
    if (to == 0) return r;
    WinPoint o = Get(to).clientOrigin;
    return {r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y};
  }
  WinPoint ScreenToClient(Hwnd w, WinPoint p) const override {
    WinPoint o = Get(w).clientOrigin;
    return {p.x - o.x, p.y - o.y};
  }
  Hwnd WindowFromPoint(WinPoint) const override { return m_atPoint; }
  Hwnd ChildWindowFromPoint(Hwnd w, WinPoint client) const override {
    if (!IsWindow(w)) return 0;
    WinPoint s{client.x + Get(w).clientOrigin.x, client.y + Get(w).clientOrigin.y};
    for (Hwnd c : DirectChildren(w)) {
      const WinRect& r = Get(c).rect;
      if (s.x >= r.left && s.x < r.right && s.y >= r.top && s.y < r.bottom) return c;
    }
    const WinRect& r = Get(w).rect;
    bool inside = s.x >= r.left && s.x < r.right && s.y >= r.top && s.y < r.bottom;
    return inside ? w : 0;
  }

  mutable int getTextCalls = 0;

 private:
  const FakeWindow& Get(Hwnd w) const {
    static const FakeWindow kNone{};
    auto it = m_windows.find(w);
    return it == m_windows.end() ? kNone : it->second;
  }
  void AppendDescendants(Hwnd parent, std::vector<Hwnd>& out) const {
    for (Hwnd c : DirectChildren(parent)) {
      out.push_back(c);
      AppendDescendants(c, out);
    }
  }

  std::map<Hwnd, FakeWindow> m_windows;
  std::map<Hwnd, std::vector<Hwnd>> m_zorder;  // key 0: top level
  Hwnd m_next = 0x20020;
  Hwnd m_atPoint = 0;
};
