#include "act/StyleChange.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "inspect/StyleTables.h"
#include "platform/AsciiCase.h"

namespace act {

namespace {

// Names a script may use beside the single bits the Window page names: each
// row the bits it sets, within its mask.
struct CompoundRow {
  bool exStyle;
  uint32_t mask, value;
  const char* name;
};
constexpr CompoundRow kCompounds[] = {
    {false, 0x00C00000, 0x00C00000, "WS_CAPTION"},
    {false, 0x00020000, 0x00020000, "WS_GROUP"},
    {false, 0x00010000, 0x00010000, "WS_TABSTOP"},
    {false, 0x00040000, 0x00040000, "WS_SIZEBOX"},
    {false, 0x20000000, 0x20000000, "WS_ICONIC"},
    {false, 0x40000000, 0x40000000, "WS_CHILDWINDOW"},
    {false, 0x00CF0000, 0x00CF0000, "WS_OVERLAPPEDWINDOW"},
    {false, 0x80880000, 0x80880000, "WS_POPUPWINDOW"},
    {true, 0x00000300, 0x00000300, "WS_EX_OVERLAPPEDWINDOW"},
    {true, 0x00000188, 0x00000188, "WS_EX_PALETTEWINDOW"},
    {true, 0x00080000, 0x00080000, "WS_EX_LAYERED"},
    {true, 0x00100000, 0x00100000, "WS_EX_NOINHERITLAYOUT"},
    {true, 0x00200000, 0x00200000, "WS_EX_NOREDIRECTIONBITMAP"},
    {true, 0x00400000, 0x00400000, "WS_EX_LAYOUTRTL"},
    {true, 0x02000000, 0x02000000, "WS_EX_COMPOSITED"},
    {true, 0x08000000, 0x08000000, "WS_EX_NOACTIVATE"},
};

bool SingleBit(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

template <size_t N>
const char* BitName(const StyleRow (&rows)[N], uint32_t bit) {
  for (const StyleRow& row : rows) {
    if (row.mask == bit) return row.name;
  }
  return nullptr;
}

}  // namespace

StylePlan PlanStyleChange(const StyleWords& before, const StyleWords& after) {
  StylePlan plan;
  const uint32_t owned = kStyleVisible | kStyleDisabled;
  plan.style = (after.style & ~owned) | (before.style & owned);
  plan.exStyle = (after.exStyle & ~kExStyleTopmost) | (before.exStyle & kExStyleTopmost);
  plan.writeStyle = plan.style != before.style;
  plan.writeExStyle = plan.exStyle != before.exStyle;
  if ((before.style ^ after.style) & kStyleVisible) plan.show = (after.style & kStyleVisible) ? 1 : 0;
  // EnableWindow takes "enabled", the bit says "disabled".
  if ((before.style ^ after.style) & kStyleDisabled) plan.enable = (after.style & kStyleDisabled) ? 0 : 1;
  if ((before.exStyle ^ after.exStyle) & kExStyleTopmost) plan.topmost = (after.exStyle & kExStyleTopmost) ? 1 : 0;
  return plan;
}

std::vector<MissedBit> MissedBits(const StyleWords& before, const StyleWords& wanted, const StyleWords& read) {
  std::vector<MissedBit> out;
  for (int word = 0; word < 2; ++word) {
    const bool ex = word == 1;
    const uint32_t b = ex ? before.exStyle : before.style;
    const uint32_t w = ex ? wanted.exStyle : wanted.style;
    const uint32_t r = ex ? read.exStyle : read.style;
    for (int i = 31; i >= 0; --i) {
      const uint32_t bit = 1u << i;
      if (((b ^ w) & bit) && ((w ^ r) & bit)) out.push_back({ex, bit, (w & bit) != 0});
    }
  }
  return out;
}

std::string StyleBitName(bool exStyle, uint32_t bit, StyleFamily family) {
  if (!exStyle && (bit & 0xFFFF0000u)) {
    if (const char* n = BitName(kWindowStyles, bit)) return n;
  } else if (exStyle) {
    if (const char* n = BitName(kExStyles, bit)) return n;
  } else {
    for (const ControlStyleRow& row : ControlStyleRows(family)) {
      if (row.mask == bit && row.value == bit && row.condMask == 0) return row.name;
    }
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(bit));
  return buf;
}

std::string MissedBitText(const MissedBit& missed, StyleFamily family) {
  return StyleBitName(missed.exStyle, missed.bit, family) + (missed.wanted ? " stayed off" : " stayed on") +
         ": the window or the system kept it";
}

bool FindStyleName(const std::string& name, StyleFamily family, StyleNameValue* out) {
  for (const StyleRow& row : kWindowStyles) {
    if (row.mask != 0 && (SameNoCase(row.name, name) || (row.childName && SameNoCase(row.childName, name)))) {
      *out = {false, row.mask, row.mask};
      return true;
    }
  }
  for (const StyleRow& row : kExStyles) {
    if (row.mask != 0 && SameNoCase(row.name, name)) {
      *out = {true, row.mask, row.mask};
      return true;
    }
  }
  for (const CompoundRow& row : kCompounds) {
    if (SameNoCase(row.name, name)) {
      *out = {row.exStyle, row.mask, row.value};
      return true;
    }
  }
  for (const ControlStyleRow& row : ControlStyleRows(family)) {
    if (SameNoCase(row.name, name)) {
      *out = {false, row.mask, row.value};
      return true;
    }
  }
  return false;
}

bool ParseActNumber(const std::string& raw, uint64_t* value) {
  std::string text;
  for (char c : raw) {
    if (!std::isspace(static_cast<unsigned char>(c))) text += c;
  }
  if (text.empty()) return false;
  bool negative = false;
  int base = 10;
  size_t at = 0;
  if (text[0] == '-') {
    negative = true;
    at = 1;
  } else if (text[0] == '$') {
    base = 16;
    at = 1;
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    at = 2;
  }
  const std::string digits = text.substr(at);
  if (digits.empty() || digits.size() > 20) return false;
  for (char c : digits) {
    if (base == 10 ? !std::isdigit(static_cast<unsigned char>(c)) : !std::isxdigit(static_cast<unsigned char>(c)))
      return false;
  }
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(digits.c_str(), &end, base);
  if (errno != 0 || *end) return false;
  if (negative) {
    if (v > 0x80000000ull) return false;
    *value = static_cast<uint64_t>(-static_cast<int64_t>(v));
    return true;
  }
  *value = v;
  return true;
}

bool ParseStyleEdit(const std::string& text, StyleFamily family, bool exWord, StyleEdit* edit, std::string* error) {
  if (text.size() < 2 || (text[0] != '+' && text[0] != '-' && text[0] != '=')) {
    *error = "'" + text + "' is no change: +NAME, -NAME or =HEX";
    return false;
  }
  const std::string rest = text.substr(1);
  if (text[0] == '=') {
    uint64_t v = 0;
    // The word is hexadecimal, as the Window page shows it; $ and 0x are taken too.
    const std::string hex = (rest[0] == '$' || (rest.size() > 2 && rest[1] == 'x')) ? rest : "$" + rest;
    if (!ParseActNumber(hex, &v) || v > 0xFFFFFFFFull) {
      *error = "'" + rest + "' is no hexadecimal style word";
      return false;
    }
    edit->kind = StyleEdit::Whole;
    edit->word = static_cast<uint32_t>(v);
    return true;
  }
  if (!FindStyleName(rest, family, &edit->name)) {
    *error = "'" + rest + "' is no style name" +
             (family == StyleFamily::None ? std::string() : std::string(" of a ") + StyleFamilyName(family));
    return false;
  }
  if (edit->name.exStyle != exWord) {
    *error = rest + (exWord ? " is a style bit, not an extended one: leave out /ex"
                            : " is an extended style bit: give /ex");
    return false;
  }
  edit->kind = text[0] == '+' ? StyleEdit::Set : StyleEdit::Clear;
  return true;
}

StyleWords ApplyStyleEdits(StyleWords words, const std::vector<StyleEdit>& edits, bool exWord) {
  uint32_t& w = exWord ? words.exStyle : words.style;
  for (const StyleEdit& e : edits) {
    switch (e.kind) {
      case StyleEdit::Whole: w = e.word; break;
      case StyleEdit::Set: w = (w & ~e.name.mask) | e.name.value; break;
      case StyleEdit::Clear:
        // Clearing a flag clears its bits; clearing a choice of a field (BS_GROUPBOX)
        // leaves the field at its value 0 only when that choice was the one set.
        if (e.name.mask == e.name.value || SingleBit(e.name.mask)) {
          w &= ~e.name.value;
        } else if ((w & e.name.mask) == e.name.value) {
          w &= ~e.name.mask;
        }
        break;
    }
  }
  return words;
}

}  // namespace act
