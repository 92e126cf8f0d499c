#pragma once
// Which program and which thread own which windows: the processes, their
// threads, each thread's top-level windows and the windows those own, built
// from the system's lists of processes and threads and the window seam. The
// Processes window, /processes and /threads show this one model.
#include <cstdint>
#include <functional>
#include <set>
#include <unordered_map>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "reading/WindowFacts.h"

struct ProcessRecord {
  uint32_t id = 0, parentId = 0;
  std::string exeFile;  // UTF-8, without its folder
};

struct ThreadRecord {
  uint32_t id = 0, processId = 0;
};

// What the system tells of one process beyond the list; a fact it does not
// give stays unknown (its has… flag false), never a zero.
struct ProcessStats {
  std::string path;  // UTF-8; empty when the process cannot be opened
  int bits = 0;      // 32 or 64; 0 unknown
  bool hasTimes = false;
  uint64_t cpu100ns = 0;    // kernel and user time
  uint64_t startTime = 0;   // FILETIME, UTC
  bool hasMemory = false;
  uint64_t workingSet = 0, privateBytes = 0;
};

// A thread's GUI state as the Details window reads it (GetGUIThreadInfo).
struct GuiState {
  bool known = false;
  Hwnd active = 0, focus = 0, capture = 0;
};

// The system's side of the model, apart from the windows: ToolHelp's process
// and thread lists and what one process and one thread tell of themselves.
class ProcessSource {
 public:
  virtual ~ProcessSource() = default;
  virtual std::vector<ProcessRecord> Processes() = 0;
  virtual std::vector<ThreadRecord> Threads() = 0;
  virtual ProcessStats Stats(uint32_t processId) = 0;
  virtual GuiState Gui(uint32_t threadId) = 0;
};

enum class Hung : uint8_t { Unknown, No, Yes };

struct OwnedWindow {
  Hwnd handle = 0;
  std::string className, text;  // UTF-8
  bool visible = false;
  std::vector<OwnedWindow> owned;
};

struct ThreadNode {
  uint32_t id = 0;
  size_t windowCount = 0;  // top-level windows with those they own
  Hung hung = Hung::Unknown;
  GuiState gui;
  std::vector<OwnedWindow> windows;
};

struct ProcessNode {
  ProcessRecord record;
  ProcessStats stats;
  // The host of a frame this process's window sits in ("the real app behind
  // a frame"); 0 for none.
  uint32_t hostProcessId = 0;
  std::string hostExecutable;
  size_t windowCount = 0;
  std::vector<ThreadNode> threads;
};

struct ProcessTree {
  std::vector<ProcessNode> processes;
  size_t windowCount = 0;
  // The facts read of each window, for the next reading to take up.
  std::unordered_map<Hwnd, WindowFacts> known;

  const ProcessNode* FindProcess(uint32_t id) const;
  ProcessNode* FindProcess(uint32_t id);
  const ThreadNode* FindThread(uint32_t id, const ProcessNode** owner = nullptr) const;
};

struct TreeOptions {
  bool allProcesses = false;  // false: only processes that have windows
  bool stats = true;          // read ProcessStats of each process shown
  bool gui = true;            // read each thread's GUI state
  // Only open processes' rows show (`open` true for them; null: all are
  // open): their windows' texts and visibility and their threads' GUI state
  // are read, the others' not. A refresh (`previous`): a window the last
  // reading knew, of a process not open, keeps what was read of it, as its
  // class and ids do not change; open processes are read afresh.
  const ProcessTree* previous = nullptr;
  std::function<bool(uint32_t processId)> open;
};

// Reads the tree: processes in ToolHelp's order, threads in their order,
// windows in the z-order. A window whose thread is not in the thread list
// (one that started after it was taken) still gets a thread row.
ProcessTree BuildProcessTree(const WindowSystem& ws, ProcessSource& source, const TreeOptions& options);

// A thread row's window to ask whether the thread answers: its first
// top-level window; 0 for a thread without windows.
Hwnd WindowToAsk(const ThreadNode& thread);

// ---- The view of the tree: its columns, order, expanded rows and search.

enum class RowKind : uint8_t { Process, Thread, Window };

struct RowKey {
  RowKind kind = RowKind::Process;
  uint32_t id = 0;  // process id, thread id or window handle
  bool operator<(const RowKey& o) const { return kind != o.kind ? kind < o.kind : id < o.id; }
  bool operator==(const RowKey& o) const { return kind == o.kind && id == o.id; }
};

enum class ProcessColumn : uint8_t {
  Name, Id, Bits, Threads, Windows, Hung, Cpu, WorkingSet, Private, Started, Text, Visible, Path, Count
};
constexpr int kProcessColumnCount = static_cast<int>(ProcessColumn::Count);

struct ColumnInfo {
  const char* caption;
  int width;     // at 96 dpi
  bool numeric;  // sorted by value, largest first when descending
};
const ColumnInfo& ProcessColumnInfo(ProcessColumn column);

// One shown row: which node, how deep, and whether it has rows under it.
struct ViewRow {
  RowKey key;
  int depth = 0;
  bool expandable = false, expanded = false;
  const ProcessNode* process = nullptr;
  const ThreadNode* thread = nullptr;
  const OwnedWindow* window = nullptr;
};

// How times and handles read: the start time as local time "YYYY-MM-DD hh:mm:ss".
struct CellFormat {
  std::string (*startTime)(uint64_t fileTime) = nullptr;  // null: the UTC time
};

std::string CellText(const ViewRow& row, ProcessColumn column, const CellFormat& format = {});

class ProcessView {
 public:
  // A new reading: the expanded rows and the selection are kept by key.
  void SetTree(ProcessTree tree);
  const ProcessTree& Tree() const { return m_tree; }
  ProcessTree& MutableTree() { return m_tree; }

  void SortBy(ProcessColumn column, bool descending);
  ProcessColumn SortColumn() const { return m_sortColumn; }
  bool SortDescending() const { return m_descending; }

  const std::vector<ViewRow>& Rows() const { return m_rows; }
  void SetExpanded(const RowKey& key, bool expanded);
  bool IsExpanded(const RowKey& key) const { return m_expanded.count(key) != 0; }
  // Expands the rows above the key's row so that it shows; false when no row has it.
  bool Reveal(const RowKey& key);
  int IndexOf(const RowKey& key) const;  // -1: not shown

  // Processes whose id (decimal, or hex with 0x) is `text` or whose name
  // holds it (ASCII letters in any case), then threads of that id, in the
  // shown order. Empty text finds nothing.
  std::vector<RowKey> Find(const std::string& text) const;

  // Rebuilds the shown rows after the tree was changed in place.
  void Rebuild();

 private:
  void SortTree();
  ProcessTree m_tree;
  std::set<RowKey> m_expanded;
  std::vector<ViewRow> m_rows;
  ProcessColumn m_sortColumn = ProcessColumn::Name;
  bool m_descending = false;
};
