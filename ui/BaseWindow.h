#pragma once
// Window base class: the object is bound to its window at WM_NCCREATE and every
// later message goes to the derived class's HandleMessage. No exception leaves
// a window procedure: one that escapes a handler is shown in the standard
// error box, as a command that failed.
#include <windows.h>

#include <exception>

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
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      self = static_cast<Derived*>(cs->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->m_hwnd = hwnd;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
      return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
      ShowErrorBox(hwnd, e.what());
    } catch (...) {
      ShowErrorBox(hwnd, "Internal error");
    }
    return 0;
  }

  static bool RegisterClass(const char* className, HICON icon = nullptr) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = icon;
    return RegisterClassExA(&wc) != 0;
  }

  HWND m_hwnd = nullptr;
};
