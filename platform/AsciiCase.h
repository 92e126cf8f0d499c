#pragma once
// Letter case set aside as the system sets it aside for class names and
// constants: A to Z only. Bytes from 0x80 on (UTF-8) compare as they are,
// whatever the C locale would make of them.
#include <string_view>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameNoCase(text.substr(0, prefix.size()), prefix);
}
