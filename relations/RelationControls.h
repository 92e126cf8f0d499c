#pragma once
// Control identifiers of the relation pages and the Find Window dialog, and the
// small Win32 helpers they share.
#include <windows.h>

#include <string>

#include "relations/RelationsHost.h"

// Ids 1000-1049. Other processes (tests, the end-to-end tools) find the
// controls by these numbers, so they stay stable.
enum RelationControlId {
  IDC_LSVPARENTS = 1000,
  IDC_LSVCHILDREN = 1001,
  IDC_LSVDIGGER = 1002,
  IDC_TRVWINDOWS = 1010,
  IDC_BTNPARENTTREE = 1011,
  IDC_BTNFINDWINDOW = 1012,
  IDC_BTNFINDPREVWINDOW = 1013,
  IDC_BTNFINDNEXTWINDOW = 1014,
  // Find Window dialog; OK and Cancel are IDOK and IDCANCEL, so that Enter and
  // Escape reach them through the dialog manager.
  IDC_FIND_LBLTEXT = 1020,
  IDC_FIND_EDTTEXT = 1021,
  IDC_FIND_LBLCLASS = 1022,
  IDC_FIND_EDTCLASS = 1023,
  IDC_FIND_LBLHANDLE = 1024,
  IDC_FIND_EDTHANDLE = 1025,
  IDC_FIND_RGRMODE = 1030,  // items 1031 (by text and class) and 1032 (by handle)
};

// Bulk changes of a list or tree view run with WM_SETREDRAW off: with redraw on,
// every insert repaints, which under Wine costs milliseconds per item. Redraw
// comes back however the change ends.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND control) : m_control(control) {
    SendMessageA(m_control, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawSuspended() {
    SendMessageA(m_control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_control, nullptr, TRUE);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND m_control;
};

// The hourglass for the length of a search; the previous cursor comes back
// also when the search fails.
class HourglassCursor {
 public:
  HourglassCursor() : m_previous(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~HourglassCursor() { SetCursor(m_previous ? m_previous : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

 private:
  HCURSOR m_previous;
};

// CompareStringW in the user's default locale, no flags: -1, 0 or 1.
int LocaleCompare(const std::string& a, const std::string& b);
// The locale's upper-casing (CharUpperBuffW on the UTF-16 text).
std::string LocaleUpper(const std::string& s);

// The standard error box (error icon, the text with a full stop appended) and
// the information box, both captioned with the application title.
void ShowErrorText(const MessageBoxFn& box, HWND owner, const std::string& text);
void ShowInfoText(const MessageBoxFn& box, HWND owner, const std::string& text);
