#include "platform/JsonCursor.h"

#include <cstdio>
#include <cstring>

#include "platform/Utf8.h"

namespace {
// Deeper nesting than any window tree has is refused rather than followed.
constexpr int kMaxDepth = 512;
}  // namespace

JsonPosition JsonCursor::PositionOf(const char* at) const {
  JsonPosition p;
  for (const char* c = m_begin; c < at && c < m_end; ++c) {
    if (*c == '\n') {
      ++p.line;
      p.column = 1;
    } else {
      ++p.column;
    }
  }
  return p;
}

void JsonCursor::SkipBlanks() {
  while (m_p < m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r')) ++m_p;
}

void JsonCursor::Unexpected(const char* wanted) const {
  if (m_p >= m_end) Fail(std::string("the file ends where ") + wanted + " should follow");
  const unsigned char c = static_cast<unsigned char>(*m_p);
  std::string seen;
  if (c >= 0x20 && c < 0x7F) {
    seen = std::string("'") + static_cast<char>(c) + "'";
  } else {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", c);
    seen = std::string("byte ") + text;
  }
  Fail(std::string("expected ") + wanted + ", found " + seen);
}

JsonCursor::Kind JsonCursor::Peek() {
  SkipBlanks();
  if (m_p >= m_end) return Kind::End;
  switch (*m_p) {
    case '{': return Kind::Object;
    case '[': return Kind::Array;
    case '"': return Kind::String;
    case 't':
    case 'f': return Kind::Boolean;
    case 'n': return Kind::Null;
    default: break;
  }
  if (*m_p == '-' || (*m_p >= '0' && *m_p <= '9')) return Kind::Number;
  return Kind::Other;
}

void JsonCursor::Enter() {
  if (m_depth + 1 >= kMaxDepth) Fail("the document nests too deeply");
  ++m_depth;
  m_first[m_depth] = true;
  ++m_p;
}

void JsonCursor::BeginObject() {
  if (Peek() != Kind::Object) Unexpected("an object");
  Enter();
}

void JsonCursor::BeginArray() {
  if (Peek() != Kind::Array) Unexpected("an array");
  Enter();
}

bool JsonCursor::NextItem(char close) {
  SkipBlanks();
  if (m_p < m_end && *m_p == close) {
    ++m_p;
    --m_depth;
    return false;
  }
  if (!m_first[m_depth]) {
    if (m_p >= m_end || *m_p != ',') Unexpected(close == '}' ? "',' or '}'" : "',' or ']'");
    ++m_p;
    SkipBlanks();
  }
  m_first[m_depth] = false;
  return true;
}

bool JsonCursor::NextMember(std::string& key) {
  if (!NextItem('}')) return false;
  if (m_p >= m_end || *m_p != '"') Unexpected("a member name");
  key = String();
  SkipBlanks();
  if (m_p >= m_end || *m_p != ':') Unexpected("':'");
  ++m_p;
  return true;
}

bool JsonCursor::NextElement() {
  if (!NextItem(']')) return false;
  // A value must follow, not a closing bracket after a comma.
  const Kind next = Peek();
  if (next == Kind::End || next == Kind::Other) Unexpected("a value");
  return true;
}

uint32_t JsonCursor::Hex4() {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i, ++m_p) {
    if (m_p >= m_end) Unexpected("four hexadecimal digits");
    const char c = *m_p;
    v <<= 4;
    if (c >= '0' && c <= '9') {
      v |= static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      v |= static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      v |= static_cast<uint32_t>(c - 'A' + 10);
    } else {
      Unexpected("a hexadecimal digit");
    }
  }
  return v;
}

std::string JsonCursor::String() {
  if (Peek() != Kind::String) Unexpected("a string");
  const char* start = m_p++;
  std::string out;
  for (;;) {
    if (m_p >= m_end) {
      m_p = start;
      Fail("the string that starts here is not closed before the file ends");
    }
    const unsigned char c = static_cast<unsigned char>(*m_p);
    if (c == '"') {
      ++m_p;
      return out;
    }
    if (c < 0x20) Fail("a control character inside a string");
    if (c != '\\') {
      out += static_cast<char>(c);
      ++m_p;
      continue;
    }
    if (++m_p >= m_end) continue;  // reported as the unclosed string
    const char e = *m_p++;
    switch (e) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        uint32_t cp = Hex4();
        if (cp >= 0xD800 && cp <= 0xDBFF && m_end - m_p >= 6 && m_p[0] == '\\' && m_p[1] == 'u') {
          const char* back = m_p;
          m_p += 2;
          const uint32_t low = Hex4();
          if (low >= 0xDC00 && low <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else {
            m_p = back;
          }
        }
        // A lone surrogate has no UTF-8 form.
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
        AppendUtf8(cp, out);
        break;
      }
      default:
        --m_p;
        Fail("an unknown escape in a string");
    }
  }
}

int64_t JsonCursor::Integer(int64_t min, int64_t max) {
  if (Peek() != Kind::Number) Unexpected("a number");
  const char* start = m_p;
  bool negative = false;
  if (*m_p == '-') {
    negative = true;
    ++m_p;
  }
  if (m_p >= m_end || *m_p < '0' || *m_p > '9') Unexpected("a digit");
  uint64_t v = 0;
  bool overflow = false;
  while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
    const uint64_t digit = static_cast<uint64_t>(*m_p - '0');
    if (v > (UINT64_MAX - digit) / 10) overflow = true;
    v = v * 10 + digit;
    ++m_p;
  }
  if (m_p < m_end && (*m_p == '.' || *m_p == 'e' || *m_p == 'E')) {
    m_p = start;
    Fail("expected a whole number");
  }
  constexpr uint64_t kMagnitudeMin = static_cast<uint64_t>(INT64_MAX) + 1;
  int64_t value = 0;
  if (negative) {
    overflow = overflow || v > kMagnitudeMin;
    if (!overflow) value = v == kMagnitudeMin ? INT64_MIN : -static_cast<int64_t>(v);
  } else {
    overflow = overflow || v > static_cast<uint64_t>(INT64_MAX);
    if (!overflow) value = static_cast<int64_t>(v);
  }
  if (overflow || value < min || value > max) {
    m_p = start;
    Fail("the number is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
  }
  return value;
}

void JsonCursor::Literal(const char* word) {
  const size_t n = std::strlen(word);
  const size_t left = static_cast<size_t>(m_end - m_p);
  if (left < n && std::memcmp(m_p, word, left) == 0) {
    m_p = m_end;
    Unexpected(word);
  }
  if (static_cast<size_t>(m_end - m_p) < n || std::memcmp(m_p, word, n) != 0) Unexpected(word);
  m_p += n;
}

bool JsonCursor::Boolean() {
  if (Peek() != Kind::Boolean) Unexpected("true or false");
  if (*m_p == 't') {
    Literal("true");
    return true;
  }
  Literal("false");
  return false;
}

bool JsonCursor::TakeNull() {
  if (Peek() != Kind::Null) return false;
  Literal("null");
  return true;
}

void JsonCursor::Skip() {
  switch (Peek()) {
    case Kind::Object: {
      BeginObject();
      std::string key;
      while (NextMember(key)) Skip();
      return;
    }
    case Kind::Array:
      BeginArray();
      while (NextElement()) Skip();
      return;
    case Kind::String: String(); return;
    case Kind::Boolean: Boolean(); return;
    case Kind::Null: TakeNull(); return;
    case Kind::Number: {
      if (*m_p == '-') ++m_p;
      if (m_p >= m_end || *m_p < '0' || *m_p > '9') Unexpected("a digit");
      while (m_p < m_end && ((*m_p >= '0' && *m_p <= '9') || *m_p == '.' || *m_p == 'e' || *m_p == 'E' ||
                             *m_p == '+' || *m_p == '-'))
        ++m_p;
      return;
    }
    case Kind::End:
    case Kind::Other: Unexpected("a value");
  }
}

void JsonCursor::ExpectEnd() {
  SkipBlanks();
  if (m_p < m_end) Fail("more text after the end of the document");
}
