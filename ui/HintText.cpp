#include "ui/HintText.h"

std::string HintTooltipPart(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string HintStatusPart(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

std::string WithFullStop(const std::string& text) {
  if (!text.empty() && text.back() == '.') return text;
  return text + ".";
}
