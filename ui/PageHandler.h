#pragma once
// A page of the main window that handles its own controls. The main window
// offers each page the notifications of the controls on it.
#include <windows.h>

class PageHandler {
 public:
  virtual ~PageHandler() = default;
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
  virtual bool OnNotify(NMHDR* /*hdr*/, LRESULT& /*result*/) { return false; }
  virtual bool OnDrawItem(DRAWITEMSTRUCT* /*dis*/) { return false; }
  virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
  // WM_HSCROLL / WM_VSCROLL of an up-down or track bar on the page.
  virtual bool OnScroll(HWND /*control*/, int /*code*/) { return false; }
};
