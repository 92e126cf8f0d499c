#include "events/EventsWindow.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/CodePages.h"
#include "platform/OnDemandDlls.h"
#include "platform/ReportFile.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;

// Captions of the kinds' check boxes, in EventKind order; every mnemonic of
// the window differs from the others.
constexpr const char* kKindCaptions[kEventKindCount] = {"Cr&eated", "&Destroyed", "S&hown",      "H&idden",
                                                        "&Retitled", "&Moved",    "&Foreground", "Foc&us"};
constexpr int kKindLeft = 8, kKindWidth = 90, kKindTop = 40;

}  // namespace

EventsWindow::~EventsWindow() {
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool EventsWindow::Open(std::string* error) {
  if (m_hwnd) {
    if (IsIconic(m_hwnd)) ShowWindow(m_hwnd, SW_RESTORE);
    SetForegroundWindow(m_hwnd);
    return true;
  }
  if (auto store = m_host.OpenSettings()) m_settings = ReadEventsSettings(*store, kAppTitle);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  RECT wanted = {m_settings.left, m_settings.top, m_settings.left + m_settings.width,
                 m_settings.top + m_settings.height};
  // A position on no monitor (a display since taken away) is no position.
  if (m_settings.hasPosition && MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
    x = wanted.left;
    y = wanted.top;
  }
  m_store.SetFilter(m_settings.filter);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClass(kClassName, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
  if (!CreateWindowExW(WS_EX_CONTROLPARENT, Widen(kClassName).c_str(), L"Window events",
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, m_settings.width, m_settings.height, nullptr,
                       nullptr, GetModuleHandleW(nullptr), this)) {
    if (error) *error = "Cannot open the Events window: " + SystemErrorText(GetLastError());
    return false;
  }
  m_openTick = GetTickCount();
  BuildControls();
  // A stored size is the window's own in pixels: only the design size scales.
  const EventsWindowSettings design;
  if (m_settings.width != design.width || m_settings.height != design.height) {
    SetWindowPos(m_hwnd, nullptr, 0, 0, m_settings.width, m_settings.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
  m_paused = false;
  StartRecording();
  ShowWindow(m_hwnd, SW_SHOW);
  SetFocus(m_list);
  return true;
}

void EventsWindow::Close() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

void EventsWindow::BuildControls() {
  // Each row: kind, id, caption, left, top, width, height (96 dpi), hint.
  ::CreateControls(m_hwnd, {
      {ControlKind::CheckBox, IDC_EVENTS_PAUSE, "&Pause", 8, 10, 60, 17, "|Stop or resume recording"},
      {ControlKind::Button, IDC_EVENTS_CLEAR, "Cle&ar", 72, 6, 70, 25, "|Remove every recorded event"},
      {ControlKind::Button, IDC_EVENTS_COPY, "&Copy", 146, 6, 70, 25, "|Copy the selected rows"},
      {ControlKind::Button, IDC_EVENTS_SAVE, "&Save...", 220, 6, 70, 25,
       "|Save the shown rows as text or as JSON lines"},
      {ControlKind::CheckBox, IDC_EVENTS_TOPLEVEL, "&Top-level only", 302, 10, 100, 17,
       "|Show the events of top-level windows only"},
      {ControlKind::Label, IDC_EVENTS_PROCESS_LABEL, "Pr&ocess:", 408, 11, 46, 15},
      {ControlKind::Edit, IDC_EVENTS_PROCESS, "", 456, 8, 100, 21,
       "|Show one process's events: its executable's name or its id"},
      {ControlKind::Label, IDC_EVENTS_SELECTOR_LABEL, "Se&lector:", 564, 11, 48, 15},
      {ControlKind::Edit, IDC_EVENTS_SELECTOR, "", 614, 8, 210, 21,
       "|Show the events of the windows a selector names"},
  });
  for (int k = 0; k < kEventKindCount; ++k) {
    CreateControl(m_hwnd, {ControlKind::CheckBox, IDC_EVENTS_KIND_FIRST + k, kKindCaptions[k],
                           kKindLeft + k * kKindWidth, kKindTop, kKindWidth - 4, 17, "|Show events of this kind"});
  }
  // Rows are asked for as they are drawn (owner data, set only at creation):
  // a long recording costs its count.
  m_list = CreateOwnerDataList(m_hwnd, IDC_EVENTS_LIST, 0, 62, 828, 340);
  for (int c = 0; c < kEventColumnCount; ++c) {
    AddListColumn(m_list, c, EventColumnTitle(c), m_settings.columns[static_cast<size_t>(c)]);
  }
  m_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hwnd,
                             reinterpret_cast<HMENU>(IDC_EVENTS_STATUS), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(m_status, SB_SIMPLE, TRUE, 0);
  m_shownStatus.clear();
  SetControlHint(m_status, "");
  m_fonts.Prepare(m_hwnd);
  ShowFilter();
}

void EventsWindow::Layout() {
  if (!m_list) return;
  RECT client, list, status;
  GetClientRect(m_hwnd, &client);
  SendMessageW(m_status, WM_SIZE, 0, 0);
  GetWindowRect(m_status, &status);
  GetWindowRect(m_list, &list);
  MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&list), 2);
  // The list keeps the top its row gave it, as scaled; it takes the rest.
  const int bottom = client.bottom - (status.bottom - status.top);
  MoveWindow(m_list, 0, list.top, client.right, std::max<int>(0, bottom - list.top), TRUE);
}

void EventsWindow::StartRecording() {
  WindowEvent started;
  std::string error;
  if (!m_session.Start(&started, &error)) {
    m_notice = error;
    m_paused = true;
    SetChecked(m_hwnd, IDC_EVENTS_PAUSE, true);
    Refresh();
    return;
  }
  m_sessionTick = GetTickCount();
  AddEvent(started);
  m_pollMs = kPollMs;
  SetTimer(m_hwnd, kPollTimer, m_pollMs, nullptr);
}

void EventsWindow::AddEvent(const WindowEvent& e) {
  WindowEvent shifted = e;
  // Times count from the window's opening, across pauses.
  shifted.timeMs += m_sessionTick - m_openTick;
  m_store.Add(std::move(shifted));
}

void EventsWindow::Tick() {
  if (!m_session.Running()) return;
  m_session.Poll();
  for (WindowEvent& e : m_session.Take()) AddEvent(e);
  if (m_session.PollIntervalMs() != m_pollMs) {
    m_pollMs = m_session.PollIntervalMs();
    SetTimer(m_hwnd, kPollTimer, m_pollMs, nullptr);
  }
  Refresh();
}

void EventsWindow::Refresh() {
  if (!m_list) return;
  const size_t removed = m_store.TakeRowsRemoved();
  const size_t rows = m_store.RowCount();
  if (rows != m_shownRows || removed) {
    // Following the newest row: the last row was in view before this update.
    const int top = static_cast<int>(SendMessageW(m_list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageW(m_list, LVM_GETCOUNTPERPAGE, 0, 0));
    const bool following = m_shownRows == 0 || static_cast<size_t>(top + perPage) >= m_shownRows;
    SendMessageW(m_list, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
    if (following && rows) SendMessageW(m_list, LVM_ENSUREVISIBLE, rows - 1, FALSE);
    InvalidateRect(m_list, nullptr, FALSE);
    m_shownRows = rows;
  }
  std::string status = StatusText();
  if (status != m_shownStatus) {
    SendMessageW(m_status, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Widen(status).c_str()));
    m_shownStatus = std::move(status);
  }
}

std::string EventsWindow::StatusText() const {
  std::string s = m_notice.empty() ? std::string() : m_notice + ". ";
  s += std::to_string(m_store.RowCount() ) + " shown of " + std::to_string(m_store.Size()) + ":";
  for (int k = 0; k < kEventKindCount; ++k) {
    const EventKind kind = static_cast<EventKind>(k);
    s += std::string(k ? ", " : " ") + EventKindName(kind) + " " + std::to_string(m_store.Count(kind));
  }
  s += "; " + std::to_string(m_store.Dropped()) + " dropped";
  if (m_paused) s += "; paused";
  if (!m_store.Matcher().SelectorError().empty()) s += "; selector not applied: " + m_store.Matcher().SelectorError();
  return s;
}

void EventsWindow::SetPaused(bool paused) {
  if (paused == m_paused) return;
  m_paused = paused;
  if (m_hwnd) SetChecked(m_hwnd, IDC_EVENTS_PAUSE, paused);
  if (paused) {
    Tick();
    KillTimer(m_hwnd, kPollTimer);
    m_session.Stop();
  } else {
    m_notice.clear();
    StartRecording();
  }
  Refresh();
}

void EventsWindow::ClearEvents() {
  m_store.Clear();
  m_notice.clear();
  m_shownRows = static_cast<size_t>(-1);
  Refresh();
}

void EventsWindow::ShowFilter() {
  m_showingFilter = true;
  const EventFilter& f = m_settings.filter;
  for (int k = 0; k < kEventKindCount; ++k) SetChecked(m_hwnd, IDC_EVENTS_KIND_FIRST + k, f.kinds & (1u << k));
  SetChecked(m_hwnd, IDC_EVENTS_TOPLEVEL, f.topLevelOnly);
  SetControlText(Item(m_hwnd, IDC_EVENTS_PROCESS), f.process);
  SetControlText(Item(m_hwnd, IDC_EVENTS_SELECTOR), f.selector);
  m_showingFilter = false;
}

void EventsWindow::ReadFilter() {
  if (m_showingFilter) return;
  EventFilter f;
  f.kinds = 0;
  for (int k = 0; k < kEventKindCount; ++k) {
    if (IsChecked(m_hwnd, IDC_EVENTS_KIND_FIRST + k)) f.kinds |= 1u << k;
  }
  f.topLevelOnly = IsChecked(m_hwnd, IDC_EVENTS_TOPLEVEL);
  f.process = WindowTextOf(Item(m_hwnd, IDC_EVENTS_PROCESS));
  f.selector = WindowTextOf(Item(m_hwnd, IDC_EVENTS_SELECTOR));
  m_settings.filter = f;
  m_store.SetFilter(f);
  m_shownRows = static_cast<size_t>(-1);
  Refresh();
}

void EventsWindow::ApplyFilter(const EventFilter& filter) {
  m_settings.filter = filter;
  if (m_hwnd) ShowFilter();
  m_store.SetFilter(filter);
  m_shownRows = static_cast<size_t>(-1);
  Refresh();
}

bool EventsWindow::Activate(size_t row) {
  if (row >= m_store.RowCount()) return false;
  const WindowEvent& e = m_store.Row(row);
  if (e.kind == EventKind::Started) return false;
  const Hwnd w = e.window.handle;
  const bool there = IsWindow(ToHwnd(w)) && m_host.Inspect(w);
  m_notice = there ? std::string() : "The window " + EventHandleText(w) + " is gone";
  Refresh();
  return there;
}

std::string EventsWindow::SaveTo(const std::string& path, bool json) const {
  std::string text;
  if (!json) {
    for (int c = 0; c < kEventColumnCount; ++c) text += std::string(c ? "\t" : "") + EventColumnTitle(c);
    text += "\r\n";
  }
  for (size_t row = 0; row < m_store.RowCount(); ++row) {
    text += json ? EventJsonLine(m_store.Row(row)) + "\n" : EventTextLine(m_store.Row(row)) + "\r\n";
  }
  std::string error;
  return SaveFileReplacing(path, text, &error) ? "" : error;
}

std::string EventsWindow::SelectedText() const {
  std::string text;
  if (!m_list) return text;
  int row = -1;
  while ((row = static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
    if (static_cast<size_t>(row) < m_store.RowCount()) text += EventTextLine(m_store.Row(row)) + "\r\n";
  }
  return text;
}

void EventsWindow::SelectAll() {
  LVITEMW item = {};
  item.stateMask = item.state = LVIS_SELECTED;
  SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void EventsWindow::OnSave() {
  std::string name = m_fileName.empty() ? "Window events.txt" : m_fileName;
  bool json = m_fileJson;
  if (SaveDialogHook) {
    if (!SaveDialogHook(name, json)) return;
  } else {
    char buf[MAX_PATH] = {};
    lstrcpynA(buf, name.c_str(), MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = "Text (*.txt)\0*.txt\0JSON lines (*.jsonl)\0*.jsonl\0";
    ofn.nFilterIndex = json ? 2 : 1;
    ofn.lpstrFile = buf;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = "Save window events";
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT;
    if (!SaveFileDialog(&ofn)) return;
    name = buf;
    const size_t dot = name.find_last_of('.');
    const std::string ext = dot == std::string::npos ? "" : name.substr(dot);
    json = ofn.nFilterIndex == 2 || lstrcmpiA(ext.c_str(), ".jsonl") == 0 || lstrcmpiA(ext.c_str(), ".json") == 0;
  }
  m_fileName = name;
  m_fileJson = json;
  // A failed save keeps every event; it only says why.
  const std::string error = SaveTo(name, json);
  if (error.empty()) return;
  if (ErrorHook) {
    ErrorHook(error);
  } else {
    ShowErrorBox(m_hwnd, error);
  }
}

LRESULT EventsWindow::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom != m_list) return 0;
  if (hdr->code == LVN_GETDISPINFOW || hdr->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    const size_t row = static_cast<size_t>(info->item.iItem);
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0 ||
        row >= m_store.RowCount()) {
      return 0;
    }
    const std::string cell = EventCell(m_store.Row(row), info->item.iSubItem);
    if (hdr->code == LVN_GETDISPINFOW) {
      lstrcpynW(info->item.pszText, Widen(cell).c_str(), info->item.cchTextMax);
    } else {
      auto* ansi = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      lstrcpynA(ansi->item.pszText, Utf8ToAnsi(cell).c_str(), ansi->item.cchTextMax);
    }
    return 0;
  }
  if (hdr->code == LVN_ITEMACTIVATE) {
    const auto* item = reinterpret_cast<NMITEMACTIVATE*>(hdr);
    if (item->iItem >= 0) Activate(static_cast<size_t>(item->iItem));
    return 0;
  }
  if (hdr->code == LVN_KEYDOWN) {
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(hdr);
    if (GetKeyState(VK_CONTROL) < 0 && key->wVKey == 'C') PutTextOnClipboard(m_hwnd, SelectedText());
    if (GetKeyState(VK_CONTROL) < 0 && key->wVKey == 'A') SelectAll();
  }
  return 0;
}

bool EventsWindow::PreTranslate(MSG& msg) { return TakeDialogKeys(m_hwnd, msg); }

void EventsWindow::SaveSettings() {
  RECT r;
  // A minimised or maximised window keeps the place it was last given.
  if (!IsIconic(m_hwnd) && !IsZoomed(m_hwnd) && GetWindowRect(m_hwnd, &r)) {
    m_settings.hasPosition = true;
    m_settings.left = r.left;
    m_settings.top = r.top;
    m_settings.width = r.right - r.left;
    m_settings.height = r.bottom - r.top;
  }
  for (int c = 0; c < kEventColumnCount; ++c) {
    m_settings.columns[static_cast<size_t>(c)] = static_cast<int>(SendMessageW(m_list, LVM_GETCOLUMNWIDTH, c, 0));
  }
  if (auto store = m_host.OpenSettings()) WriteEventsSettings(*store, kAppTitle, m_settings);
}

LRESULT EventsWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kPollTimer) Tick();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK && GetFocus() == m_list) {
        // Enter, which the dialog keys take from the list.
        const int row = static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (row >= 0) Activate(static_cast<size_t>(row));
        return 0;
      }
      if (HIWORD(wParam) == EN_CHANGE && (id == IDC_EVENTS_PROCESS || id == IDC_EVENTS_SELECTOR)) {
        ReadFilter();
        return 0;
      }
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (id == IDC_EVENTS_PAUSE) SetPaused(IsChecked(m_hwnd, IDC_EVENTS_PAUSE));
      if (id == IDC_EVENTS_CLEAR) ClearEvents();
      if (id == IDC_EVENTS_COPY) PutTextOnClipboard(m_hwnd, SelectedText());
      if (id == IDC_EVENTS_SAVE) OnSave();
      if (id == IDC_EVENTS_TOPLEVEL || (id >= IDC_EVENTS_KIND_FIRST && id < IDC_EVENTS_KIND_FIRST + kEventKindCount)) {
        ReadFilter();
      }
      return 0;
    }
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE:
      DestroyWindow(m_hwnd);
      return 0;
    case WM_DESTROY:
      KillTimer(m_hwnd, kPollTimer);
      m_session.Stop();
      SaveSettings();
      return 0;
    case WM_NCDESTROY:
      m_hwnd = nullptr;
      m_list = m_status = nullptr;
      return 0;
  }
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}
