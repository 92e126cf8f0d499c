#pragma once
// The program's one JSON writer: every document it writes (reports, window
// lists, details, snapshots and their differences) is written as it goes into
// a string, which the caller may hand on and empty between values (a snapshot
// is streamed record by record). The bytes are fixed by files people already
// keep and compare, so the layouts and the two ways of writing strings below
// reproduce them exactly.
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

// How strings are written. Both escape '"', '\\', line feed, carriage return
// and tab, and every other control character as \u00xx; a byte that is no
// UTF-8 becomes U+FFFD.
enum class JsonStrings {
  // Backspace and form feed as \b and \f; a character cut short (the start
  // of a sequence that breaks off) is one U+FFFD. The reports, lists,
  // details and differences.
  Report,
  // Backspace and form feed as \u0008 and \u000c; each byte of a broken
  // sequence is a U+FFFD of its own. The snapshot file.
  Snapshot,
};

void AppendJsonString(std::string& out, const std::string& text, JsonStrings style);

class JsonWriter {
 public:
  enum class Layout {
    Indented,  // each member on a line of its own, two blanks deeper than its container
    Inline,    // on one line: ", " between members, ": " after a key
    Compact,   // on one line without blanks
  };

  // A writer laid out Inline or Compact writes every container so.
  explicit JsonWriter(std::string& out, JsonStrings strings = JsonStrings::Report, Layout layout = Layout::Indented)
      : m_out(out), m_strings(strings), m_layout(layout) {}

  // A container inside an Inline or Compact one keeps that layout.
  JsonWriter& BeginObject(Layout layout = Layout::Indented) { return Begin('{', layout); }
  JsonWriter& EndObject() { return End('}'); }
  JsonWriter& BeginArray(Layout layout = Layout::Indented) { return Begin('[', layout); }
  JsonWriter& EndArray() { return End(']'); }

  // Keys are the program's own names, plain ASCII, written as they are.
  JsonWriter& Key(const char* name);
  JsonWriter& String(const std::string& text);
  template <typename T>
  JsonWriter& Number(T value) {
    static_assert(std::is_integral_v<T> && !std::is_same_v<T, bool>, "whole numbers only");
    if constexpr (std::is_signed_v<T>) {
      return Signed(value);
    } else {
      return Unsigned(value);
    }
  }
  JsonWriter& Bool(bool value) { return Raw(value ? "true" : "false"); }
  JsonWriter& Null() { return Raw("null"); }
  // A value that already is JSON text, written as it stands.
  JsonWriter& Raw(const char* json);
  JsonWriter& Raw(const std::string& json);

  // Strings of the text as the writer writes them: a list of names, say.
  JsonWriter& Strings(const std::vector<std::string>& texts, Layout layout = Layout::Indented);

 private:
  struct Level {
    Layout layout;
    bool any;  // a member or element written
  };

  JsonWriter& Begin(char open, Layout layout);
  JsonWriter& End(char close);
  JsonWriter& Signed(int64_t value);
  JsonWriter& Unsigned(uint64_t value);
  // What goes before a value or a key: the separator and the line break.
  void Separate();
  void NewLine(size_t depth);

  std::string& m_out;
  JsonStrings m_strings;
  Layout m_layout;
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};
