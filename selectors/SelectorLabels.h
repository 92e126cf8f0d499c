#pragma once
// The four notations as the Copy selector menus offer them.
#include <string>

#include "reading/SelectorFacts.h"

enum class SelectorNotation { AutoHotkey, AutoIt, Pywinauto, Tarvisk };
constexpr int kSelectorNotationCount = 4;

// "Auto&It", with "(not unique: 3 windows)" or "(matches no window)" where it
// does not name the window alone.
std::string SelectorMenuLabel(const SelectorFacts& facts, SelectorNotation notation);

// What the menu copies: the notation as a script would use it. AutoHotkey's
// names a control by its ClassNN before the WinTitle, in the order of the
// Control commands' parameters.
std::string SelectorCopyText(const SelectorFacts& facts, SelectorNotation notation);
