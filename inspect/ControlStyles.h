#pragma once
// The style bits a control class gives the low word of its window style (and a
// list view its extended list-view style), by family: the platform's constant
// names as data, their decoding, and the one decoded form the JSON report, the
// Details window and the style editor share. The Window page's style memo does
// not show them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "inspect/Format.h"
#include "reading/ControlFamily.h"

struct WindowFacts;

// A row is read: the name applies when (style AND mask) equals value, and, when
// condMask is not 0, (style AND condMask) equals condValue. A flag has value
// equal to mask. Rows that share a mask wider than their value are the
// choices of one field (BS_TYPEMASK, ES_ alignment): exactly one applies, and
// a choice of value 0 is named only when the field has a name for it.
struct ControlStyleRow {
  uint32_t mask;
  uint32_t value;
  const char* name;
  uint32_t condMask = 0, condValue = 0;
};

struct ControlStyleTable {
  const ControlStyleRow* rows;
  size_t count;
  const ControlStyleRow* begin() const { return rows; }
  const ControlStyleRow* end() const { return rows + count; }
};

// The rows of the window style's low word for a family (empty for None).
ControlStyleTable ControlStyleRows(StyleFamily family);
// The list view's extended styles (LVM_GETEXTENDEDLISTVIEWSTYLE); empty for
// every other family.
ControlStyleTable ControlExStyleRows(StyleFamily family);

// Whether a row applies to the style.
bool RowApplies(const ControlStyleRow& row, uint32_t style);
// The names of the rows that apply, in table order.
std::vector<std::string> ControlStyleNames(ControlStyleTable table, uint32_t style);

// What a window's control style decodes to.
struct DecodedControlStyle {
  StyleFamily family = StyleFamily::None;
  std::vector<std::string> constants;  // the style's names, then the extended ones
  bool exStyleKnown = false;           // the extended style was read
};

// The control style of the window a reading describes: its family by class
// name (and the class it was made from), and the names of its style and of
// its extended control style where one was read. `family` None: no known family.
DecodedControlStyle DecodeControlStyle(const WindowFacts& facts);
// The same names, cased and joined with StyleSeparator, as a field shows them.
std::string ControlStyleText(const DecodedControlStyle& decoded, const DisplayOptions& opts);

