#pragma once
// The selectors of one window: how automation tools would find it again, and
// how many windows each notation matches on the desktop as it was read.
#include <cstdint>
#include <string>

struct SelectorFacts {
  bool known = false;  // false: not computed for this reading
  // WinTitle of the top-level window: "ahk_class C ahk_exe E", with the title
  // in front only where it is needed to tell the window apart.
  std::string ahk;
  // The control's ClassNN in that window; empty for a top-level window.
  std::string ahkClassNN;
  // "[CLASS:C]" or "[CLASS:C; TITLE:T]" for the top-level window, followed for
  // a control by "[CLASS:C; INSTANCE:N]".
  std::string autoit;
  // "[ID:N]" for a control whose id is unique in its top-level window, else empty.
  std::string autoitId;
  std::string pywinauto;
  std::string tarvisk;
  // Windows each notation matches now; 1 is unique.
  uint32_t ahkMatches = 0, autoitMatches = 0, pywinautoMatches = 0, tarviskMatches = 0;
};
