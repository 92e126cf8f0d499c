#include "msglog/MessageLogWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "msglog/FilterDialog.h"
#include "platform/CodePages.h"
#include "platform/OnDemandDlls.h"
#include "platform/ReportFile.h"
#include "platform/Win32WindowSystem.h"
#include "reading/WindowFacts.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

namespace msglog {

namespace {

constexpr UINT_PTR kDrainTimer = 1;
constexpr int kButtonTop = 6, kButtonHeight = 25, kListTop = 38;

// Each column: width in pixels at 96 dpi, in LogColumn order.
constexpr int kColumnWidths[kColumnCount] = {60, 60, 40, 80, 170, 90, 90, 260, 90};

std::string HandleText(HWND h) {
  char buf[16];
  wsprintfA(buf, "0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
  return buf;
}

// Registered message names come from the atom table that they share with
// clipboard formats; cached, as the list asks for them on every repaint.
std::string RegisteredName(uint32_t message) {
  static std::map<uint32_t, std::string> cache;
  auto it = cache.find(message);
  if (it != cache.end()) return it->second;
  char name[256] = {};
  std::string result;
  if (GetClipboardFormatNameA(message, name, sizeof name) > 0) result = name;
  cache.emplace(message, result);
  return result;
}

}  // namespace

MessageLogWindow::MessageLogWindow(std::function<void(MessageLogWindow*)> closed)
    : m_closed(std::move(closed)) {}

MessageLogWindow::~MessageLogWindow() {
  m_closed = nullptr;
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

std::string MessageLogWindow::Open(HWND target, const MessageLogOptions& options) {
  m_options = options;
  m_target = target;
  m_store = LogStore(options.lineCap);
  m_store.SetRegisteredNames(RegisteredName);
  if (options.openSettings) {
    if (auto store = options.openSettings()) m_settings = ReadLogSettings(*store, kAppTitle);
  }
  m_store.SetFilter(m_settings.filter);
  std::string error = m_session.Start(target, options.descendants, options.ringCapacity);
  if (!error.empty()) return error;
  if (options.wholeThread) m_session.SetWholeThread();

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClass(kClassName, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
  Win32WindowSystem ws;
  m_title = options.wholeThread
                ? "Message log - thread " + std::to_string(GetWindowThreadProcessId(target, nullptr))
                : "Message log - " + ClassAndHandle(ws, FromHwnd(target));
  if (!CreateWindowExW(WS_EX_CONTROLPARENT, Widen(kClassName).c_str(), Widen(m_title).c_str(),
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       CW_USEDEFAULT, CW_USEDEFAULT, m_settings.width, m_settings.height, nullptr, nullptr,
                       GetModuleHandleW(nullptr), this)) {
    const DWORD code = GetLastError();
    m_session.Stop();
    return "Cannot open the message log: " + SystemErrorText(code);
  }
  BuildControls();
  // A stored size is the window's own in pixels: only the design size scales.
  const MessageLogSettings design;
  if (m_settings.width != design.width || m_settings.height != design.height) {
    SetWindowPos(m_hwnd, nullptr, 0, 0, m_settings.width, m_settings.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
  SetTimer(m_hwnd, kDrainTimer, options.drainMs, nullptr);
  ShowWindow(m_hwnd, SW_SHOW);
  SetFocus(m_list);
  return "";
}

void MessageLogWindow::BuildControls() {
  // Each row: kind, id, caption, left, top, width, height, hint.
  ::CreateControls(m_hwnd, {
      {ControlKind::Button, IDC_LOG_PAUSE, "&Pause", 6, kButtonTop, 75, kButtonHeight,
       "|Stop or resume recording the target's messages"},
      {ControlKind::Button, IDC_LOG_CLEAR, "C&lear", 86, kButtonTop, 75, kButtonHeight,
       "|Remove every line from the log"},
      {ControlKind::Button, IDC_LOG_FILTER, "&Filter...", 166, kButtonTop, 75, kButtonHeight,
       "|Choose which messages the log shows"},
      {ControlKind::Button, IDC_LOG_SAVE, "&Save...", 246, kButtonTop, 75, kButtonHeight,
       "|Save the shown lines as a text file"},
      {ControlKind::Button, IDC_LOG_COPY, "&Copy", 326, kButtonTop, 75, kButtonHeight,
       "|Copy the selected lines to the clipboard"},
      {ControlKind::CheckBox, IDC_LOG_DESCENDANTS, "With &descendants", 412, kButtonTop + 4, 150, 17,
       "|Log the messages of the window's child windows too"},
  });
  if (m_options.descendants) SetChecked(m_hwnd, IDC_LOG_DESCENDANTS, true);
  m_list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                           0, kListTop, 100, 100, m_hwnd, reinterpret_cast<HMENU>(IDC_LOG_LIST),
                           GetModuleHandleA(nullptr), nullptr);
  SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  for (int c = 0; c < kColumnCount; ++c) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(ColumnTitle(c));
    col.cx = kColumnWidths[c];
    col.iSubItem = c;
    SendMessageA(m_list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
  }
  m_status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hwnd,
                             reinterpret_cast<HMENU>(IDC_LOG_STATUS), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(m_status, SB_SIMPLE, TRUE, 0);
  SetControlHint(m_status, "");
  SetControlHint(m_list, "");
  m_fonts.Prepare(m_hwnd);
  for (int c = 0; c < kColumnCount; ++c) SendMessageA(m_list, LVM_SETCOLUMNWIDTH, c, m_fonts.Scaled(kColumnWidths[c]));
  Refresh();
}

void MessageLogWindow::Layout() {
  RECT r;
  GetClientRect(m_hwnd, &r);
  SendMessageA(m_status, WM_SIZE, 0, 0);
  RECT sr = {};
  GetWindowRect(m_status, &sr);
  const int statusHeight = sr.bottom - sr.top;
  const int top = m_fonts.Scaled(kListTop);
  MoveWindow(m_list, 0, top, r.right, std::max<int>(0, r.bottom - top - statusHeight), TRUE);
}

void MessageLogWindow::ShowError(const std::string& text) {
  if (ErrorHook) {
    ErrorHook(text);
  } else {
    ShowErrorBox(m_hwnd, text);
  }
}

void MessageLogWindow::Drain() {
  if (!m_session.Running()) return;
  m_records.clear();
  m_session.Read(m_records);
  const uint32_t start = m_session.StartTick();
  AddRecords(m_records.data(), m_records.size());
  const uint32_t lost = m_session.Lost();
  if (lost != m_lostShown) {
    m_store.AddNote(std::to_string(lost - m_lostShown) + " messages not recorded", GetTickCount() - start);
    m_lostShown = lost;
  }
  if (!IsWindow(m_target)) TargetGone();
  Refresh();
}

void MessageLogWindow::AddRecords(const RecordData* records, size_t count) {
  const uint32_t start = m_session.StartTick();
  for (size_t i = 0; i < count; ++i) m_store.Add(records[i], start);
  Refresh();
}

void MessageLogWindow::TargetGone() {
  // The last records may have arrived after the window went.
  m_records.clear();
  m_session.Read(m_records);
  AddRecords(m_records.data(), m_records.size());
  m_store.AddNote("The window " + HandleText(m_target) + " was destroyed; logging stopped",
                  GetTickCount() - m_session.StartTick());
  m_session.Stop();
  m_targetGone = true;
  KillTimer(m_hwnd, kDrainTimer);
  SetControlText(m_hwnd, m_title + " (destroyed)");
  EnableWindow(GetDlgItem(m_hwnd, IDC_LOG_PAUSE), FALSE);
  EnableWindow(GetDlgItem(m_hwnd, IDC_LOG_DESCENDANTS), FALSE);
}

void MessageLogWindow::Refresh() {
  const size_t rows = m_store.RowCount();
  if (m_list && rows != m_shownRows) {
    // Following the newest line: the last row was in view before this update.
    const int top = static_cast<int>(SendMessageA(m_list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageA(m_list, LVM_GETCOUNTPERPAGE, 0, 0));
    const bool following = m_shownRows == 0 || static_cast<size_t>(top + perPage) >= m_shownRows;
    SendMessageA(m_list, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    if (following && rows) SendMessageA(m_list, LVM_ENSUREVISIBLE, rows - 1, FALSE);
    InvalidateRect(m_list, nullptr, FALSE);
    m_shownRows = rows;
  }
  if (m_status) SendMessageA(m_status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(StatusText().c_str()));
}

std::string MessageLogWindow::StatusText() const {
  std::string s = std::to_string(m_store.RowCount() - (m_store.RemovedNoteShown() ? 1 : 0)) + " lines shown, " +
                  std::to_string(m_store.Size()) + " kept";
  if (m_store.Removed()) s += ", " + std::to_string(m_store.Removed()) + " older removed";
  if (m_session.Lost()) s += "; " + std::to_string(m_session.Lost()) + " messages not recorded";
  if (m_targetGone) {
    s += "; the window was destroyed";
  } else if (m_paused) {
    s += "; paused";
  }
  return s;
}

void MessageLogWindow::TogglePause() {
  if (m_targetGone) return;
  m_paused = !m_paused;
  m_session.SetActive(!m_paused);
  Drain();
  m_store.AddNote(m_paused ? "Paused" : "Resumed", GetTickCount() - m_session.StartTick());
  SetDlgItemTextA(m_hwnd, IDC_LOG_PAUSE, m_paused ? "&Resume" : "&Pause");
  Refresh();
}

void MessageLogWindow::ClearLog() {
  m_store.Clear();
  m_shownRows = static_cast<size_t>(-1);
  Refresh();
}

void MessageLogWindow::ApplyFilter(const LogFilter& filter) {
  m_store.SetFilter(filter);
  m_settings.filter = filter;
  m_shownRows = static_cast<size_t>(-1);
  Refresh();
}

void MessageLogWindow::SetDescendants(bool on) {
  m_session.SetDescendants(on);
  if (m_hwnd) SetChecked(m_hwnd, IDC_LOG_DESCENDANTS, on);
}

std::string MessageLogWindow::SaveTo(const std::string& path) const {
  std::string text;
  for (int c = 0; c < kColumnCount; ++c) text += std::string(c ? "\t" : "") + ColumnTitle(c);
  text += "\r\n";
  for (size_t row = 0; row < m_store.RowCount(); ++row) text += m_store.RowText(row) + "\r\n";
  std::string error;
  return SaveFileReplacing(path, text, &error) ? "" : error;
}

std::string MessageLogWindow::SelectedText() const {
  std::string text;
  int row = -1;
  while ((row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
    text += m_store.RowText(static_cast<size_t>(row)) + "\r\n";
  }
  return text;
}

void MessageLogWindow::CopySelection() {
  const std::string text = SelectedText();
  if (text.empty() || !OpenClipboard(m_hwnd)) return;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (mem) {
    if (void* p = GlobalLock(mem)) {
      memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(mem);
      if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    } else {
      GlobalFree(mem);
    }
  }
  CloseClipboard();
}

void MessageLogWindow::SelectAll() {
  LVITEMA item = {};
  item.stateMask = item.state = LVIS_SELECTED;
  SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void MessageLogWindow::OnSave() {
  std::string name = m_fileName.empty() ? "Message log.txt" : m_fileName;
  if (SaveDialogHook) {
    if (!SaveDialogHook(name)) return;
  } else {
    char buf[MAX_PATH] = {};
    lstrcpynA(buf, name.c_str(), MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = "Text file (*.txt)\0*.txt\0";
    ofn.lpstrFile = buf;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = "Save message log";
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT;
    if (!SaveFileDialog(&ofn)) return;
    name = buf;
  }
  m_fileName = name;
  const std::string error = SaveTo(name);
  if (!error.empty()) ShowError(error);
}

void MessageLogWindow::OnFilter() {
  LogFilter filter = m_store.Filter();
  const bool ok = FilterDialogHook ? FilterDialogHook(filter) : RunFilterDialog(m_hwnd, filter);
  if (ok) ApplyFilter(filter);
}

LRESULT MessageLogWindow::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom != m_list) return 0;
  // The window is a Unicode one, so the list asks in UTF-16. The hook records
  // texts in the ANSI code page (the ring is the same for both bitnesses and
  // both kinds of target window), and they are shown from there.
  if (hdr->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
      const std::string cell = m_store.Cell(static_cast<size_t>(info->item.iItem), info->item.iSubItem);
      const std::wstring wide = Widen(AnsiToUtf8(cell));
      lstrcpynW(info->item.pszText, wide.c_str(), info->item.cchTextMax);
    }
    return 0;
  }
  if (hdr->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(hdr);
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText && info->item.cchTextMax > 0) {
      const std::string cell = m_store.Cell(static_cast<size_t>(info->item.iItem), info->item.iSubItem);
      lstrcpynA(info->item.pszText, cell.c_str(), info->item.cchTextMax);
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

bool MessageLogWindow::PreTranslate(MSG& msg) { return TakeDialogKeys(m_hwnd, msg); }

LRESULT MessageLogWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kDrainTimer) Drain();
      return 0;
    case WM_SIZE:
      if (m_list) Layout();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      switch (LOWORD(wParam)) {
        case IDC_LOG_PAUSE: TogglePause(); break;
        case IDC_LOG_CLEAR: ClearLog(); break;
        case IDC_LOG_FILTER: OnFilter(); break;
        case IDC_LOG_SAVE: OnSave(); break;
        case IDC_LOG_COPY: CopySelection(); break;
        case IDC_LOG_DESCENDANTS: SetDescendants(IsChecked(m_hwnd, IDC_LOG_DESCENDANTS)); break;
      }
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && m_list) SetFocus(m_list);
      return 0;
    case WM_CLOSE:
      DestroyWindow(m_hwnd);
      return 0;
    case WM_DESTROY: {
      KillTimer(m_hwnd, kDrainTimer);
      m_session.Stop();
      RECT r;
      if (!IsIconic(m_hwnd) && GetWindowRect(m_hwnd, &r)) {
        m_settings.width = r.right - r.left;
        m_settings.height = r.bottom - r.top;
      }
      if (m_options.openSettings) {
        if (auto store = m_options.openSettings()) WriteLogSettings(*store, kAppTitle, m_settings);
      }
      return 0;
    }
    case WM_NCDESTROY: {
      m_hwnd = nullptr;
      m_list = m_status = nullptr;
      auto closed = m_closed;
      if (closed) closed(this);
      return 0;
    }
  }
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

}  // namespace msglog
