#include "msglog/LogStore.h"

#include <cstdio>
#include <cstring>

#include "msglog/Decode.h"
#include "platform/WinConstants.h"

namespace msglog {

namespace {
const char* const kColumnTitles[kColumnCount] = {"#", "Time", "Type", "Window", "Message",
                                                 "wParam", "lParam", "Decoded", "Result"};
const std::string kEmpty;

}  // namespace

const char* ColumnTitle(int column) { return kColumnTitles[column]; }

uint32_t LogStore::Intern(const char* text) {
  auto it = m_classIds.find(text);
  if (it != m_classIds.end()) return it->second;
  // Class names are few; a program that makes more than the index holds
  // shares the last entry rather than growing without end.
  if (m_classes.size() >= 0xFFFF) return 0;
  const auto id = static_cast<uint16_t>(m_classes.size());
  m_classes.push_back(text);
  m_classIds.emplace(text, id);
  return id;
}

uint32_t LogStore::PoolText(const std::string& text) {
  m_texts.push_back(text);
  return m_firstText + static_cast<uint32_t>(m_texts.size()) - 1;
}

const std::string& LogStore::PoolEntry(uint32_t id) const {
  if (id < m_firstText || id - m_firstText >= m_texts.size()) return kEmpty;
  return m_texts[id - m_firstText];
}

void LogStore::Add(const RecordData& r, uint32_t startTick) {
  LogLine line{};
  line.wParam = r.wParam;
  line.lParam = r.lParam;
  line.result = r.result;
  line.time = r.tick - startTick;
  line.hwnd = r.hwnd;
  line.message = r.message;
  line.flags = r.flags;
  std::memcpy(line.data, r.data, sizeof line.data);
  line.windowClass = static_cast<uint16_t>(Intern(r.windowClass));
  line.kind = static_cast<uint8_t>(r.kind >= kKindSent && r.kind <= kKindPosted ? r.kind : kKindPosted);
  line.family = static_cast<uint8_t>(FamilyOfClass(r.windowClass));
  if (r.flags & (kHasText | kHasControlClass)) line.text = PoolText(r.text);
  Push(line);
}

void LogStore::AddNote(const std::string& text, uint32_t time) {
  LogLine line{};
  line.time = time;
  line.kind = kLineNote;
  line.text = PoolText(text);
  Push(line);
}

void LogStore::Push(LogLine line) {
  const uint64_t number = Added();
  m_lines.push_back(line);
  if (Passes(line)) m_view.push_back(number);
  if (m_lines.size() > m_cap) {
    // Dropping a sixteenth at a time keeps the cost of a drop rare.
    const size_t drop = m_cap / 16 + 1;
    m_first += drop;
    m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(drop));
    while (!m_view.empty() && m_view.front() < m_first) m_view.pop_front();
    uint32_t keepFrom = 0;
    for (const LogLine& l : m_lines) {
      if (l.text) {
        keepFrom = l.text;
        break;
      }
    }
    while (!m_texts.empty() && (keepFrom == 0 || m_firstText < keepFrom)) {
      m_texts.pop_front();
      ++m_firstText;
    }
  }
}

void LogStore::Clear() {
  m_first += m_lines.size();
  m_lines.clear();
  m_view.clear();
  m_firstText += static_cast<uint32_t>(m_texts.size());
  m_texts.clear();
  // A cleared log shows no note about removed lines.
  m_cleared = m_first;
}

bool LogStore::Passes(const LogLine& line) const {
  return line.kind == kLineNote || m_filter.Passes(line.message, static_cast<ControlFamily>(line.family));
}

void LogStore::SetFilter(const LogFilter& filter) {
  m_filter = filter;
  m_view.clear();
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (Passes(m_lines[i])) m_view.push_back(m_first + i);
  }
}

std::string LogStore::MessageText(const LogLine& line) const {
  const auto family = static_cast<ControlFamily>(line.family);
  std::string registered;
  if (line.message >= kFirstRegisteredMessage && line.message <= 0xFFFF && m_registered) registered = m_registered(line.message);
  return MessageName(line.message, family, registered);
}

RecordData LogStore::AsRecord(const LogLine& line) const {
  RecordData r{};
  r.kind = line.kind;
  r.hwnd = line.hwnd;
  r.message = line.message;
  r.wParam = line.wParam;
  r.lParam = line.lParam;
  r.result = line.result;
  r.flags = line.flags;
  std::memcpy(r.data, line.data, sizeof r.data);
  const std::string& text = PoolEntry(line.text);
  std::snprintf(r.text, sizeof r.text, "%s", text.c_str());
  std::snprintf(r.windowClass, sizeof r.windowClass, "%s", m_classes[line.windowClass].c_str());
  return r;
}

std::string LogStore::Cell(size_t row, int column) const {
  const bool noteRow = RemovedNoteShown();
  if (noteRow && row == 0) {
    return column == kColDecoded ? std::to_string(m_first - m_cleared) +
                                       " older lines removed (the log keeps the newest " +
                                       std::to_string(m_cap) + ")"
                                 : "";
  }
  if (noteRow) --row;
  if (row >= m_view.size()) return "";
  const uint64_t number = m_view[row];
  const LogLine& line = m_lines[number - m_first];
  switch (column) {
    case kColNumber: return std::to_string(number + 1);
    case kColTime: return std::to_string(line.time);
    case kColKind: return std::string(1, " SRPN"[line.kind < 5 ? line.kind : 0]);
    case kColWindow: return line.kind == kLineNote ? "" : HexValue(line.hwnd);
    case kColMessage: return line.kind == kLineNote ? "" : MessageText(line);
    case kColWParam: return line.kind == kLineNote ? "" : HexValue(line.wParam);
    case kColLParam: return line.kind == kLineNote ? "" : HexValue(line.lParam);
    case kColDecoded:
      return line.kind == kLineNote ? PoolEntry(line.text) : DecodeParameters(AsRecord(line));
    case kColResult: return line.kind == kLineReturned ? HexValue(line.result) : "";
  }
  return "";
}

std::string LogStore::RowText(size_t row) const {
  std::string s;
  for (int c = 0; c < kColumnCount; ++c) {
    if (c) s += '\t';
    s += Cell(row, c);
  }
  return s;
}

}  // namespace msglog
