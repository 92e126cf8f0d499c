#pragma once
// The texts that name a window the way automation finds it again: Tarvisk's
// own path of steps, and the AutoIt and AutoHotkey forms that the command line
// accepts for convenience. Parsing only; resolving against a desktop is
// DesktopSelectors' work.
//
// Tarvisk selector grammar (the README shows it with examples):
//   selector = step { "/" step }
//   step     = attribute { attribute }          blanks separate the tokens
//   attribute= key ":" value
//   key      = "class" | "exe" | "title" | "id" | "instance"  (any letter case)
//   value    = "'" { any character but "'" | "''" } "'"
//            | one or more characters but blanks, "/" and "'"
// The first step names a top-level window (class, exe, title, instance); each
// further step a direct child of the window before it (class, id, instance).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SelectorForm { Tarvisk, AutoIt, AutoHotkey };

struct SelectorStep {
  bool hasClass = false, hasExe = false, hasTitle = false, hasId = false;
  std::string className, exe, title;  // class and exe match in any letter case
  uint32_t id = 0;
  bool titlePrefix = false;  // the title matches the start of the window's (AutoIt, AutoHotkey)
  uint32_t instance = 0;     // the Nth of the step's matches, from 1; 0: all of them
  // Searches every descendant of the top-level window (the foreign forms'
  // controls) rather than the previous step's direct children.
  bool descendants = false;
};

struct SelectorQuery {
  SelectorForm form = SelectorForm::Tarvisk;
  std::vector<SelectorStep> steps;  // the first names top-level windows
};

struct SelectorParse {
  bool ok = false;
  SelectorQuery query;
  size_t position = 0;  // of the error, from 1, in bytes
  std::string error;    // what was expected there
};

// Tells the three forms apart: "[" opens an AutoIt form, an "ahk_class" or
// "ahk_exe" word makes an AutoHotkey WinTitle, anything else is Tarvisk's.
SelectorParse ParseSelector(const std::string& text);

// "malformed selector at position N: ..." for a parse that failed.
std::string SelectorErrorText(const SelectorParse& parse);

// A value in quotes, safe for any characters: 'it''s'.
std::string QuoteSelectorValue(const std::string& value);
// The Tarvisk text of a query's steps, values quoted (foreign forms' title
// prefixes and descendant searches have no Tarvisk spelling and are dropped).
std::string TarviskSelectorText(const std::vector<SelectorStep>& steps);
