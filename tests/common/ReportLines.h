#pragma once
// A report's lines, split at CR LF; what follows the last one is the last line.
// Shared by the native and the Wine tests, so kept in this header alone.
#include <string>
#include <vector>

inline std::vector<std::string> ReportLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}
