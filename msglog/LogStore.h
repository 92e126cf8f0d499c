#pragma once
// The recorded lines of one log, bounded in memory: past the cap the oldest
// lines go and the count of them is kept for a note. A line holds the record
// compactly; texts live in pools (class names once each). The view is the
// list of line numbers the filter passes, so that a filter change rebuilds
// it without touching what was recorded.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "msglog/LogFilter.h"
#include "msghook/RingFormat.h"

namespace msglog {

enum LineKind : uint8_t { kLineSent = 1, kLineReturned = 2, kLinePosted = 3, kLineNote = 4 };

struct LogLine {
  uint64_t wParam, lParam, result;
  uint32_t time;  // milliseconds since the log started
  uint32_t hwnd, message;
  uint32_t flags;
  int32_t data[6];
  uint16_t windowClass;  // index into the class pool
  uint8_t kind;
  uint8_t family;        // ControlFamily of the window
  uint32_t text;         // 0: none; else text pool id (note, WM_SETTEXT text or control class)
};

// Columns of a line, in display order.
enum LogColumn { kColNumber, kColTime, kColKind, kColWindow, kColMessage, kColWParam, kColLParam,
                 kColDecoded, kColResult, kColumnCount };
const char* ColumnTitle(int column);

// Resolves registered message numbers (0xC000..0xFFFF) to their names.
using RegisteredNames = std::function<std::string(uint32_t)>;

class LogStore {
 public:
  explicit LogStore(size_t cap = 1000000) : m_cap(cap < 16 ? 16 : cap) {}

  // Adds a recorded message; `startTick` is the tick the log started at.
  void Add(const RecordData& record, uint32_t startTick);
  // Adds a note line ("12 messages not recorded") at `time`.
  void AddNote(const std::string& text, uint32_t time);
  void Clear();

  // Lines ever added, and those still kept.
  uint64_t Added() const { return m_first + m_lines.size(); }
  size_t Size() const { return m_lines.size(); }
  // Lines that went because of the cap (not those cleared).
  uint64_t Removed() const { return m_first - m_cleared; }

  void SetFilter(const LogFilter& filter);
  const LogFilter& Filter() const { return m_filter; }
  // Rows shown: a first row with the note on removed lines when there are
  // any, then the filtered lines. Notes always pass the filter.
  size_t RowCount() const { return (RemovedNoteShown() ? 1 : 0) + m_view.size(); }
  bool RemovedNoteShown() const { return m_first > m_cleared; }
  std::string Cell(size_t row, int column) const;
  // The row as one tab-separated line of text, without the line end.
  std::string RowText(size_t row) const;
  void SetRegisteredNames(RegisteredNames names) { m_registered = std::move(names); }

 private:
  void Push(LogLine line);
  bool Passes(const LogLine& line) const;
  uint32_t Intern(const char* text);
  uint32_t PoolText(const std::string& text);
  const std::string& PoolEntry(uint32_t id) const;
  std::string MessageText(const LogLine& line) const;
  RecordData AsRecord(const LogLine& line) const;

  size_t m_cap;
  uint64_t m_first = 0;  // number (from 0) of m_lines.front()
  uint64_t m_cleared = 0;  // m_first when the log was last cleared
  std::deque<LogLine> m_lines;
  std::deque<uint64_t> m_view;  // line numbers that pass the filter
  LogFilter m_filter;
  std::vector<std::string> m_classes{""};
  std::map<std::string, uint16_t> m_classIds;
  // Texts of the kept lines; ids count from 1 and never repeat.
  std::deque<std::string> m_texts;
  uint32_t m_firstText = 1;
  RegisteredNames m_registered;
};

}  // namespace msglog
