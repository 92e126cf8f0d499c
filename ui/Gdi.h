#pragma once
// Scoped holders for GDI objects and device contexts: every handle made is
// released on every path, also when a step in between fails.
#include <windows.h>

class ScopedGdiObj {
 public:
  explicit ScopedGdiObj(HGDIOBJ obj = nullptr) : m_obj(obj) {}
  ~ScopedGdiObj() { Reset(); }
  ScopedGdiObj(const ScopedGdiObj&) = delete;
  ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;
  void Reset(HGDIOBJ obj = nullptr) {
    if (m_obj) DeleteObject(m_obj);
    m_obj = obj;
  }
  HGDIOBJ Get() const { return m_obj; }
  explicit operator bool() const { return m_obj != nullptr; }

 private:
  HGDIOBJ m_obj;
};

class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? SelectObject(dc, obj) : nullptr) {}
  ~ScopedSelectObject() {
    if (m_old) SelectObject(m_dc, m_old);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND wnd) : m_wnd(wnd), m_dc(GetDC(wnd)) {}
  ~ScopedGetDC() {
    if (m_dc) ReleaseDC(m_wnd, m_dc);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  operator HDC() const { return m_dc; }

 private:
  HWND m_wnd;
  HDC m_dc;
};
