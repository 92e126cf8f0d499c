#include "processes/ProcessModel.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <functional>
#include <unordered_map>

#include "reading/WindowFacts.h"

namespace {

// What places a window in the tree, and what its row shows besides, read only
// where the row can show.
constexpr FactSet kPlaceFacts = Facts::Process | Facts::Thread | Facts::ClassName | Facts::Owner;
constexpr FactSet kShownFacts = Facts::Title | Facts::Visible;

// Owner chains are short; a fake or a changing desktop must not recurse forever.
constexpr int kMaxOwnerDepth = 64;

struct ReadWindow {
  WindowFacts facts;
  std::vector<size_t> owned;
  bool isOwned = false;
};

OwnedWindow MakeNode(std::vector<ReadWindow>& all, size_t index, int depth, size_t& count) {
  const WindowFacts& f = all[index].facts;
  OwnedWindow node;
  node.handle = f.handle;
  node.className = f.className;
  node.text = f.title;
  node.visible = f.visible;
  ++count;
  if (depth < kMaxOwnerDepth) {
    for (size_t child : all[index].owned) node.owned.push_back(MakeNode(all, child, depth + 1, count));
  }
  return node;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

std::string Decimal(uint64_t value) { return std::to_string(value); }

std::string Kilobytes(uint64_t bytes) { return Decimal((bytes + 1023) / 1024) + " K"; }

std::string CpuTime(uint64_t t100ns) {
  const uint64_t ms = t100ns / 10000;
  char text[48];
  std::snprintf(text, sizeof text, "%" PRIu64 ":%02u:%02u.%03u", ms / 3600000, static_cast<unsigned>(ms / 60000 % 60),
                static_cast<unsigned>(ms / 1000 % 60), static_cast<unsigned>(ms % 1000));
  return text;
}

// FILETIME (100 ns since 1601) as "YYYY-MM-DD hh:mm:ss" UTC.
std::string UtcTime(uint64_t fileTime) {
  const int64_t seconds = static_cast<int64_t>(fileTime / 10000000) - 11644473600LL;
  int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  const int64_t rest = seconds - days * 86400;
  // Civil from days (proleptic Gregorian).
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", static_cast<int>(y), static_cast<int>(m),
                static_cast<int>(d), static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                static_cast<int>(rest % 60));
  return text;
}

std::string GuiText(const GuiState& g) {
  if (!g.known) return std::string();
  std::string text;
  const auto add = [&](const char* name, Hwnd h) {
    if (!h) return;
    if (!text.empty()) text += ", ";
    text += name + Hex(h);
  };
  add("active ", g.active);
  add("focus ", g.focus);
  add("capture ", g.capture);
  return text.empty() ? "no active window" : text;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// A sort key: the number of a numeric column, the text of another; rows a
// column says nothing of sort as equal and keep their order.
struct SortKey {
  bool has = false;
  uint64_t number = 0;
  std::string text;
};

SortKey KeyOf(const ViewRow& row, ProcessColumn column) {
  SortKey k;
  const ColumnInfo& info = ProcessColumnInfo(column);
  if (info.numeric) {
    const ProcessNode* p = row.process;
    switch (column) {
      case ProcessColumn::Id: k.number = row.key.id; k.has = true; break;
      case ProcessColumn::Bits: k.has = p && !row.thread && p->stats.bits; if (k.has) k.number = static_cast<uint64_t>(p->stats.bits); break;
      case ProcessColumn::Threads: k.has = p && !row.thread; if (k.has) k.number = p->threads.size(); break;
      case ProcessColumn::Windows:
        k.has = !row.window;
        k.number = row.thread ? row.thread->windowCount : (p ? p->windowCount : 0);
        break;
      case ProcessColumn::Hung: k.has = row.thread && !row.window; if (k.has) k.number = static_cast<uint64_t>(row.thread->hung); break;
      case ProcessColumn::Cpu: k.has = p && !row.thread && p->stats.hasTimes; if (k.has) k.number = p->stats.cpu100ns; break;
      case ProcessColumn::WorkingSet: k.has = p && !row.thread && p->stats.hasMemory; if (k.has) k.number = p->stats.workingSet; break;
      case ProcessColumn::Private: k.has = p && !row.thread && p->stats.privateBytes; if (k.has) k.number = p->stats.privateBytes; break;
      case ProcessColumn::Started: k.has = p && !row.thread && p->stats.hasTimes; if (k.has) k.number = p->stats.startTime; break;
      default: break;
    }
    return k;
  }
  k.text = AsciiUpper(CellText(row, column));
  k.has = !k.text.empty();
  return k;
}

template <typename T>
void SortNodes(std::vector<T>& nodes, const std::function<ViewRow(const T&)>& rowOf, ProcessColumn column,
               bool descending) {
  std::vector<std::pair<SortKey, size_t>> keys;
  keys.reserve(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) keys.emplace_back(KeyOf(rowOf(nodes[i]), column), i);
  std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
    // Rows without a value stay behind those with one, in either direction.
    if (a.first.has != b.first.has) return a.first.has;
    if (!a.first.has) return false;
    const bool less = a.first.number != b.first.number ? a.first.number < b.first.number : a.first.text < b.first.text;
    const bool greater = a.first.number != b.first.number ? a.first.number > b.first.number : a.first.text > b.first.text;
    return descending ? greater : less;
  });
  std::vector<T> sorted;
  sorted.reserve(nodes.size());
  for (const auto& k : keys) sorted.push_back(std::move(nodes[k.second]));
  nodes = std::move(sorted);
}

void SortWindows(std::vector<OwnedWindow>& windows, const ProcessNode& p, const ThreadNode& t, ProcessColumn column,
                 bool descending) {
  const std::function<ViewRow(const OwnedWindow&)> rowOf = [&](const OwnedWindow& w) {
    ViewRow r;
    r.key = {RowKind::Window, w.handle};
    r.process = &p;
    r.thread = &t;
    r.window = &w;
    return r;
  };
  SortNodes(windows, rowOf, column, descending);
  for (OwnedWindow& w : windows) SortWindows(w.owned, p, t, column, descending);
}

std::string FileNameOfPath(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ParseId(const std::string& text, uint32_t& id) {
  if (text.empty()) return false;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  uint64_t value = 0;
  for (size_t i = hex ? 2 : 0; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return false;
  }
  id = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

const ProcessNode* ProcessTree::FindProcess(uint32_t id) const {
  for (const ProcessNode& p : processes) {
    if (p.record.id == id) return &p;
  }
  return nullptr;
}

ProcessNode* ProcessTree::FindProcess(uint32_t id) {
  return const_cast<ProcessNode*>(static_cast<const ProcessTree*>(this)->FindProcess(id));
}

const ThreadNode* ProcessTree::FindThread(uint32_t id, const ProcessNode** owner) const {
  for (const ProcessNode& p : processes) {
    for (const ThreadNode& t : p.threads) {
      if (t.id != id) continue;
      if (owner) *owner = &p;
      return &t;
    }
  }
  return nullptr;
}

ProcessTree BuildProcessTree(const WindowSystem& ws, ProcessSource& source, const TreeOptions& options) {
  // The windows first: the lists of processes and threads taken after them
  // hold every process and thread a listed window can belong to, unless it
  // ended in between.
  std::vector<ReadWindow> windows;
  const std::vector<Hwnd> top = ws.TopLevelWindows();
  windows.reserve(top.size());
  std::unordered_map<Hwnd, size_t> indexOf;
  const auto isOpen = [&](uint32_t processId) { return !options.open || options.open(processId); };
  for (Hwnd h : top) {
    indexOf.emplace(h, windows.size());
    if (options.previous) {
      auto was = options.previous->known.find(h);
      if (was != options.previous->known.end() && !isOpen(was->second.processId)) {
        windows.push_back({was->second, {}, false});
        continue;
      }
    }
    WindowFacts f = ReadWindowFacts(ws, h, kPlaceFacts);
    if (isOpen(f.processId)) {
      const WindowFacts shown = ReadWindowFacts(ws, h, kShownFacts);
      f.title = shown.title;
      f.visible = shown.visible;
      f.read |= kShownFacts;
    }
    windows.push_back({std::move(f), {}, false});
  }
  for (size_t i = 0; i < windows.size(); ++i) {
    const WindowFacts& f = windows[i].facts;
    auto owner = f.owner ? indexOf.find(f.owner) : indexOf.end();
    // A window owned across threads is a top-level window of its own thread.
    if (owner == indexOf.end() || owner->second == i || windows[owner->second].facts.threadId != f.threadId) continue;
    windows[owner->second].owned.push_back(i);
    windows[i].isOwned = true;
  }

  ProcessTree tree;
  std::unordered_map<uint32_t, size_t> processIndex;
  std::unordered_map<uint32_t, std::pair<size_t, size_t>> threadIndex;
  std::unordered_map<uint32_t, std::string> names;
  const std::vector<ProcessRecord> processes = source.Processes();
  for (const ProcessRecord& r : processes) {
    names.emplace(r.id, r.exeFile);
    processIndex.emplace(r.id, tree.processes.size());
    ProcessNode node;
    node.record = r;
    tree.processes.push_back(std::move(node));
  }
  const auto processFor = [&](uint32_t id) -> size_t {
    auto it = processIndex.find(id);
    if (it != processIndex.end()) return it->second;
    ProcessNode node;
    node.record.id = id;
    processIndex.emplace(id, tree.processes.size());
    tree.processes.push_back(std::move(node));
    return tree.processes.size() - 1;
  };
  const auto threadFor = [&](uint32_t processId, uint32_t threadId) -> ThreadNode& {
    auto it = threadIndex.find(threadId);
    if (it == threadIndex.end()) {
      const size_t p = processFor(processId);
      ThreadNode t;
      t.id = threadId;
      tree.processes[p].threads.push_back(std::move(t));
      it = threadIndex.emplace(threadId, std::make_pair(p, tree.processes[p].threads.size() - 1)).first;
    }
    return tree.processes[it->second.first].threads[it->second.second];
  };
  for (const ThreadRecord& t : source.Threads()) {
    if (processIndex.count(t.processId)) threadFor(t.processId, t.id);
  }
  for (size_t i = 0; i < windows.size(); ++i) {
    if (windows[i].isOwned) continue;
    const WindowFacts& f = windows[i].facts;
    ThreadNode& thread = threadFor(f.processId, f.threadId);
    thread.windows.push_back(MakeNode(windows, i, 0, thread.windowCount));
    if (f.hostProcessId) {
      ProcessNode& p = tree.processes[processFor(f.processId)];
      p.hostProcessId = f.hostProcessId;
      auto name = names.find(f.hostProcessId);
      p.hostExecutable = name == names.end() ? std::string() : name->second;
    }
  }

  std::vector<ProcessNode> shown;
  shown.reserve(tree.processes.size());
  for (ProcessNode& p : tree.processes) {
    for (ThreadNode& t : p.threads) {
      p.windowCount += t.windowCount;
      if (options.gui && t.windowCount && isOpen(p.record.id)) t.gui = source.Gui(t.id);
    }
    if (!options.allProcesses && p.windowCount == 0) continue;
    if (options.stats) p.stats = source.Stats(p.record.id);
    // A process that ended after its windows were read keeps its id alone.
    if (p.record.exeFile.empty()) p.record.exeFile = FileNameOfPath(p.stats.path);
    tree.windowCount += p.windowCount;
    shown.push_back(std::move(p));
  }
  tree.processes = std::move(shown);
  tree.known.reserve(windows.size());
  for (ReadWindow& w : windows) tree.known.emplace(w.facts.handle, std::move(w.facts));
  return tree;
}

Hwnd WindowToAsk(const ThreadNode& thread) { return thread.windows.empty() ? 0 : thread.windows.front().handle; }

const ColumnInfo& ProcessColumnInfo(ProcessColumn column) {
  // Each row: caption, width at 96 dpi, numeric.
  static const ColumnInfo kColumns[kProcessColumnCount] = {
      {"Name", 190, false},       {"Id", 80, true},        {"Bits", 40, true},
      {"Threads", 55, true},      {"Windows", 60, true},   {"Hung", 45, true},
      {"CPU time", 85, true},     {"Working set", 80, true}, {"Private", 80, true},
      {"Started", 125, true},     {"Text", 200, false},    {"Visible", 50, false},
      {"Path", 260, false},
  };
  const int i = static_cast<int>(column);
  return kColumns[i >= 0 && i < kProcessColumnCount ? i : 0];
}

std::string CellText(const ViewRow& row, ProcessColumn column, const CellFormat& format) {
  if (row.window) {
    const OwnedWindow& w = *row.window;
    switch (column) {
      case ProcessColumn::Name: return w.className;
      case ProcessColumn::Id: return Hex(w.handle);
      case ProcessColumn::Text: return w.text;
      case ProcessColumn::Visible: return w.visible ? "Yes" : "No";
      default: return std::string();
    }
  }
  if (row.thread) {
    const ThreadNode& t = *row.thread;
    switch (column) {
      case ProcessColumn::Name: return "Thread";
      case ProcessColumn::Id: return Decimal(t.id);
      case ProcessColumn::Windows: return Decimal(t.windowCount);
      case ProcessColumn::Hung: return t.hung == Hung::Yes ? "Yes" : t.hung == Hung::No ? "No" : "";
      case ProcessColumn::Text: return GuiText(t.gui);
      default: return std::string();
    }
  }
  if (!row.process) return std::string();
  const ProcessNode& p = *row.process;
  const ProcessStats& s = p.stats;
  switch (column) {
    case ProcessColumn::Name: return p.record.exeFile;
    case ProcessColumn::Id: return Decimal(p.record.id);
    case ProcessColumn::Bits: return s.bits ? Decimal(static_cast<uint64_t>(s.bits)) : std::string();
    case ProcessColumn::Threads: return Decimal(p.threads.size());
    case ProcessColumn::Windows: return Decimal(p.windowCount);
    case ProcessColumn::Cpu: return s.hasTimes ? CpuTime(s.cpu100ns) : std::string();
    case ProcessColumn::WorkingSet: return s.hasMemory ? Kilobytes(s.workingSet) : std::string();
    // A process always has private memory: Wine answers 0, which is no answer.
    case ProcessColumn::Private: return s.hasMemory && s.privateBytes ? Kilobytes(s.privateBytes) : std::string();
    case ProcessColumn::Started:
      if (!s.hasTimes || s.startTime == 0) return std::string();
      return format.startTime ? format.startTime(s.startTime) : UtcTime(s.startTime);
    case ProcessColumn::Text:
      if (!p.hostProcessId) return std::string();
      return "in the frame of " + (p.hostExecutable.empty() ? std::string("process") : p.hostExecutable) + " (" +
             Decimal(p.hostProcessId) + ")";
    case ProcessColumn::Path: return s.path;
    default: return std::string();
  }
}

void ProcessView::SetTree(ProcessTree tree) {
  m_tree = std::move(tree);
  SortTree();
  Rebuild();
}

void ProcessView::SortBy(ProcessColumn column, bool descending) {
  m_sortColumn = column;
  m_descending = descending;
  SortTree();
  Rebuild();
}

void ProcessView::SortTree() {
  const std::function<ViewRow(const ProcessNode&)> processRow = [](const ProcessNode& p) {
    ViewRow r;
    r.key = {RowKind::Process, p.record.id};
    r.process = &p;
    return r;
  };
  SortNodes(m_tree.processes, processRow, m_sortColumn, m_descending);
  for (ProcessNode& p : m_tree.processes) {
    const std::function<ViewRow(const ThreadNode&)> threadRow = [&p](const ThreadNode& t) {
      ViewRow r;
      r.key = {RowKind::Thread, t.id};
      r.process = &p;
      r.thread = &t;
      return r;
    };
    SortNodes(p.threads, threadRow, m_sortColumn, m_descending);
    for (ThreadNode& t : p.threads) SortWindows(t.windows, p, t, m_sortColumn, m_descending);
  }
}

void ProcessView::Rebuild() {
  m_rows.clear();
  std::function<void(const ProcessNode&, const ThreadNode&, const OwnedWindow&, int)> addWindow =
      [&](const ProcessNode& p, const ThreadNode& t, const OwnedWindow& w, int depth) {
        ViewRow r;
        r.key = {RowKind::Window, w.handle};
        r.depth = depth;
        r.process = &p;
        r.thread = &t;
        r.window = &w;
        r.expandable = !w.owned.empty();
        r.expanded = r.expandable && IsExpanded(r.key);
        m_rows.push_back(r);
        if (!r.expanded || depth > kMaxOwnerDepth) return;
        for (const OwnedWindow& o : w.owned) addWindow(p, t, o, depth + 1);
      };
  for (const ProcessNode& p : m_tree.processes) {
    ViewRow r;
    r.key = {RowKind::Process, p.record.id};
    r.process = &p;
    r.expandable = !p.threads.empty();
    r.expanded = r.expandable && IsExpanded(r.key);
    m_rows.push_back(r);
    if (!r.expanded) continue;
    for (const ThreadNode& t : p.threads) {
      ViewRow tr;
      tr.key = {RowKind::Thread, t.id};
      tr.depth = 1;
      tr.process = &p;
      tr.thread = &t;
      tr.expandable = !t.windows.empty();
      tr.expanded = tr.expandable && IsExpanded(tr.key);
      m_rows.push_back(tr);
      if (!tr.expanded) continue;
      for (const OwnedWindow& w : t.windows) addWindow(p, t, w, 2);
    }
  }
}

void ProcessView::SetExpanded(const RowKey& key, bool expanded) {
  if (expanded) {
    m_expanded.insert(key);
  } else {
    m_expanded.erase(key);
  }
  Rebuild();
}

int ProcessView::IndexOf(const RowKey& key) const {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].key == key) return static_cast<int>(i);
  }
  return -1;
}

bool ProcessView::Reveal(const RowKey& key) {
  // The rows above the key's, from the window up to its process.
  std::vector<RowKey> above;
  std::function<bool(const OwnedWindow&)> holds = [&](const OwnedWindow& w) {
    if (w.handle == key.id) return true;
    for (const OwnedWindow& o : w.owned) {
      if (holds(o)) {
        above.push_back({RowKind::Window, w.handle});
        return true;
      }
    }
    return false;
  };
  const auto inThread = [&](const ThreadNode& t) {
    if (key.kind == RowKind::Thread) return t.id == key.id;
    if (key.kind != RowKind::Window) return false;
    for (const OwnedWindow& w : t.windows) {
      if (holds(w)) return true;
    }
    return false;
  };
  bool found = false;
  for (const ProcessNode& p : m_tree.processes) {
    found = key.kind == RowKind::Process && p.record.id == key.id;
    for (size_t i = 0; i < p.threads.size() && !found; ++i) {
      if (!inThread(p.threads[i])) continue;
      found = true;
      if (key.kind == RowKind::Window) above.push_back({RowKind::Thread, p.threads[i].id});
      above.push_back({RowKind::Process, p.record.id});
    }
    if (found) break;
  }
  if (!found) return false;
  for (const RowKey& k : above) m_expanded.insert(k);
  Rebuild();
  return true;
}

std::vector<RowKey> ProcessView::Find(const std::string& text) const {
  std::vector<RowKey> found;
  if (text.empty()) return found;
  uint32_t id = 0;
  const bool isId = ParseId(text, id);
  const std::string upper = AsciiUpper(text);
  for (const ProcessNode& p : m_tree.processes) {
    if ((isId && p.record.id == id) || AsciiUpper(p.record.exeFile).find(upper) != std::string::npos) {
      found.push_back({RowKind::Process, p.record.id});
    }
    if (!isId) continue;
    for (const ThreadNode& t : p.threads) {
      if (t.id == id) found.push_back({RowKind::Thread, t.id});
    }
  }
  return found;
}
