#include "ui/Controls.h"

#include <algorithm>

#include <commctrl.h>

#include <cstring>

#include "platform/CodePages.h"
#include "ui/Form.h"

namespace {

struct KindStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

KindStyle StyleOf(ControlKind kind) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::Button: return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::DefaultButton: return {"BUTTON", child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case ControlKind::CheckBox: return {"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Label: return {"STATIC", child | SS_LEFT, 0};
    case ControlKind::WrapLabel: return {"STATIC", child | SS_LEFT, 0};
    case ControlKind::CenterLabel: return {"STATIC", child | SS_CENTER, 0};
    case ControlKind::GroupBox: return {"BUTTON", child | BS_GROUPBOX, 0};
    case ControlKind::RadioButton: return {"BUTTON", child | BS_AUTORADIOBUTTON, 0};
    case ControlKind::HotKey: return {HOTKEY_CLASSA, child | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Field:
      return {"EDIT", child | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0};
    case ControlKind::Memo:
      return {"EDIT", child | WS_TABSTOP | ES_READONLY | ES_MULTILINE, 0};
    case ControlKind::Edit:
      return {"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Panel: return {"STATIC", child | SS_CENTER | SS_CENTERIMAGE, 0};
    case ControlKind::PaintBox: return {"STATIC", child | SS_OWNERDRAW | SS_NOTIFY, 0};
    case ControlKind::ListView:
      return {WC_LISTVIEWA, child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
    case ControlKind::TreeView:
      return {WC_TREEVIEWA,
              child | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
              WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::UpDown:
      return {UPDOWN_CLASSA, child | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0};
  }
  return {"STATIC", child, 0};
}

}  // namespace

HWND CreateControl(HWND parent, const ControlSpec& row) {
  KindStyle ks = StyleOf(row.kind);
  // Unicode controls, so that they hold any text a window can have.
  HWND h = CreateWindowExW(ks.exStyle, Widen(ks.className).c_str(), Widen(row.caption ? row.caption : "").c_str(),
                           ks.style, row.left, row.top, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                           GetModuleHandleW(nullptr), nullptr);
  if (!h) return nullptr;
  if (row.kind == ControlKind::ListView) {
    SendMessageA(h, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  }
  SetControlHint(h, row.hint ? row.hint : "", row.helpContext);
  return h;
}

void CreateControls(HWND parent, std::initializer_list<ControlSpec> specs) {
  for (const ControlSpec& s : specs) CreateControl(parent, s);
}

void AddListColumn(HWND list, int index, const char* caption, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(caption);
  column.cx = width;
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

HWND CreateOwnerDataList(HWND parent, int id, int left, int top, int width, int height, DWORD extraStyle) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                                  extraStyle,
                              left, top, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  SetControlHint(list, "");
  return list;
}

void CreateRadioGroup(HWND parent, const RadioGroupSpec& row) {
  CreateControl(parent, {ControlKind::GroupBox, row.id, row.caption, row.left, row.top,
                         row.width, row.height, row.hint});
  // Items share the space under the caption evenly, as a radio group lays them out.
  int count = static_cast<int>(row.items.size());
  int area = row.height - 20;
  // An item never reaches into the next one's share.
  const int height = count ? std::min(17, area / count) : 17;
  int i = 0;
  for (const char* item : row.items) {
    int top = row.top + 16 + (count ? area * i / count : 0);
    HWND h = CreateControl(parent, {ControlKind::RadioButton, row.id + 1 + i, item,
                                    row.left + 9, top, row.width - 18, height, row.hint});
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (i == 0) style |= WS_GROUP | WS_TABSTOP;
    SetWindowLongA(h, GWL_STYLE, style);
    ++i;
  }
}

int RadioGroupIndex(HWND parent, int groupId, int itemCount) {
  for (int i = 0; i < itemCount; ++i) {
    if (IsDlgButtonChecked(parent, groupId + 1 + i) == BST_CHECKED) return i;
  }
  return -1;
}

void SetRadioGroupIndex(HWND parent, int groupId, int itemCount, int index) {
  for (int i = 0; i < itemCount; ++i) {
    SendDlgItemMessageA(parent, groupId + 1 + i, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED,
                        0);
  }
}

HWND Item(HWND parent, int id) { return GetDlgItem(parent, id); }

std::string WindowTextOf(HWND control) {
  int n = GetWindowTextLengthW(control);
  std::wstring s(n > 0 ? n + 1 : 1, L'\0');
  int got = GetWindowTextW(control, &s[0], static_cast<int>(s.size()));
  s.resize(got > 0 ? got : 0);
  return Narrow(s);
}

void SetControlText(HWND control, const std::string& text) { SetWindowTextW(control, Widen(text).c_str()); }

bool IsChecked(HWND parent, int id) { return IsDlgButtonChecked(parent, id) == BST_CHECKED; }

void SetChecked(HWND parent, int id, bool checked) {
  CheckDlgButton(parent, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetEnabled(HWND control, bool enabled) {
  if (control) EnableWindow(control, enabled ? TRUE : FALSE);
}

// In UTF-16: the system gives CF_TEXT to ANSI readers from it.
bool PutTextOnClipboard(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  bool ok = false;
  const std::wstring wide = Widen(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(mem)) {
      memcpy(p, wide.c_str(), bytes);
      GlobalUnlock(mem);
      ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    }
    if (!ok) GlobalFree(mem);
  }
  CloseClipboard();
  return ok;
}
