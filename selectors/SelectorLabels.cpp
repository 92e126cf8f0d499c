#include "selectors/SelectorLabels.h"

namespace {

uint32_t Matches(const SelectorFacts& f, SelectorNotation n) {
  switch (n) {
    case SelectorNotation::AutoHotkey: return f.ahkMatches;
    case SelectorNotation::AutoIt: return f.autoitMatches;
    case SelectorNotation::Pywinauto: return f.pywinautoMatches;
    case SelectorNotation::Tarvisk: return f.tarviskMatches;
  }
  return 0;
}

}  // namespace

std::string SelectorMenuLabel(const SelectorFacts& f, SelectorNotation n) {
  static const char* const kNames[] = {"&AutoHotkey", "Auto&It", "&pywinauto", "&Tarvisk"};
  std::string label = kNames[static_cast<int>(n)];
  const uint32_t matches = Matches(f, n);
  if (matches == 0) label += " (matches no window)";
  if (matches > 1) label += " (not unique: " + std::to_string(matches) + " windows)";
  return label;
}

std::string SelectorCopyText(const SelectorFacts& f, SelectorNotation n) {
  switch (n) {
    case SelectorNotation::AutoHotkey: return f.ahkClassNN.empty() ? f.ahk : f.ahkClassNN + ", " + f.ahk;
    case SelectorNotation::AutoIt: return f.autoit;
    case SelectorNotation::Pywinauto: return f.pywinauto;
    case SelectorNotation::Tarvisk: return f.tarvisk;
  }
  return std::string();
}
