#include "details/DetailsWindow.h"

#include <algorithm>

#include "details/DetailsSettings.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "reading/Reading.h"
#include "reading/WindowFacts.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

namespace {

constexpr int kButtonTop = 6, kButtonHeight = 25, kListTop = 38;
constexpr int kNameWidth = 150, kValueWidth = 270;

}  // namespace

DetailsWindow::~DetailsWindow() {
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  if (m_bold) DeleteObject(m_bold);
}

bool DetailsWindow::Open() {
  if (m_hwnd) {
    if (IsIconic(m_hwnd)) ShowWindow(m_hwnd, SW_RESTORE);
    SetForegroundWindow(m_hwnd);
    return true;
  }
  DetailsWindowSettings settings;
  if (auto store = m_host.OpenSettings()) settings = ReadDetailsSettings(*store, kAppTitle);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  RECT wanted = {settings.left, settings.top, settings.left + settings.width, settings.top + settings.height};
  RECT owner = {};
  if (!settings.hasPosition && m_host.Owner() && GetWindowRect(m_host.Owner(), &owner)) {
    // Beside the main window, where it covers none of it.
    wanted = {owner.right + 8, owner.top, owner.right + 8 + settings.width, owner.top + settings.height};
  }
  // A position on no monitor (a display since taken away) is no position.
  if ((settings.hasPosition || owner.right > owner.left) && MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
    x = wanted.left;
    y = wanted.top;
  }

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClass(kClassName, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
  m_title = TitleFor(ToHwnd(m_host.Reading().Target()));
  if (!CreateWindowExW(WS_EX_CONTROLPARENT, Widen(kClassName).c_str(), Widen(m_title).c_str(),
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, settings.width, settings.height, nullptr,
                       nullptr, GetModuleHandleW(nullptr), this)) {
    return false;
  }
  BuildControls();
  // A stored size is the window's own in pixels: only the design size scales.
  if (settings.hasPosition) {
    SetWindowPos(m_hwnd, nullptr, 0, 0, settings.width, settings.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
  ShowTarget();
  ShowWindow(m_hwnd, SW_SHOW);
  SetFocus(m_list);
  return true;
}

void DetailsWindow::Close() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

void DetailsWindow::BuildControls() {
  // Each row: kind, id, caption, left, top, width, height, hint.
  ::CreateControls(m_hwnd, {
      {ControlKind::Button, IDC_DETAILS_COPY, "&Copy", 6, kButtonTop, 75, kButtonHeight,
       "|Copy the selected rows to the clipboard"},
      {ControlKind::Button, IDC_DETAILS_COPYALL, "Copy &all", 86, kButtonTop, 75, kButtonHeight,
       "|Copy every row to the clipboard"},
  });
  m_list = CreateOwnerDataList(m_hwnd, IDC_DETAILS_LIST, 0, kListTop, 100, 100);
  AddListColumn(m_list, 0, "Name", kNameWidth);
  AddListColumn(m_list, 1, "Value", kValueWidth);
  m_fonts.Prepare(m_hwnd);
  for (int c = 0; c < 2; ++c) SendMessageW(m_list, LVM_SETCOLUMNWIDTH, c, m_fonts.Scaled(c ? kValueWidth : kNameWidth));
  m_fonts.Rescaled = [this] { MakeBoldFont(); };
  MakeBoldFont();
}

void DetailsWindow::MakeBoldFont() {
  if (m_bold) DeleteObject(m_bold);
  m_bold = nullptr;
  // The headings of the groups in the list's font, bold.
  LOGFONTW font = {};
  HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(m_list, WM_GETFONT, 0, 0));
  if (GetObjectW(listFont ? static_cast<HGDIOBJ>(listFont) : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) {
    font.lfWeight = FW_BOLD;
    m_bold = CreateFontIndirectW(&font);
  }
}

void DetailsWindow::Layout() {
  RECT r;
  GetClientRect(m_hwnd, &r);
  const int top = m_fonts.Scaled(kListTop);
  MoveWindow(m_list, 0, top, r.right, std::max<int>(0, r.bottom - top), TRUE);
  // The value column takes what the name column leaves.
  const int name = static_cast<int>(SendMessageW(m_list, LVM_GETCOLUMNWIDTH, 0, 0));
  const int value = std::max<int>(m_fonts.Scaled(kValueWidth), r.right - name - GetSystemMetrics(SM_CXVSCROLL) - 4);
  SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 1, value);
}

std::string DetailsWindow::TitleFor(HWND target) const {
  if (!target) return "Details";
  Win32WindowSystem ws;
  return "Details - " + ClassAndHandle(ws, FromHwnd(target));
}

void DetailsWindow::ShowTarget() {
  if (!m_hwnd) return;
  TargetReading& reading = m_host.Reading();
  Show(DetailsWindowGroups(reading, m_host.Options(), m_sources));
  const std::string title = TitleFor(ToHwnd(reading.Target()));
  if (title != m_title) {
    m_title = title;
    SetControlText(m_hwnd, m_title);
  }
}

void DetailsWindow::Redisplay() {
  if (!m_hwnd) return;
  Show(DetailsWindowGroupsAgain(m_host.Reading(), m_host.Options(), m_sources));
}

void DetailsWindow::Show(const std::vector<DetailsGroup>& groups) {
  std::vector<Row> rows;
  for (const DetailsGroup& g : groups) {
    rows.push_back({true, g.title, std::string()});
    for (const DetailsRow& r : g.rows) rows.push_back({false, r.name, r.value});
  }
  const bool sameCount = rows.size() == m_rows.size();
  m_rows = std::move(rows);
  // A virtual list: the rows are asked for when they are drawn, so a new
  // target costs the count and a repaint of what shows.
  if (!sameCount) {
    SendMessageW(m_list, LVM_SETITEMCOUNT, m_rows.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
  InvalidateRect(m_list, nullptr, FALSE);
}

std::string DetailsWindow::RowText(size_t row) const {
  const Row& r = m_rows[row];
  return r.heading ? r.name + "\r\n" : r.name + "\t" + r.value + "\r\n";
}

std::string DetailsWindow::SelectedText() const {
  std::string text;
  if (!m_list) return text;
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
    if (static_cast<size_t>(row) < m_rows.size()) text += RowText(static_cast<size_t>(row));
  }
  return text;
}

std::string DetailsWindow::AllText() const {
  std::string text;
  for (size_t row = 0; row < m_rows.size(); ++row) text += RowText(row);
  return text;
}

void DetailsWindow::CopySelection() { CopyText(SelectedText()); }
void DetailsWindow::CopyAll() { CopyText(AllText()); }

void DetailsWindow::CopyText(const std::string& text) {
  if (!text.empty()) PutTextOnClipboard(m_hwnd, text);
}

void DetailsWindow::SelectAll() {
  LVITEMW item = {};
  item.stateMask = item.state = LVIS_SELECTED;
  SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

LRESULT DetailsWindow::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const size_t row = static_cast<size_t>(draw->nmcd.dwItemSpec);
      if (row < m_rows.size() && m_rows[row].heading && m_bold) {
        SelectObject(draw->nmcd.hdc, m_bold);
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
    }
  }
  return CDRF_DODEFAULT;
}

LRESULT DetailsWindow::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom != m_list) return 0;
  if (hdr->code == NM_CUSTOMDRAW) return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
  // A Unicode window: the list asks in UTF-16, other programs' tools may ask
  // it in the ANSI code page.
  if (hdr->code == LVN_GETDISPINFOW || hdr->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    const size_t row = static_cast<size_t>(info->item.iItem);
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0 || row >= m_rows.size()) {
      return 0;
    }
    const Row& r = m_rows[row];
    const std::string& cell = info->item.iSubItem == 0 ? r.name : r.value;
    if (hdr->code == LVN_GETDISPINFOW) {
      lstrcpynW(info->item.pszText, Widen(cell).c_str(), info->item.cchTextMax);
    } else {
      auto* ansi = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      lstrcpynA(ansi->item.pszText, Utf8ToAnsi(cell).c_str(), ansi->item.cchTextMax);
    }
    return 0;
  }
  if (hdr->code == LVN_KEYDOWN) {
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(hdr);
    if (GetKeyState(VK_CONTROL) < 0 && key->wVKey == 'C') CopySelection();
    if (GetKeyState(VK_CONTROL) < 0 && key->wVKey == 'A') SelectAll();
  }
  return 0;
}

bool DetailsWindow::PreTranslate(MSG& msg) { return TakeDialogKeys(m_hwnd, msg); }

void DetailsWindow::SaveSettings() {
  auto store = m_host.OpenSettings();
  if (!store) return;
  DetailsWindowSettings s = ReadDetailsSettings(*store, kAppTitle);
  RECT r;
  // A minimised or maximised window keeps the place it was last given.
  if (!IsIconic(m_hwnd) && !IsZoomed(m_hwnd) && GetWindowRect(m_hwnd, &r)) {
    s.hasPosition = true;
    s.left = r.left;
    s.top = r.top;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
  }
  WriteDetailsSettings(*store, kAppTitle, s);
}

LRESULT DetailsWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (m_list) Layout();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (LOWORD(wParam) == IDC_DETAILS_COPY) CopySelection();
      if (LOWORD(wParam) == IDC_DETAILS_COPYALL) CopyAll();
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && m_list) SetFocus(m_list);
      return 0;
    case WM_CLOSE:
      DestroyWindow(m_hwnd);
      return 0;
    case WM_DESTROY:
      SaveSettings();
      return 0;
    case WM_NCDESTROY:
      m_hwnd = nullptr;
      m_list = nullptr;
      m_rows.clear();
      return 0;
  }
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}
