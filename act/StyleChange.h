#pragma once
// Changing a window's style words the way that really changes them: which
// call applies which bit, which bits did not take, and the changes a script
// names (+WS_BORDER, -WS_CAPTION, =00C00000).
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/ControlStyles.h"
#include "platform/WinConstants.h"

namespace act {

struct StyleWords {
  uint32_t style = 0, exStyle = 0;
  bool operator==(const StyleWords& o) const { return style == o.style && exStyle == o.exStyle; }
  bool operator!=(const StyleWords& o) const { return !(*this == o); }
};

// The calls that take a window from `before` to `after`, in this order: each
// word written with SetWindowLongPtr (and the frame recomputed with
// SetWindowPos(SWP_FRAMECHANGED...)) carrying the bits the other calls own as
// they were; then ShowWindow, EnableWindow, and SetWindowPos into or out of
// the topmost band. A word or call that changes nothing is left out.
struct StylePlan {
  bool writeStyle = false, writeExStyle = false;
  uint32_t style = 0, exStyle = 0;
  int show = -1;     // 1 ShowWindow(SW_SHOWNA), 0 ShowWindow(SW_HIDE), -1 no call
  int enable = -1;   // 1 EnableWindow(TRUE), 0 EnableWindow(FALSE), -1 no call
  int topmost = -1;  // 1 HWND_TOPMOST, 0 HWND_NOTOPMOST, -1 no call
  bool Empty() const { return !writeStyle && !writeExStyle && show < 0 && enable < 0 && topmost < 0; }
};
StylePlan PlanStyleChange(const StyleWords& before, const StyleWords& after);

// A bit that was to change and did not: the window or the system kept it.
struct MissedBit {
  bool exStyle = false;
  uint32_t bit = 0;
  bool wanted = false;  // the value asked for
};
std::vector<MissedBit> MissedBits(const StyleWords& before, const StyleWords& wanted, const StyleWords& read);

// A bit's constant name for the family (WS_, WS_EX_ or the control's own), or
// its value in hexadecimal ("0x00000800") when no single-bit constant names it.
std::string StyleBitName(bool exStyle, uint32_t bit, StyleFamily family);
// "WS_MAXIMIZEBOX stayed on", one line per missed bit.
std::string MissedBitText(const MissedBit& missed, StyleFamily family);

// What the editor shows and a script names: one name per row for a set of
// bits. The WS_ and WS_EX_ names are those of the Window page; WS_CAPTION
// (WS_BORDER | WS_DLGFRAME) and the other compound names a script may use are
// known too.
struct StyleNameValue {
  bool exStyle = false;
  uint32_t mask = 0, value = 0;  // the bits the name sets within mask
};
// The name's bits (any case); WS_ and WS_EX_ names, then the family's own.
bool FindStyleName(const std::string& name, StyleFamily family, StyleNameValue* out);

// One change of a script: +NAME sets the name's bits, -NAME clears them (a
// choice of a multi-bit field clears the field), =HEX sets the whole word
// (the extended style's with /ex).
struct StyleEdit {
  enum Kind { Set, Clear, Whole } kind = Set;
  StyleNameValue name;
  uint32_t word = 0;  // Whole
};
// Parses one change; false with `error` set for a name no table knows or a bad number.
bool ParseStyleEdit(const std::string& text, StyleFamily family, bool exWord, StyleEdit* edit,
                    std::string* error);
StyleWords ApplyStyleEdits(StyleWords words, const std::vector<StyleEdit>& edits, bool exWord);

// A number as the command line and the dialogs take one: decimal, 0x or $
// hexadecimal, or a negative decimal (as a 32-bit two's complement).
bool ParseActNumber(const std::string& text, uint64_t* value);

}  // namespace act
