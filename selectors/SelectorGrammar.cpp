#include "selectors/SelectorGrammar.h"

#include <cctype>

#include "platform/AsciiCase.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string LowerAscii(std::string s) {
  for (char& c : s) c = AsciiLower(c);
  return s;
}

// Decimal digits up to `limit`; `min` keeps instance numbers from 1.
bool ParseNumber(const std::string& text, uint32_t min, uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
  }
  if (v > 0xFFFFFFFFull || v < min) return false;
  value = static_cast<uint32_t>(v);
  return true;
}

class Failure {
 public:
  Failure(size_t position, std::string error) : position(position), error(std::move(error)) {}
  size_t position;  // from 0
  std::string error;
};

// Tarvisk's own form: steps of key:value attributes separated by "/".
class TarviskParser {
 public:
  explicit TarviskParser(const std::string& text) : m_text(text) {}

  SelectorQuery Run() {
    SelectorQuery q;
    q.form = SelectorForm::Tarvisk;
    SkipBlanks();
    if (AtEnd()) throw Failure(m_at, "empty selector");
    for (;;) {
      q.steps.push_back(Step(q.steps.empty()));
      SkipBlanks();
      if (AtEnd()) return q;
      if (m_text[m_at] != '/') throw Failure(m_at, "expected '/' or the end");
      ++m_at;
      SkipBlanks();
    }
  }

 private:
  bool AtEnd() const { return m_at >= m_text.size(); }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(m_text[m_at])) ++m_at;
  }

  SelectorStep Step(bool first) {
    SelectorStep step;
    bool any = false;
    while (!AtEnd() && m_text[m_at] != '/') {
      const size_t keyAt = m_at;
      std::string key;
      while (!AtEnd() && std::isalpha(static_cast<unsigned char>(m_text[m_at]))) key += AsciiLower(m_text[m_at++]);
      if (key.empty()) throw Failure(keyAt, "expected class, exe, title, id or instance");
      if (AtEnd() || m_text[m_at] != ':') throw Failure(m_at, "expected ':' after " + key);
      ++m_at;
      const size_t valueAt = m_at;
      const std::string value = Value();
      Assign(step, key, value, first, keyAt, valueAt);
      any = true;
      SkipBlanks();
    }
    if (!any) throw Failure(m_at, "expected a step");
    return step;
  }

  std::string Value() {
    if (AtEnd() || IsBlank(m_text[m_at]) || m_text[m_at] == '/') throw Failure(m_at, "expected a value");
    std::string value;
    if (m_text[m_at] != '\'') {
      while (!AtEnd() && !IsBlank(m_text[m_at]) && m_text[m_at] != '/' && m_text[m_at] != '\'') {
        value += m_text[m_at++];
      }
      if (!AtEnd() && m_text[m_at] == '\'') throw Failure(m_at, "a quote inside an unquoted value");
      return value;
    }
    const size_t open = m_at++;
    for (;;) {
      if (AtEnd()) throw Failure(open, "quote not closed");
      const char c = m_text[m_at++];
      if (c != '\'') {
        value += c;
      } else if (!AtEnd() && m_text[m_at] == '\'') {
        value += '\'';
        ++m_at;
      } else {
        break;
      }
    }
    if (!AtEnd() && !IsBlank(m_text[m_at]) && m_text[m_at] != '/') {
      throw Failure(m_at, "expected a blank or '/' after the quoted value");
    }
    return value;
  }

  static void Assign(SelectorStep& s, const std::string& key, const std::string& value, bool first, size_t keyAt,
                     size_t valueAt) {
    auto once = [&](bool& has) {
      if (has) throw Failure(keyAt, key + " given twice in one step");
      has = true;
    };
    if (key == "class") {
      once(s.hasClass);
      s.className = value;
    } else if (key == "exe" || key == "title") {
      if (!first) throw Failure(keyAt, key + " names a top-level window: only in the first step");
      if (key == "exe") {
        once(s.hasExe);
        s.exe = value;
      } else {
        once(s.hasTitle);
        s.title = value;
      }
    } else if (key == "id") {
      if (first) throw Failure(keyAt, "id names a child window: not in the first step");
      once(s.hasId);
      if (!ParseNumber(value, 0, s.id)) throw Failure(valueAt, "id needs a number from 0 to 4294967295");
    } else if (key == "instance") {
      if (s.instance != 0) throw Failure(keyAt, "instance given twice in one step");
      if (!ParseNumber(value, 1, s.instance)) throw Failure(valueAt, "instance needs a number from 1");
    } else {
      throw Failure(keyAt, "unknown key " + key + ": expected class, exe, title, id or instance");
    }
  }

  const std::string& m_text;
  size_t m_at = 0;
};

// "[CLASS:Notepad; TITLE:x]" for the window, optionally followed by a control
// "[CLASS:Edit; INSTANCE:1]" or "[ID:15]". A ";" inside a value is doubled.
class AutoItParser {
 public:
  explicit AutoItParser(const std::string& text) : m_text(text) {}

  SelectorQuery Run() {
    SelectorQuery q;
    q.form = SelectorForm::AutoIt;
    SkipBlanks();
    q.steps.push_back(Group(true));
    SkipBlanks();
    if (!AtEnd()) q.steps.push_back(Group(false));
    SkipBlanks();
    if (!AtEnd()) throw Failure(m_at, "expected the end after the control");
    return q;
  }

 private:
  bool AtEnd() const { return m_at >= m_text.size(); }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(m_text[m_at])) ++m_at;
  }
  // A "]" ends the group only where nothing but blanks, a "[" or the end follows.
  bool ClosesGroup(size_t at) const {
    if (m_text[at] != ']') return false;
    size_t next = at + 1;
    while (next < m_text.size() && IsBlank(m_text[next])) ++next;
    return next >= m_text.size() || m_text[next] == '[';
  }

  SelectorStep Group(bool window) {
    if (AtEnd() || m_text[m_at] != '[') throw Failure(m_at, "expected '['");
    ++m_at;
    SelectorStep s;
    s.descendants = !window;
    s.titlePrefix = true;
    for (;;) {
      SkipBlanks();
      const size_t keyAt = m_at;
      std::string key;
      while (!AtEnd() && std::isalpha(static_cast<unsigned char>(m_text[m_at]))) key += AsciiLower(m_text[m_at++]);
      if (AtEnd() || m_text[m_at] != ':') throw Failure(m_at, "expected ':' after a property");
      ++m_at;
      const size_t valueAt = m_at;
      std::string value;
      for (;;) {
        if (AtEnd()) throw Failure(m_text.size(), "expected ']'");
        if (ClosesGroup(m_at)) break;
        if (m_text[m_at] == ';') {
          if (m_at + 1 < m_text.size() && m_text[m_at + 1] == ';') {
            value += ';';
            m_at += 2;
            continue;
          }
          break;
        }
        value += m_text[m_at++];
      }
      Assign(s, key, value, window, keyAt, valueAt);
      if (m_text[m_at++] == ']') return s;
    }
  }

  static void Assign(SelectorStep& s, const std::string& key, const std::string& value, bool window, size_t keyAt,
                     size_t valueAt) {
    if (key == "class" && !s.hasClass) {
      s.hasClass = true;
      s.className = value;
    } else if (key == "title" && window && !s.hasTitle) {
      s.hasTitle = true;
      s.title = value;
    } else if (key == "instance" && s.instance == 0) {
      if (!ParseNumber(value, 1, s.instance)) throw Failure(valueAt, "INSTANCE needs a number from 1");
    } else if (key == "id" && !window && !s.hasId) {
      s.hasId = true;
      if (!ParseNumber(value, 0, s.id)) throw Failure(valueAt, "ID needs a number from 0 to 4294967295");
    } else {
      throw Failure(keyAt, window ? "expected CLASS, TITLE or INSTANCE, each once"
                                  : "expected CLASS, INSTANCE or ID, each once");
    }
  }

  const std::string& m_text;
  size_t m_at = 0;
};

// "TITLE ahk_class C ahk_exe E": the title is what comes before the first
// keyword, each value runs to the next keyword.
SelectorQuery ParseAutoHotkey(const std::string& text) {
  struct Keyword {
    size_t at;
    size_t valueAt;
    bool isClass;
  };
  std::vector<Keyword> words;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string_view rest = std::string_view(text).substr(i);
    if ((i == 0 || IsBlank(text[i - 1])) && StartsWithNoCase(rest, "ahk_")) {
      if (StartsWithNoCase(rest, "ahk_class") && i + 9 < text.size() && IsBlank(text[i + 9])) {
        words.push_back({i, i + 10, true});
      } else if (StartsWithNoCase(rest, "ahk_exe") && i + 7 < text.size() && IsBlank(text[i + 7])) {
        words.push_back({i, i + 8, false});
      } else {
        throw Failure(i, "expected ahk_class or ahk_exe followed by a value");
      }
    }
  }
  SelectorStep s;
  s.titlePrefix = true;
  std::string title = text.substr(0, words.front().at);
  while (!title.empty() && IsBlank(title.back())) title.pop_back();
  size_t lead = 0;
  while (lead < title.size() && IsBlank(title[lead])) ++lead;
  if (lead < title.size()) {
    s.hasTitle = true;
    s.title = title.substr(lead);
  }
  for (size_t k = 0; k < words.size(); ++k) {
    const size_t end = k + 1 < words.size() ? words[k + 1].at : text.size();
    size_t from = words[k].valueAt;
    while (from < end && IsBlank(text[from])) ++from;
    std::string value = text.substr(from, end - from);
    while (!value.empty() && IsBlank(value.back())) value.pop_back();
    if (value.empty()) throw Failure(words[k].valueAt, "expected a value");
    bool& has = words[k].isClass ? s.hasClass : s.hasExe;
    if (has) throw Failure(words[k].at, "given twice");
    has = true;
    (words[k].isClass ? s.className : s.exe) = value;
  }
  SelectorQuery q;
  q.form = SelectorForm::AutoHotkey;
  q.steps.push_back(s);
  return q;
}

bool LooksLikeAutoHotkey(const std::string& text) {
  const std::string lower = LowerAscii(text);
  for (const char* word : {"ahk_class", "ahk_exe"}) {
    for (size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
      if (at == 0 || IsBlank(lower[at - 1])) return true;
    }
  }
  return false;
}

// Tarvisk's selectors begin with one of its keys; their quoted values may
// hold anything, "ahk_class" and "[" included.
bool StartsWithTarviskKey(const std::string& text, size_t at) {
  for (const char* key : {"class:", "exe:", "title:", "id:", "instance:"}) {
    if (StartsWithNoCase(std::string_view(text).substr(at), key)) return true;
  }
  return false;
}

}  // namespace

SelectorParse ParseSelector(const std::string& text) {
  SelectorParse p;
  try {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    if (StartsWithTarviskKey(text, first)) {
      p.query = TarviskParser(text).Run();
    } else if (first < text.size() && text[first] == '[') {
      p.query = AutoItParser(text).Run();
    } else if (LooksLikeAutoHotkey(text)) {
      p.query = ParseAutoHotkey(text);
    } else {
      p.query = TarviskParser(text).Run();
    }
    p.ok = true;
  } catch (const Failure& f) {
    p.ok = false;
    p.position = f.position + 1;
    p.error = f.error;
  }
  return p;
}

std::string SelectorErrorText(const SelectorParse& parse) {
  return "malformed selector at position " + std::to_string(parse.position) + ": " + parse.error;
}

std::string QuoteSelectorValue(const std::string& value) {
  std::string out = "'";
  for (char c : value) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string TarviskSelectorText(const std::vector<SelectorStep>& steps) {
  std::string out;
  for (const SelectorStep& s : steps) {
    std::string step;
    auto add = [&](const std::string& attribute) { step += (step.empty() ? "" : " ") + attribute; };
    if (s.hasClass) add("class:" + QuoteSelectorValue(s.className));
    if (s.hasExe) add("exe:" + QuoteSelectorValue(s.exe));
    if (s.hasTitle) add("title:" + QuoteSelectorValue(s.title));
    if (s.hasId) add("id:" + std::to_string(s.id));
    if (s.instance != 0) add("instance:" + std::to_string(s.instance));
    out += (out.empty() ? "" : " / ") + step;
  }
  return out;
}
