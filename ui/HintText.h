#pragma once
// Hints are one text split at the first "|": the tooltip before it, the
// status-bar text after it; a hint without "|" serves as both.
#include <string>

std::string HintTooltipPart(const std::string& hint);
std::string HintStatusPart(const std::string& hint);
// The text with a full stop appended when it does not already end in one.
std::string WithFullStop(const std::string& text);
