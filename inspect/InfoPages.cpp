#include "inspect/InfoPages.h"

#include <initializer_list>
#include <string>

#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "ui/Controls.h"

namespace {

// A field row: label caption, field id, hint, help context, and the WindowInfo
// member it shows.
struct FieldRow {
  const char* caption;
  int id;
  const char* hint;
  int helpContext;
  std::string WindowInfo::*value;
};

const FieldRow kWindowRows[] = {
    {"Text", IDC_EDTTEXT, "|Text that corresponds to the specified window", 2, &WindowInfo::text},
    {"Process ID", IDC_EDTPROCESS, "|Process identifier of the specified window's thread", 3,
     &WindowInfo::process},
    {"App instance", IDC_EDTINSTANCE, "|Handle of the specified window's application instance", 6,
     &WindowInfo::instance},
    {"Handle", IDC_EDTHANDLE, "|Handle of the specified window", 7, &WindowInfo::handle},
    {"Parent handle", IDC_EDTPARENT, "|Handle of the parent window of the specified window", 8,
     &WindowInfo::parent},
    {"Control ID", IDC_EDTCONTROLID, "|Control ID of the specified window", 8, &WindowInfo::controlId},
    {"Function", IDC_EDTFUNCTION, "|Address or handle of the specified window's procedure", 9,
     &WindowInfo::function},
    {"Menu handle", IDC_EDTMENU, "|Handle of the specified window's menu", 10, &WindowInfo::menu},
    {"Coords in parent", IDC_EDTPARENTCOORDS,
     "|The specified window's coordinates in the parent window's client area", 11,
     &WindowInfo::parentCoords},
    {"Coords in screen", IDC_EDTSCREENCOORDS, "|Screen coordinates of the specified window", 12,
     &WindowInfo::screenCoords},
    {"Window size", IDC_EDTWINDOWSIZE, "|Size of the specified window", 13, &WindowInfo::windowSize},
    {"Client area size", IDC_EDTCLIENTSIZE, "|Client area size of the specified window", 14,
     &WindowInfo::clientSize},
    {"Style", IDC_EDTSTYLE, "|Style of the specified window", 15, &WindowInfo::style},
    {"Extended style", IDC_EDTEXSTYLE, "|Extended style of the specified window", 16, &WindowInfo::exStyle},
};

const FieldRow kClassRows[] = {
    {"Name", IDC_EDTCLASS, "|Class name of the specified window", 17, &WindowInfo::className},
    {"Function", IDC_EDTCLASSFUNCTION,
     "|Address or handle of the procedure associated with the specified window's class", 18,
     &WindowInfo::classFunction},
    {"Icon", IDC_EDTICON, "|Handle to the icon associated with the specified window's class", 19,
     &WindowInfo::icon},
    {"Small icon", IDC_EDTSMALLICON, "|Handle to the small icon associated with the specified window's class",
     20, &WindowInfo::smallIcon},
    {"Cursor", IDC_EDTCURSOR, "|Handle to the cursor associated with the specified window's class", 21,
     &WindowInfo::cursor},
    {"Bkg brush", IDC_EDTBRUSH, "|Handle to the backgroud brush associated with the specified window's class",
     22, &WindowInfo::brush},
    {"Module handle", IDC_EDTMODULEHANDLE,
     "|Handle to the module that registered the specified window's class", 23, &WindowInfo::moduleHandle},
    {"Style", IDC_EDTCLASSSTYLE, "|Window-class style bits of the specified window's class", 24,
     &WindowInfo::classStyle},
};

// Labels at left 16 and fields at left 128, one row every 20 pixels from top 12.
template <size_t N>
void CreateRows(HWND sheet, const FieldRow (&rows)[N], int firstLabelId) {
  int top = 12;
  int labelId = firstLabelId;
  for (const FieldRow& r : rows) {
    CreateControl(sheet, {ControlKind::Label, labelId++, r.caption, 16, top + 2, 108, 14});
    CreateControl(sheet, {ControlKind::Field, r.id, "", 128, top, 292, 17, r.hint, r.helpContext});
    top += 20;
  }
}

// Setting an edit's text costs hundreds of microseconds under Wine, and most
// fields keep their text from one window to the next.
void SetFieldText(HWND sheet, int id, const std::string& text) {
  HWND field = GetDlgItem(sheet, id);
  wchar_t current[512];
  int n = GetWindowTextW(field, current, 512);
  if (n >= 0 && n < 511 && text == Narrow(current, static_cast<size_t>(n))) return;
  SetControlText(field, text);
}

// With `shown`, the texts the fields hold are known without asking them.
void PutFieldText(HWND sheet, int id, const std::string& text, const std::string* shown) {
  if (!shown) return SetFieldText(sheet, id, text);
  if (*shown != text) SetControlText(GetDlgItem(sheet, id), text);
}

template <size_t N>
void FillRows(HWND sheet, const FieldRow (&rows)[N], const WindowInfo& info, const WindowInfo* shown) {
  for (const FieldRow& r : rows) PutFieldText(sheet, r.id, info.*r.value, shown ? &(shown->*r.value) : nullptr);
}

}  // namespace

void CreateWindowInfoPage(HWND sheet) {
  CreateRows(sheet, kWindowRows, IDC_LBLTEXT);
  CreateControl(sheet, {ControlKind::Memo, IDC_MEMSTYLE, "", 14, 292, 406, 97,
                        "|The specified window's style and extended style in WinAPI's constants", 36});
}

void CreateClassInfoPage(HWND sheet) {
  CreateRows(sheet, kClassRows, 620);  // labels 620-627
  CreateControl(sheet, {ControlKind::Memo, IDC_MEMCLASSSTYLE, "", 14, 172, 406, 80,
                        "|Window-class style bits of the specified window's class in WinAPI's constants", 36});
  CreateControls(sheet, {
      {ControlKind::Label, IDC_LBLICONVIEW, "Icon", 16, 284, 60, 14},
      {ControlKind::Label, IDC_LBLSMALLICONVIEW, "Small icon", 84, 284, 60, 14},
      {ControlKind::Label, IDC_LBLCURSORVIEW, "Cursor", 152, 284, 60, 14},
      {ControlKind::PaintBox, IDC_PNTICONS, "", 16, 300, 269, 49,
       "Icon, small icon and cursor of the specified window's class"},
  });
}

void ShowWindowPage(HWND windowSheet, const WindowInfo& info, const WindowInfo* shown) {
  PutFieldText(windowSheet, IDC_LBLTEXT, info.textCaption, shown ? &shown->textCaption : nullptr);
  FillRows(windowSheet, kWindowRows, info, shown);
  PutFieldText(windowSheet, IDC_MEMSTYLE, info.styleMemo, shown ? &shown->styleMemo : nullptr);
}

void ShowClassPage(HWND classSheet, const WindowInfo& info, const WindowInfo* shown) {
  FillRows(classSheet, kClassRows, info, shown);
  PutFieldText(classSheet, IDC_MEMCLASSSTYLE, info.classStyleMemo, shown ? &shown->classStyleMemo : nullptr);
}

void PaintClassIcons(HWND classSheet, HDC dc, const RECT& box, Hwnd target) {
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // The small icon and the cursor stand under their captions.
  auto leftOf = [&](int id) {
    RECT r;
    GetWindowRect(GetDlgItem(classSheet, id), &r);
    return r.left;
  };
  int boxLeft = leftOf(IDC_PNTICONS);
  struct Place {
    uint32_t handle;
    int left, size;
  };
  Win32WindowSystem ws;
  const WindowFacts images = ReadWindowFacts(ws, target, Facts::ClassImages);
  const Place places[] = {
      {images.icon, 0, 32},
      {images.smallIcon, leftOf(IDC_LBLSMALLICONVIEW) - boxLeft, 16},
      {images.cursor, leftOf(IDC_LBLCURSORVIEW) - boxLeft, 32},
  };
  for (const Place& p : places) {
    // USER handles are 32-bit values, widened with the sign as windows' are.
    HICON icon = reinterpret_cast<HICON>(static_cast<intptr_t>(static_cast<int32_t>(p.handle)));
    if (icon) DrawIconEx(dc, p.left, 0, icon, p.size, p.size, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  }
}

void WindowInfoPage::Show() {
  const WindowInfo info = DescribeWindow(m_host.Facts(), m_host.Options());
  ShowWindowPage(m_sheet, info, m_written ? &m_shown : nullptr);
  m_shown = info;
  m_written = true;
}

void ClassInfoPage::Show() {
  const WindowFacts& facts = m_host.Facts();
  const WindowInfo info = DescribeWindow(facts, m_host.Options());
  ShowClassPage(m_sheet, info, m_written ? &m_shown : nullptr);
  m_shown = info;
  m_written = true;
  m_drawn = facts.handle;
  if (HWND icons = GetDlgItem(m_sheet, IDC_PNTICONS)) InvalidateRect(icons, nullptr, FALSE);
}

bool ClassInfoPage::OnDrawItem(DRAWITEMSTRUCT* dis) {
  if (!m_sheet || dis->CtlID != IDC_PNTICONS || GetParent(dis->hwndItem) != m_sheet) return false;
  PaintClassIcons(m_sheet, dis->hDC, dis->rcItem, m_drawn);
  return true;
}
