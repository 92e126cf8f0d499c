#pragma once
// Window base class: the object is bound to its window at WM_NCCREATE and every
// later message goes to the derived class's HandleMessage. No exception leaves
// a window procedure: one that escapes a handler is shown in the standard
// error box, as a command that failed.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/CodePages.h"
#include "ui/MessageBoxes.h"

template <class Derived>
class BaseWindow {
 public:
  virtual ~BaseWindow() = default;
  HWND Handle() const { return m_hwnd; }

 protected:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      self = static_cast<Derived*>(cs->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->m_hwnd = hwnd;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
      return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
      ShowErrorBox(hwnd, e.what());
    } catch (...) {
      ShowErrorBox(hwnd, "Internal error");
    }
    return 0;
  }

  // A Unicode class: its windows get every text as UTF-16, whichever entry
  // point creates them, so a derived class ends in DefWindowProcW.
  static bool RegisterClass(const char* className, HICON icon = nullptr) {
    const std::wstring name = Widen(className);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    wc.hIcon = icon;
    return RegisterClassExW(&wc) != 0;
  }

  HWND m_hwnd = nullptr;
};
