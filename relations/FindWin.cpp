#include "relations/FindWin.h"

#include <algorithm>
#include <cstdint>

#include "platform/Utf8.h"
#include "reading/WindowFacts.h"

std::string AsciiUpper(const std::string& s) {
  std::string out = s;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What GetWindowTextW reads into a buffer of 16385 characters.
std::string BufferText(std::string s) {
  s.resize(std::min(s.size(), s.find('\0')));
  return s.size() < kTextBufferSize ? s : Utf8Prefix(s, kTextBufferSize - 1);
}

}  // namespace

bool ParseHandle(const std::string& text, Hwnd& handle) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t magnitude = 0;
  if (i < n && text[i] == '$') {
    size_t digits = 0;
    for (++i; i < n && HexDigit(text[i]) >= 0; ++i, ++digits) {
      magnitude = (magnitude << 4) | static_cast<uint32_t>(HexDigit(text[i]));
    }
    if (digits < 1 || digits > 8) return false;
  } else {
    // Leading zeros are allowed, so the limit is checked on the value, not on
    // the number of digits.
    const uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t value = 0;
    size_t digits = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      value = value * 10 + static_cast<uint64_t>(text[i] - '0');
      if (value > limit) return false;
    }
    if (digits == 0) return false;
    magnitude = static_cast<uint32_t>(value);
  }
  if (i != n) return false;
  handle = negative ? 0u - magnitude : magnitude;
  return true;
}

std::string InvalidHandleText(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

bool HandleKeyAccepted(char key) { return key == '\b' || key == '$' || HexDigit(key) >= 0; }

bool FindOkEnabled(int mode, const std::string& text, const std::string& className,
                   const std::string& handle) {
  return mode == kFindByHandle ? !handle.empty() : !text.empty() || !className.empty();
}

bool NodeMatches(const WindowSystem& ws, Hwnd window, const std::string& upperText,
                 const std::string& upperClass, const UpperCase& upper) {
  if (!upperText.empty() &&
      upper(BufferText(ReadWindowFacts(ws, window, Facts::Title).title)).find(upperText) == std::string::npos) {
    return false;
  }
  if (!upperClass.empty() &&
      upper(BufferText(ReadWindowFacts(ws, window, Facts::ClassName).className)).find(upperClass) == std::string::npos) {
    return false;
  }
  return true;
}

int FindNextNode(const WindowTree& tree, const WindowSystem& ws, int start, bool backward,
                 const std::string& upperText, const std::string& upperClass, const UpperCase& upper) {
  const int count = tree.Count();
  if (backward) {
    for (int i = std::min(start, count) - 1; i >= 0; --i) {
      if (NodeMatches(ws, tree[i].window, upperText, upperClass, upper)) return i;
    }
  } else {
    for (int i = std::max(start, -1) + 1; i < count; ++i) {
      if (NodeMatches(ws, tree[i].window, upperText, upperClass, upper)) return i;
    }
  }
  return -1;
}

int SearchStart(const WindowTree& tree, int selected, bool backward) {
  if (tree.IsNode(selected)) return selected;
  return backward ? tree.Count() : 0;
}

int FindFirstNode(const WindowTree& tree, const WindowSystem& ws, const FindRequest& request,
                  const UpperCase& upper) {
  if (request.mode == kFindByHandle) {
    Hwnd handle = 0;
    return ParseHandle(request.handle, handle) ? FindWindowNode(tree, handle) : -1;
  }
  return FindNextNode(tree, ws, 0, false, upper(request.text), upper(request.className), upper);
}

int FindAgain(const WindowTree& tree, const WindowSystem& ws, int selected, bool backward,
              const std::string& text, const std::string& className, const UpperCase& upper) {
  return FindNextNode(tree, ws, SearchStart(tree, selected, backward), backward, upper(text),
                      upper(className), upper);
}
