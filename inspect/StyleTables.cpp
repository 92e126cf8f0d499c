#include "inspect/StyleTables.h"

namespace {

template <size_t N>
std::string Decode(const StyleRow (&rows)[N], uint32_t value, bool child, const DisplayOptions& opts) {
  std::string text;
  for (const StyleRow& row : rows) {
    if ((value & row.mask) != row.mask) continue;
    text += (child && row.childName) ? row.childName : row.name;
    text += StyleSeparator;
  }
  // Every name was followed by a separator; the last one goes.
  if (text.size() <= static_cast<size_t>(kStyleSeparatorLength)) {
    text.clear();
  } else {
    text.resize(text.size() - kStyleSeparatorLength);
  }
  return ApplyConstsCase(text, opts);
}

}  // namespace

std::string DecodeWindowStyle(uint32_t style, const DisplayOptions& opts) {
  return Decode(kWindowStyles, style, (style & kStyleChild) == kStyleChild, opts);
}

std::string DecodeExStyle(uint32_t exStyle, const DisplayOptions& opts) {
  return Decode(kExStyles, exStyle, false, opts);
}

std::string DecodeClassStyle(uint32_t classStyle, const DisplayOptions& opts) {
  return Decode(kClassStyles, classStyle, false, opts);
}

std::string StockIconName(uint32_t identifier, const DisplayOptions& opts) {
  for (const StockIconRow& row : kStockIcons) {
    if (row.value == identifier) return ApplyConstsCase(row.name, opts);
  }
  return FormatInteger(identifier, opts);
}

std::string StyleMemoText(uint32_t style, uint32_t exStyle, const DisplayOptions& opts) {
  return DecodeWindowStyle(style, opts) + StyleSeparator + DecodeExStyle(exStyle, opts);
}

std::vector<std::string> SplitConstantNames(const std::string& decoded) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < decoded.size()) {
    const size_t at = decoded.find(StyleSeparator, start);
    const size_t end = at == std::string::npos ? decoded.size() : at;
    names.push_back(decoded.substr(start, end - start));
    if (at == std::string::npos) break;
    start = at + kStyleSeparatorLength;
  }
  return names;
}
