#pragma once
// The desktop as selectors see it, read once and lazily: the top-level windows
// in EnumWindows order with their class, process, executable and title, and,
// for the top-level windows a question reaches, their descendants in
// EnumChildWindows order. Naming many windows of one desktop (a snapshot)
// or resolving a selector then costs one enumeration, not one per window.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/WindowSystem.h"
#include "selectors/SelectorGrammar.h"
#include "reading/SelectorFacts.h"

// The executable's file name (e.g. "notepad.exe") of a process; empty when it
// cannot be read.
using ExeNameSource = std::function<std::string(uint32_t processId)>;

// A window below a top-level window, as the enumeration of its descendants
// lists them: every parent before its children.
struct ListedChild {
  Hwnd parent = 0;
  const std::string* className = nullptr;
  uint32_t id = 0;
};

// Each listed window's Tarvisk step below its parent: class and control id
// where no sibling shares both, else class and its place among the siblings of
// that class. One pass over the list, however many windows ask.
std::vector<SelectorStep> ChildSelectorSteps(const std::vector<ListedChild>& list);

class DesktopSelectors {
 public:
  DesktopSelectors(const WindowSystem& ws, ExeNameSource exeName);

  // The windows the query names, in the order found (top-level windows in
  // z-order, then each one's descendants in enumeration order).
  std::vector<Hwnd> Resolve(const SelectorQuery& query);

  // The four notations and how many windows each matches. `known` stays false
  // for a window that is not on this desktop (closed, or message-only).
  SelectorFacts Selectors(Hwnd w);
  // Only the Tarvisk selector, without counting the others: what a listing
  // of every window needs. Empty for a window not on this desktop.
  std::string TarviskSelector(Hwnd w);

 private:
  struct Top {
    Hwnd handle = 0;
    std::string className;
    bool haveProcess = false, haveTitle = false, haveChildren = false;
    std::string exe, title;
    bool haveStep = false;
    SelectorStep step;  // Tarvisk's first step: every window below shares it
  };
  struct Descendant {
    Hwnd handle = 0, parent = 0;
    std::string className;
    uint32_t id = 0;
    SelectorStep step;  // below its parent
  };
  struct Place {
    size_t top = 0;
    long index = -1;  // in the top's descendants; -1: the top-level window itself
  };

  std::vector<Top>& Tops();
  const std::string& Exe(size_t top);
  const std::string& Title(size_t top);
  const std::vector<Descendant>& Children(size_t top);
  bool Locate(Hwnd w, Place& place);
  std::vector<SelectorStep> TarviskSteps(const Place& place);
  SelectorStep TopStep(size_t top);

  // Top-level windows that a step matches, in z-order.
  std::vector<size_t> MatchingTops(const SelectorStep& step);
  // Descendants of `top` below `parent` (direct children, or every
  // descendant when the step says so) that the step matches.
  std::vector<long> MatchingBelow(const SelectorStep& step, size_t top, long parent);
  uint32_t CountWithControl(const std::vector<size_t>& tops, const SelectorStep& control);

  const WindowSystem& m_ws;
  ExeNameSource m_exeName;
  bool m_haveTops = false;
  std::vector<Top> m_tops;
  std::map<Hwnd, size_t> m_topOf;                   // every top-level window
  std::map<Hwnd, Place> m_placeOf;                  // descendants read so far
  std::map<size_t, std::vector<Descendant>> m_children;  // by top
  std::map<uint32_t, std::string> m_exeByProcess;
};

// One window's selectors over the live desktop, with their match counts.
SelectorFacts WindowSelectors(const WindowSystem& ws, Hwnd w, const ExeNameSource& exeName);

