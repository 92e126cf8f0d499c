#pragma once
// The program's one JSON reader: a pull reader of JSON text that knows where
// it is. Every error names the line and column of what it could not read, so
// that a broken or truncated file says where it broke. Values are read in
// document order; a member the reader does not know is skipped whole.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

struct JsonPosition {
  size_t line = 1, column = 1;  // from 1; the column counts bytes
};

class JsonError : public std::runtime_error {
 public:
  JsonError(const JsonPosition& at, const std::string& what)
      : std::runtime_error(what), position(at) {}
  JsonPosition position;
};

class JsonCursor {
 public:
  enum class Kind { Object, Array, String, Number, Boolean, Null, End, Other };

  JsonCursor(const char* data, size_t size) : m_p(data), m_begin(data), m_end(data + size) {}

  // The kind of the next value (End at the end of the text, Other for a
  // character no value starts with).
  Kind Peek();
  // An object: BeginObject, then NextMember until it answers false.
  void BeginObject();
  bool NextMember(std::string& key);
  void BeginArray();
  bool NextElement();
  std::string String();
  int64_t Integer(int64_t min, int64_t max);
  bool Boolean();
  // True (and the null read) when the next value is null.
  bool TakeNull();
  void Skip();
  // After the document's value only blanks may follow.
  void ExpectEnd();

  // Where the next value starts, as a byte offset: cheap to keep, and named as
  // a line and column only by an error (counting lines costs a pass over the
  // text up to that point).
  size_t Offset() const { return static_cast<size_t>(m_p - m_begin); }
  [[noreturn]] void Fail(const std::string& what) const { FailAt(Offset(), what); }
  [[noreturn]] void FailAt(size_t offset, const std::string& what) const {
    throw JsonError(PositionOf(m_begin + offset), what);
  }

 private:
  void SkipBlanks();
  [[noreturn]] void Unexpected(const char* wanted) const;
  JsonPosition PositionOf(const char* at) const;
  void Enter();
  bool NextItem(char close);
  void Literal(const char* word);
  uint32_t Hex4();

  const char* m_p;
  const char* m_begin;
  const char* m_end;
  int m_depth = 0;
  bool m_first[512] = {};  // per nesting level: no member or element read yet
};
