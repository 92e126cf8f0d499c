#include "ui/PageControl.h"

#include <commctrl.h>

#include "platform/CodePages.h"
#include "ui/Form.h"

namespace {

const wchar_t kSheetClass[] = L"TarviskSheet";

// A sheet draws nothing of its own; what its controls report goes to the form.
LRESULT CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CONTEXTMENU:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A Unicode class, as every window of the program: its lists and tree then
// notify in UTF-16 too.
void RegisterSheetClass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kSheetClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = SheetProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kSheetClass;
  RegisterClassExW(&wc);
}

}  // namespace

bool PageControl::Create(HWND parent, int id, int left, int top, int width, int height,
                         std::initializer_list<const char*> captions) {
  RegisterSheetClass();
  m_tab = CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                              TCS_MULTILINE,
                          left, top, width, height, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!m_tab) return false;
  SetControlHint(m_tab, "");
  int index = 0;
  for (const char* caption : captions) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(m_tab, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    HWND sheet = CreateWindowExW(WS_EX_CONTROLPARENT, kSheetClass, Widen(caption).c_str(),
                                 WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, m_tab, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetControlHint(sheet, "");
    m_sheets.push_back(sheet);
    ++index;
  }
  LayoutSheets();
  ShowActiveSheet();
  return true;
}

HWND PageControl::Sheet(int index) const {
  return index >= 0 && index < Count() ? m_sheets[index] : nullptr;
}

int PageControl::ActiveIndex() const {
  return static_cast<int>(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActiveIndex(int index) {
  SendMessageA(m_tab, TCM_SETCURSEL, index, 0);
  ShowActiveSheet();
}

void PageControl::ShowActiveSheet() {
  int active = ActiveIndex();
  if (BeforeSheetShows && active >= 0 && active < Count()) BeforeSheetShows(active);
  for (int i = 0; i < Count(); ++i) {
    ShowWindow(m_sheets[i], i == active ? SW_SHOWNA : SW_HIDE);
  }
}

void PageControl::LayoutSheets() {
  RECT r;
  GetClientRect(m_tab, &r);
  SendMessageA(m_tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  for (HWND sheet : m_sheets) {
    MoveWindow(sheet, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}
