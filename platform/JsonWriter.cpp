#include "platform/JsonWriter.h"

#include "platform/Utf8.h"

void AppendJsonString(std::string& out, const std::string& text, JsonStrings style) {
  static const char kHex[] = "0123456789abcdef";
  const bool report = style == JsonStrings::Report;
  out += '"';
  size_t plain = 0;  // start of the run of bytes copied as they are
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      size_t next = i;
      Utf8Next(text, next);
      // Only a broken sequence decodes to a single byte above 0x7F.
      if (next > i + 1) {
        i = next;
        continue;
      }
      out.append(text, plain, i - plain);
      out += "\xEF\xBF\xBD";
      i += report ? Utf8BrokenLength(text, i) : 1;
      plain = i;
      continue;
    }
    if (c >= 0x20 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    out.append(text, plain, i - plain);
    const char* escape = nullptr;
    switch (c) {
      case '"': escape = "\\\""; break;
      case '\\': escape = "\\\\"; break;
      case '\n': escape = "\\n"; break;
      case '\r': escape = "\\r"; break;
      case '\t': escape = "\\t"; break;
      case '\b': escape = report ? "\\b" : nullptr; break;
      case '\f': escape = report ? "\\f" : nullptr; break;
      default: break;
    }
    if (escape != nullptr) {
      out += escape;
    } else {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
    plain = ++i;
  }
  out.append(text, plain, text.size() - plain);
  out += '"';
}

void JsonWriter::NewLine(size_t depth) {
  m_out += '\n';
  m_out.append(2 * depth, ' ');
}

void JsonWriter::Separate() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_levels.empty()) return;
  Level& level = m_levels.back();
  if (level.any) m_out += ',';
  switch (level.layout) {
    case Layout::Indented: NewLine(m_levels.size()); break;
    case Layout::Inline:
      if (level.any) m_out += ' ';
      break;
    case Layout::Compact: break;
  }
  level.any = true;
}

JsonWriter& JsonWriter::Begin(char open, Layout layout) {
  Separate();
  const Layout enclosing = m_levels.empty() ? m_layout : m_levels.back().layout;
  if (enclosing != Layout::Indented) layout = enclosing;
  m_out += open;
  m_levels.push_back({layout, false});
  return *this;
}

JsonWriter& JsonWriter::End(char close) {
  const Level level = m_levels.back();
  m_levels.pop_back();
  if (level.any && level.layout == Layout::Indented) NewLine(m_levels.size());
  m_out += close;
  return *this;
}

JsonWriter& JsonWriter::Key(const char* name) {
  Separate();
  m_out += '"';
  m_out += name;
  m_out += m_levels.back().layout == Layout::Compact ? "\":" : "\": ";
  m_afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::string& text) {
  Separate();
  AppendJsonString(m_out, text, m_strings);
  return *this;
}

JsonWriter& JsonWriter::Raw(const char* json) {
  Separate();
  m_out += json;
  return *this;
}

JsonWriter& JsonWriter::Raw(const std::string& json) {
  Separate();
  m_out += json;
  return *this;
}

JsonWriter& JsonWriter::Strings(const std::vector<std::string>& texts, Layout layout) {
  BeginArray(layout);
  for (const std::string& text : texts) String(text);
  return EndArray();
}

namespace {

void AppendDigits(std::string& out, uint64_t value) {
  char digits[24];
  char* const end = digits + sizeof digits;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  out.append(p, static_cast<size_t>(end - p));
}

}  // namespace

JsonWriter& JsonWriter::Unsigned(uint64_t value) {
  Separate();
  AppendDigits(m_out, value);
  return *this;
}

JsonWriter& JsonWriter::Signed(int64_t value) {
  Separate();
  if (value < 0) m_out += '-';
  AppendDigits(m_out, value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  return *this;
}
