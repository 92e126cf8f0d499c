// The information fields' shared conveniences: their context menu, focus on a
// right-click, copy by double-click, select-all on entering a memo, and the
// help context behind "What's This?".
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/InformationFields.h"
#include "platform/CodePages.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace {

enum FieldMenuId { kMniSelectAll = 1901, kMniCopy = 1902, kMniWhatThis = 1904 };

// Graphics page fields have no double-click copy.
enum class FieldKind { Edit, Memo, NoCopy };

// Every field is an edit control, so they share the one window procedure they
// replace; the kind lives in the window's user data. The subclass is a W one,
// as the fields are Unicode windows: the system converts for ANSI senders
// (WM_GETTEXT from another program gives the code page's bytes). Properties would cost a
// trip to the window server under Wine on every message.
WNDPROC g_editProc = nullptr;
// The program's one set of fields, which the window procedures reach here.
InformationFields* g_fields = nullptr;

std::string MemoLines(HWND memo) {
  std::string out;
  int count = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int start = static_cast<int>(SendMessageW(memo, EM_LINEINDEX, i, 0));
    int length = static_cast<int>(SendMessageW(memo, EM_LINELENGTH, start, 0));
    std::wstring line(static_cast<size_t>(length) + 2, L'\0');
    line[0] = static_cast<wchar_t>(line.size());
    int got = static_cast<int>(SendMessageW(memo, EM_GETLINE, i, reinterpret_cast<LPARAM>(&line[0])));
    line.resize(got > 0 ? got : 0);
    out += Narrow(line) + "\r\n";
  }
  return out;
}

LRESULT CALLBACK FieldProc(HWND field, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = g_editProc;
  auto kind = static_cast<FieldKind>(GetWindowLongPtrW(field, GWLP_USERDATA));
  InformationFields* fields = g_fields;
  switch (msg) {
    case WM_RBUTTONDOWN:
      // The field takes the focus at the clicked point before its menu opens,
      // so that the menu's commands act on it. The button is let go at once
      // too, or the edit would go on selecting with every mouse movement.
      if (GetFocus() != field) {
        CallWindowProcW(original, field, WM_LBUTTONDOWN, 0, lParam);
        CallWindowProcW(original, field, WM_LBUTTONUP, 0, lParam);
      }
      return 0;
    case WM_CONTEXTMENU:
      if (fields) fields->ShowMenu(field, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (fields && fields->MenuVisible() && kind != FieldKind::NoCopy) {
        PutTextOnClipboard(fields->Owner(), kind == FieldKind::Memo ? MemoLines(field) : WindowTextOf(field));
      }
      break;
    case WM_SETFOCUS:
      if (kind == FieldKind::Memo) {
        LRESULT r = CallWindowProcW(original, field, msg, wParam, lParam);
        SendMessageW(field, EM_SETSEL, 0, -1);
        return r;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      break;
  }
  return CallWindowProcW(original, field, msg, wParam, lParam);
}

struct AttachContext {
  HWND sheet;
  FieldKind editKind;
};

BOOL CALLBACK AttachOne(HWND h, LPARAM p) {
  auto* ctx = reinterpret_cast<AttachContext*>(p);
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof cls);
  LONG style = GetWindowLongA(h, GWL_STYLE);
  if (GetParent(h) != ctx->sheet || lstrcmpiA(cls, "Edit") != 0 || !(style & ES_READONLY)) return TRUE;
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC));
  if (current == FieldProc) return TRUE;
  if (!g_editProc) g_editProc = current;
  if (current != g_editProc) return TRUE;  // someone else's subclass: leave it alone
  FieldKind kind = (style & ES_MULTILINE) ? FieldKind::Memo : ctx->editKind;
  SetWindowLongPtrW(h, GWLP_USERDATA, static_cast<LONG_PTR>(kind));
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc));
  return TRUE;
}

// Whoever reads a control of a page that has not shown since the last
// inspection, this program or another, reads the target as it was inspected.
// Lists only count when another program asks: this program's own readers know
// better (Detail counts rows of hidden lists, the report brings every page up
// to date first). The tree is left out: refilling it from inside one of its
// own notifications would pull its items from under comctl32.
LRESULT CALLBACK PendingReadProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  bool read = false;
  switch (msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case BM_GETCHECK:
    case BM_GETSTATE:
      read = true;
      break;
    case LVM_GETITEMCOUNT:
    case LVM_GETITEMA:
    case LVM_GETITEMW:
    case LVM_GETITEMTEXTA:
    case LVM_GETITEMTEXTW:
    case LVM_GETNEXTITEM:
      read = InSendMessage() != FALSE;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, PendingReadProc, 1);
      break;
  }
  if (read && g_fields && g_fields->BeforeRead) g_fields->BeforeRead(control);
  return DefSubclassProc(control, msg, wParam, lParam);
}

BOOL CALLBACK WatchReads(HWND h, LPARAM) {
  SetWindowSubclass(h, PendingReadProc, 1, 0);
  return TRUE;
}

bool IsEditControl(HWND h) {
  char cls[16] = {};
  return h && GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, "Edit") == 0;
}

}  // namespace

InformationFields::InformationFields() {
  g_fields = this;
  m_menu = CreatePopupMenu();
  AppendMenuA(m_menu, MF_STRING, kMniSelectAll, "Select &All");
  AppendMenuA(m_menu, MF_STRING, kMniCopy, "&Copy");
  AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(m_menu, MF_STRING, kMniWhatThis, "&What's This?");
}

InformationFields::~InformationFields() {
  if (g_fields == this) g_fields = nullptr;
  if (m_menu) DestroyMenu(m_menu);
}

void InformationFields::Attach(HWND sheet, FieldUse use) {
  if (use == FieldUse::Fields || use == FieldUse::FieldsWithoutCopy) {
    AttachContext ctx{sheet, use == FieldUse::FieldsWithoutCopy ? FieldKind::NoCopy : FieldKind::Edit};
    EnumChildWindows(sheet, AttachOne, reinterpret_cast<LPARAM>(&ctx));
  }
  if (use == FieldUse::Fields || use == FieldUse::ReadsOnly) EnumChildWindows(sheet, WatchReads, 0);
}

void InformationFields::ShowMenu(HWND field, LPARAM screenPoint) {
  // With its items hidden while probing, the menu does not open at all.
  if (!m_menuVisible || !m_menu) return;
  POINT pt = {GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (pt.x == -1 && pt.y == -1) {  // from the keyboard: under the field
    RECT r;
    GetWindowRect(field, &r);
    pt = {r.left, r.bottom};
  }
  const int fixedItems = GetMenuItemCount(m_menu);
  if (ExtendMenu) ExtendMenu(m_menu, field);
  TrackPopupMenu(m_menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_owner, nullptr);
  // DeleteMenu destroys the submenus the extension made, too.
  while (GetMenuItemCount(m_menu) > fixedItems) DeleteMenu(m_menu, fixedItems, MF_BYPOSITION);
}

bool InformationFields::OnMenuCommand(int id) {
  HWND focus = GetFocus();
  switch (id) {
    case kMniSelectAll:
      if (IsEditControl(focus)) SendMessageA(focus, EM_SETSEL, 0, -1);
      return true;
    case kMniCopy:
      if (IsEditControl(focus)) SendMessageA(focus, WM_COPY, 0, 0);
      return true;
    case kMniWhatThis:
      // No help file is configured, so the request has no visible effect.
      if (focus) WinHelpA(m_owner, "", HELP_CONTEXTPOPUP, HelpContextOf(focus));
      return true;
  }
  return false;
}
