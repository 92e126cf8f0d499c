#include "processes/ProcessesWindow.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "processes/SystemProcessSource.h"
#include "reading/WindowFacts.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

namespace {

constexpr int kTop = 6, kRowHeight = 23, kListTop = 36;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kHungAnswered = WM_APP + 1;
constexpr UINT kMenuInspect = 1, kMenuLog = 2, kMenuCopyPath = 3, kMenuOpenFolder = 4;

// The settings' value names, under Tarvisk's key.
constexpr const char* kPrefix = "Processes";
constexpr const char* kAll = "ProcessesAll";
constexpr const char* kAuto = "ProcessesAutoRefresh";
constexpr const char* kInterval = "ProcessesInterval";
constexpr const char* kSort = "ProcessesSort";
constexpr const char* kColumns = "ProcessesColumns";

bool ReadInt(SettingsStore& store, const std::string& title, const char* name, int32_t& value) {
  const StoredValue v = store.Read(title, name);
  return v.exists && v.type == kRegSz && ParseInt32(v.data, value);
}

// Local time of a FILETIME, as the Started column shows it.
std::string LocalStartTime(uint64_t fileTime) {
  FILETIME utc = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)}, local = {};
  SYSTEMTIME t = {};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return std::string();
  char text[32];
  wsprintfA(text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

}  // namespace

ProcessesSettings ReadProcessesSettings(SettingsStore& store, const std::string& title) {
  ProcessesSettings s;
  ReadWindowPlace(store, title, kPrefix, s);
  int32_t a = 0;
  if (ReadInt(store, title, kAll, a)) s.all = a != 0;
  if (ReadInt(store, title, kAuto, a)) s.autoRefresh = a != 0;
  if (ReadInt(store, title, kInterval, a)) s.interval = std::clamp<int>(a, 1, 3600);
  // The sort as column * 2 + descending.
  if (ReadInt(store, title, kSort, a) && a >= 0 && a < 2 * kProcessColumnCount) {
    s.sortColumn = a / 2;
    s.descending = a % 2 != 0;
  }
  const StoredValue columns = store.Read(title, kColumns);
  if (columns.exists && columns.type == kRegSz) s.columnWidths = ParseColumnWidthList(columns.data, kProcessColumnCount);
  return s;
}

void WriteProcessesSettings(SettingsStore& store, const std::string& title, const ProcessesSettings& s) {
  WriteWindowPlace(store, title, kPrefix, s);
  store.WriteString(title, kAll, s.all ? "1" : "0");
  store.WriteString(title, kAuto, s.autoRefresh ? "1" : "0");
  store.WriteString(title, kInterval, std::to_string(s.interval));
  store.WriteString(title, kSort, std::to_string(s.sortColumn * 2 + (s.descending ? 1 : 0)));
  if (!s.columnWidths.empty()) store.WriteString(title, kColumns, ColumnWidthListText(s.columnWidths));
}

// One round of questions to the threads, on a thread of its own: a hung
// thread costs that thread the time-out, never the window. The window takes
// the answers when told, or never when it closed meanwhile.
struct ProcessesWindow::HungCheck {
  std::mutex lock;
  std::vector<std::pair<uint32_t, Hung>> answers;
  std::atomic<bool> running{false};
  std::atomic<HWND> window{nullptr};
};

ProcessesWindow::ProcessesWindow(ProcessesHost& host) : m_host(host), m_hung(std::make_shared<HungCheck>()) {}

ProcessesWindow::~ProcessesWindow() {
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  m_hung->window = nullptr;
}

bool ProcessesWindow::Open(uint32_t processId) {
  const bool fresh = m_hwnd == nullptr;
  if (fresh) {
    if (auto store = m_host.OpenSettings()) m_settings = ReadProcessesSettings(*store, kAppTitle);
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    RECT wanted = {m_settings.left, m_settings.top, m_settings.left + m_settings.width,
                   m_settings.top + m_settings.height};
    // A position on no monitor (a display since taken away) is no position.
    if (m_settings.hasPosition && MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL)) {
      x = wanted.left;
      y = wanted.top;
    }
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterClass(kClassName, LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, Widen(kClassName).c_str(), L"Processes",
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, m_settings.width, m_settings.height, nullptr,
                         nullptr, GetModuleHandleW(nullptr), this)) {
      return false;
    }
    BuildControls();
    // A stored size is the window's own in pixels: only the design size scales.
    const ProcessesSettings design;
    if (m_settings.width != design.width || m_settings.height != design.height) {
      SetWindowPos(m_hwnd, nullptr, 0, 0, m_settings.width, m_settings.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout();
    m_view.SortBy(static_cast<ProcessColumn>(m_settings.sortColumn), m_settings.descending);
  }
  // Opens on the target's thread, or on the process asked for: that process
  // is open before the first reading, which reads the rows that show.
  const HWND target = m_host.CurrentTarget();
  RowKey key{RowKind::Process, processId};
  if (!processId && target && IsWindow(target)) {
    Win32WindowSystem ws;
    const WindowFacts f = ReadWindowFacts(ws, FromHwnd(target), Facts::Process | Facts::Thread);
    key = f.threadId ? RowKey{RowKind::Thread, f.threadId} : RowKey{RowKind::Process, f.processId};
    m_view.SetExpanded({RowKind::Process, f.processId}, true);
  } else if (processId) {
    m_view.SetExpanded(key, true);
  }
  // The first reading, or a new one of the process now open.
  Fill();
  if (fresh) {
    SetTimerFromOptions();
    ShowWindow(m_hwnd, SW_SHOW);
  }
  if (IsIconic(m_hwnd)) ShowWindow(m_hwnd, SW_RESTORE);
  SetForegroundWindow(m_hwnd);
  if (key.id && m_view.Reveal(key)) {
    m_view.SetExpanded(key, true);
    ReadThreadStates();
    ShowRows(nullptr);
    Select(key);
    StartHungCheck();
  }
  SetFocus(m_list);
  return true;
}

void ProcessesWindow::Close() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

void ProcessesWindow::BuildControls() {
  // Each row: kind, id, caption, left, top, width, height, hint (at 96 dpi).
  ::CreateControls(m_hwnd, {
      {ControlKind::Label, IDC_PROC_FIND_LABEL, "Fin&d:", 6, kTop + 4, 30, 17, ""},
      {ControlKind::Edit, IDC_PROC_FIND_TEXT, "", 38, kTop + 1, 110, 21,
       "|A process id or part of its name, or a thread id"},
      {ControlKind::Button, IDC_PROC_FIND, "&Find", 152, kTop, 55, kRowHeight, "|The first process or thread found"},
      {ControlKind::Button, IDC_PROC_NEXT, "&Next", 210, kTop, 55, kRowHeight, "|The next one found"},
      {ControlKind::Button, IDC_PROC_PREVIOUS, "Pre&vious", 268, kTop, 60, kRowHeight, "|The one found before"},
      {ControlKind::Button, IDC_PROC_REFRESH, "&Refresh", 336, kTop, 60, kRowHeight,
       "|Read the processes, threads and windows again"},
      {ControlKind::CheckBox, IDC_PROC_ALL, "&All processes", 404, kTop + 3, 95, 17,
       "|Also the processes that have no windows"},
      {ControlKind::CheckBox, IDC_PROC_AUTO, "Au&to-refresh every", 504, kTop + 3, 115, 17,
       "|Refresh by itself every few seconds"},
      {ControlKind::Edit, IDC_PROC_INTERVAL, "", 620, kTop + 1, 36, 21, "|Seconds between refreshes"},
      {ControlKind::Label, IDC_PROC_SECONDS, "&seconds", 660, kTop + 4, 45, 17, ""},
  });
  SetChecked(m_hwnd, IDC_PROC_ALL, m_settings.all);
  SetChecked(m_hwnd, IDC_PROC_AUTO, m_settings.autoRefresh);
  SetControlText(Item(m_hwnd, IDC_PROC_INTERVAL), std::to_string(m_settings.interval));
  m_list = CreateOwnerDataList(m_hwnd, IDC_PROC_LIST, 0, kListTop, 100, 100, LVS_SINGLESEL);
  for (int c = 0; c < kProcessColumnCount; ++c) {
    const ColumnInfo& info = ProcessColumnInfo(static_cast<ProcessColumn>(c));
    AddListColumn(m_list, c, info.caption,
                  m_settings.columnWidths.empty() ? info.width : m_settings.columnWidths[static_cast<size_t>(c)]);
  }
  m_status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_hwnd,
                             reinterpret_cast<HMENU>(IDC_PROC_STATUS), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(m_status, SB_SIMPLE, TRUE, 0);
  SetControlHint(m_status, "");
  m_fonts.Prepare(m_hwnd);
}

void ProcessesWindow::Layout() {
  RECT r;
  GetClientRect(m_hwnd, &r);
  SendMessageA(m_status, WM_SIZE, 0, 0);
  RECT sr = {};
  GetWindowRect(m_status, &sr);
  const int top = m_fonts.Scaled(kListTop);
  MoveWindow(m_list, 0, top, r.right, std::max<int>(0, r.bottom - top - (sr.bottom - sr.top)), TRUE);
}

void ProcessesWindow::Fill() {
  const DWORD started = GetTickCount();
  RowKey selected;
  const bool hadSelection = Selected(selected);
  Win32WindowSystem ws;
  auto source = MakeSystemProcessSource();
  TreeOptions options;
  options.allProcesses = IsChecked(m_hwnd, IDC_PROC_ALL);
  // Only what shows is read again: the rows of open processes. The rest keep
  // what the last reading found, and are read when opened.
  if (!m_view.Tree().known.empty()) options.previous = &m_view.Tree();
  options.open = [this](uint32_t processId) { return m_view.IsExpanded({RowKind::Process, processId}); };
  ProcessTree tree = BuildProcessTree(ws, *source, options);
  // The answers of the last round stand until the next one comes in.
  for (ProcessNode& p : tree.processes) {
    for (ThreadNode& t : p.threads) {
      const ThreadNode* before = m_view.Tree().FindThread(t.id);
      if (before) t.hung = before->hung;
    }
  }
  m_view.SetTree(std::move(tree));
  ShowRows(hadSelection ? &selected : nullptr);
  StartHungCheck();
  m_lastFillMs = GetTickCount() - started;
}

void ProcessesWindow::Refresh() {
  if (m_hwnd) Fill();
}

void ProcessesWindow::ShowRows(const RowKey* keep) {
  // Off while the count changes: under Wine a list redrawn per change costs
  // milliseconds per row.
  SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(m_list, LVM_SETITEMCOUNT, m_view.Rows().size(), LVSICF_NOSCROLL);
  if (keep) Select(*keep);
  SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(m_list, nullptr, FALSE);
  const ProcessTree& t = m_view.Tree();
  size_t threads = 0;
  for (const ProcessNode& p : t.processes) threads += p.threads.size();
  const std::string status = std::to_string(t.processes.size()) + " processes, " + std::to_string(threads) +
                             " threads, " + std::to_string(t.windowCount) + " windows";
  SendMessageA(m_status, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(status.c_str()));
}

bool ProcessesWindow::Selected(RowKey& key) const {
  if (!m_list) return false;
  const int row = static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0 || static_cast<size_t>(row) >= m_view.Rows().size()) return false;
  key = m_view.Rows()[static_cast<size_t>(row)].key;
  return true;
}

void ProcessesWindow::Select(const RowKey& key) {
  const int row = m_view.IndexOf(key);
  if (row < 0 || !m_list) return;
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(m_list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ProcessesWindow::RevealAndRead(const RowKey& key) {
  const std::set<uint32_t> wasOpen = OpenProcesses();
  m_view.Reveal(key);
  // A process opened by the search shows texts not read yet.
  if (OpenProcesses() != wasOpen) Fill();
  ShowRows(&key);
}

std::set<uint32_t> ProcessesWindow::OpenProcesses() const {
  std::set<uint32_t> open;
  for (const ProcessNode& p : m_view.Tree().processes) {
    if (m_view.IsExpanded({RowKind::Process, p.record.id})) open.insert(p.record.id);
  }
  return open;
}

void ProcessesWindow::ReadThreadStates() {
  auto source = MakeSystemProcessSource();
  for (ProcessNode& p : m_view.MutableTree().processes) {
    if (!m_view.IsExpanded({RowKind::Process, p.record.id})) continue;
    for (ThreadNode& t : p.threads) {
      if (t.windowCount && !t.gui.known) t.gui = source->Gui(t.id);
    }
  }
}

void ProcessesWindow::StartHungCheck() {
  if (m_hung->running) return;
  std::vector<std::pair<uint32_t, Hwnd>> asks;
  for (const ProcessNode& p : m_view.Tree().processes) {
    // A thread's row shows only under its open process.
    if (!m_view.IsExpanded({RowKind::Process, p.record.id})) continue;
    for (const ThreadNode& t : p.threads) {
      if (const Hwnd w = WindowToAsk(t)) asks.emplace_back(t.id, w);
    }
  }
  if (asks.empty()) return;
  m_hung->running = true;
  m_hung->window = m_hwnd;
  std::shared_ptr<HungCheck> check = m_hung;
  try {
    std::thread([check, asks] {
      std::vector<std::pair<uint32_t, Hung>> answers;
      for (const auto& a : asks) {
        if (!check->window.load()) break;
        answers.emplace_back(a.first, AskWhetherHung(a.second));
      }
      {
        std::lock_guard<std::mutex> hold(check->lock);
        check->answers = std::move(answers);
      }
      check->running = false;
      if (const HWND w = check->window.load()) PostMessageW(w, kHungAnswered, 0, 0);
    }).detach();
  } catch (const std::exception&) {
    m_hung->running = false;  // no thread to be had: the column stays as it was
  }
}

void ProcessesWindow::TakeHungAnswers() {
  std::vector<std::pair<uint32_t, Hung>> answers;
  {
    std::lock_guard<std::mutex> hold(m_hung->lock);
    answers.swap(m_hung->answers);
  }
  ProcessTree& tree = m_view.MutableTree();
  for (ProcessNode& p : tree.processes) {
    for (ThreadNode& t : p.threads) {
      for (const auto& a : answers) {
        if (a.first == t.id) t.hung = a.second;
      }
    }
  }
  ++m_hungChecks;
  InvalidateRect(m_list, nullptr, FALSE);
}

bool ProcessesWindow::FindFirst() {
  m_foundText = WindowTextOf(Item(m_hwnd, IDC_PROC_FIND_TEXT));
  m_found = m_view.Find(m_foundText);
  m_foundAt = 0;
  if (m_found.empty()) {
    SendMessageA(m_status, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(("Not found: " + m_foundText).c_str()));
    MessageBeep(MB_ICONASTERISK);
    return false;
  }
  RevealAndRead(m_found[0]);
  return true;
}

bool ProcessesWindow::FindStep(int direction) {
  if (m_found.empty() || m_foundText != WindowTextOf(Item(m_hwnd, IDC_PROC_FIND_TEXT))) return FindFirst();
  const size_t n = m_found.size();
  m_foundAt = (m_foundAt + n + static_cast<size_t>(direction > 0 ? 1 : n - 1)) % n;
  RevealAndRead(m_found[m_foundAt]);
  return true;
}

void ProcessesWindow::ToggleRow(int row, int open) {
  if (row < 0 || static_cast<size_t>(row) >= m_view.Rows().size()) return;
  const ViewRow r = m_view.Rows()[static_cast<size_t>(row)];
  if (!r.expandable) return;
  const bool want = open < 0 ? !r.expanded : open > 0;
  if (want == r.expanded) return;
  m_view.SetExpanded(r.key, want);
  // An opened process is read afresh: its threads' states and windows' texts.
  if (want && r.key.kind == RowKind::Process) {
    Fill();
    Select(r.key);
  } else {
    ShowRows(&r.key);
  }
}

void ProcessesWindow::Activate(int row) {
  if (row < 0 || static_cast<size_t>(row) >= m_view.Rows().size()) return;
  const ViewRow& r = m_view.Rows()[static_cast<size_t>(row)];
  if (r.key.kind == RowKind::Window) {
    m_host.Inspect(ToHwnd(r.key.id));
  } else {
    ToggleRow(row, -1);
  }
}

void ProcessesWindow::ShowMenu(int row, POINT at) {
  if (row < 0 || static_cast<size_t>(row) >= m_view.Rows().size()) return;
  const ViewRow r = m_view.Rows()[static_cast<size_t>(row)];
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  if (r.key.kind == RowKind::Window) {
    AppendMenuA(menu, MF_STRING, kMenuInspect, "&Inspect\tEnter");
  } else if (r.key.kind == RowKind::Thread) {
    AppendMenuA(menu, MF_STRING | (WindowToAsk(*r.thread) ? 0 : MF_GRAYED), kMenuLog, "&Message log of this thread");
  } else {
    const UINT path = r.process->stats.path.empty() ? MF_GRAYED : 0;
    AppendMenuA(menu, MF_STRING | path, kMenuCopyPath, "&Copy path");
    AppendMenuA(menu, MF_STRING | path, kMenuOpenFolder, "&Open folder");
  }
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hwnd, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case kMenuInspect: m_host.Inspect(ToHwnd(r.key.id)); break;
    case kMenuLog: m_host.OpenThreadLog(ToHwnd(WindowToAsk(*r.thread))); break;
    case kMenuCopyPath: PutTextOnClipboard(m_hwnd, Utf8ToAnsi(r.process->stats.path)); break;
    case kMenuOpenFolder: {
      // The folder opens with the file selected in it.
      const std::wstring args = L"/select,\"" + Widen(r.process->stats.path) + L"\"";
      ShellExecuteW(m_hwnd, L"open", L"explorer.exe", args.c_str(), nullptr, SW_SHOWNORMAL);
      break;
    }
    default: break;
  }
}

void ProcessesWindow::SetTimerFromOptions() {
  m_settings.autoRefresh = IsChecked(m_hwnd, IDC_PROC_AUTO);
  int32_t seconds = 0;
  if (ParseInt32(WindowTextOf(Item(m_hwnd, IDC_PROC_INTERVAL)), seconds)) {
    m_settings.interval = std::clamp<int>(seconds, 1, 3600);
  }
  ScheduleRefresh();
}

void ProcessesWindow::ScheduleRefresh() {
  KillTimer(m_hwnd, kRefreshTimer);
  if (!m_settings.autoRefresh) return;
  const UINT wanted = static_cast<UINT>(m_settings.interval) * 1000u;
  SetTimer(m_hwnd, kRefreshTimer, std::max<UINT>(wanted, 20u * m_lastFillMs), nullptr);
}

LRESULT ProcessesWindow::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom != m_list) return 0;
  switch (hdr->code) {
    case LVN_GETDISPINFOW:
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(hdr);
      const size_t row = static_cast<size_t>(info->item.iItem);
      if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0 ||
          row >= m_view.Rows().size()) {
        return 0;
      }
      const ViewRow& r = m_view.Rows()[row];
      CellFormat format;
      format.startTime = LocalStartTime;
      std::string cell = CellText(r, static_cast<ProcessColumn>(info->item.iSubItem), format);
      if (info->item.iSubItem == 0) {
        // The tree's shape in the first column: depth, and whether the row opens.
        cell = std::string(static_cast<size_t>(r.depth) * 4, ' ') + (r.expandable ? (r.expanded ? "- " : "+ ") : "  ") +
               cell;
      }
      if (hdr->code == LVN_GETDISPINFOW) {
        m_cell = Widen(cell);
        lstrcpynW(info->item.pszText, m_cell.c_str(), info->item.cchTextMax);
      } else {
        lstrcpynA(reinterpret_cast<NMLVDISPINFOA*>(hdr)->item.pszText, Utf8ToAnsi(cell).c_str(),
                  info->item.cchTextMax);
      }
      return 0;
    }
    case LVN_COLUMNCLICK: {
      const auto column = static_cast<ProcessColumn>(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
      RowKey selected;
      const bool had = Selected(selected);
      m_view.SortBy(column, column == m_view.SortColumn() ? !m_view.SortDescending() : false);
      ShowRows(had ? &selected : nullptr);
      return 0;
    }
    case NM_DBLCLK:
      Activate(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem);
      return 0;
    case NM_RCLICK: {
      POINT at;
      GetCursorPos(&at);
      ShowMenu(reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem, at);
      return 0;
    }
    case LVN_KEYDOWN: {
      const WORD key = reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey;
      const int row = static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
      if (key == VK_RIGHT || key == VK_ADD) ToggleRow(row, 1);
      if (key == VK_LEFT || key == VK_SUBTRACT) ToggleRow(row, 0);
      if (key == VK_RETURN) Activate(row);
      if (key == VK_APPS && row >= 0) {
        RECT r = {};
        ListView_GetItemRect(m_list, row, &r, LVIR_LABEL);
        POINT at = {r.left, r.bottom};
        ClientToScreen(m_list, &at);
        ShowMenu(row, at);
      }
      return 0;
    }
  }
  return 0;
}

bool ProcessesWindow::PreTranslate(MSG& msg) {
  if (!m_hwnd) return false;
  // Enter in the list acts on the row; in the find box it finds the next.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    if (msg.hwnd == m_list) {
      Activate(static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
      return true;
    }
    if (msg.hwnd == Item(m_hwnd, IDC_PROC_FIND_TEXT)) {
      FindStep(1);
      return true;
    }
  }
  return TakeDialogKeys(m_hwnd, msg);
}

void ProcessesWindow::SaveSettings() {
  auto store = m_host.OpenSettings();
  if (!store) return;
  RECT r;
  // A minimised or maximised window keeps the place it was last given.
  if (!IsIconic(m_hwnd) && !IsZoomed(m_hwnd) && GetWindowRect(m_hwnd, &r)) {
    m_settings.hasPosition = true;
    m_settings.left = r.left;
    m_settings.top = r.top;
    m_settings.width = r.right - r.left;
    m_settings.height = r.bottom - r.top;
  }
  m_settings.all = IsChecked(m_hwnd, IDC_PROC_ALL);
  m_settings.sortColumn = static_cast<int>(m_view.SortColumn());
  m_settings.descending = m_view.SortDescending();
  // Widths back at 96 dpi, as the table gives them.
  const int fontHeight = std::max(1, m_fonts.FontHeight());
  m_settings.columnWidths.clear();
  for (int c = 0; c < kProcessColumnCount; ++c) {
    const int w = static_cast<int>(SendMessageW(m_list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    m_settings.columnWidths.push_back(MulDiv(w, kDesignFontHeight, fontHeight));
  }
  WriteProcessesSettings(*store, kAppTitle, m_settings);
}

LRESULT ProcessesWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (m_list) Layout();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PROC_FIND: FindFirst(); break;
        case IDC_PROC_NEXT: FindStep(1); break;
        case IDC_PROC_PREVIOUS: FindStep(-1); break;
        case IDC_PROC_REFRESH: Refresh(); break;
        case IDC_PROC_ALL: Refresh(); break;
        case IDC_PROC_AUTO: SetTimerFromOptions(); break;
        case IDC_PROC_INTERVAL:
          if (HIWORD(wParam) == EN_CHANGE) SetTimerFromOptions();
          break;
        default: break;
      }
      return 0;
    case WM_TIMER:
      if (wParam == kRefreshTimer) {
        Refresh();
        ScheduleRefresh();
      }
      return 0;
    case kHungAnswered:
      TakeHungAnswers();
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && m_list && !IsChild(m_hwnd, GetFocus())) SetFocus(m_list);
      return 0;
    case WM_CLOSE:
      DestroyWindow(m_hwnd);
      return 0;
    case WM_DESTROY:
      KillTimer(m_hwnd, kRefreshTimer);
      m_hung->window = nullptr;
      SaveSettings();
      return 0;
    case WM_NCDESTROY:
      m_hwnd = nullptr;
      m_list = m_status = nullptr;
      // A round still out keeps its own state; the next window starts afresh.
      m_hung = std::make_shared<HungCheck>();
      return 0;
  }
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}
