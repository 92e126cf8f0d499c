#pragma once
// Names of window messages and of the codes inside them, from tables built
// from the platform's headers. The control families are chosen by the class
// of the window that receives a message, because their message numbers
// overlap (BM_CLICK and EM_SCROLL are both 0x00F5).
#include <cstddef>
#include <cstdint>
#include <string>

namespace msglog {

// One row: the value, then its constant's name. Tables are sorted by value.
struct NameRow {
  int32_t value;
  const char* name;
};
struct NameTable {
  const NameRow* rows;
  size_t count;
};

enum class ControlFamily {
  None, Button, Edit, ListBox, ComboBox, ScrollBar, Static, ListView, TreeView, Tab, Header,
  Toolbar, StatusBar, Tooltip, Progress, Trackbar, UpDown
};

// The family of a window class name (case-insensitive), None for others.
ControlFamily FamilyOfClass(const std::string& className);

// nullptr when the table has no row for value.
const char* LookupName(const NameTable& table, int32_t value);

// The message's name as a window of `family` receives it: a WM_ or control
// name, "WM_USER+n", "WM_APP+n", the registered name when one is given for
// 0xC000..0xFFFF, otherwise the number in hexadecimal.
std::string MessageName(uint32_t message, ControlFamily family,
                        const std::string& registeredName = std::string());

// The message number of a name as MessageName gives it (any family), or of a
// number in decimal or 0x-hexadecimal. False when neither.
bool ParseMessage(const std::string& text, uint32_t* message);

// The WM_COMMAND notification code of a control family (BN_, EN_, LBN_, CBN_, STN_).
const char* CommandCodeName(ControlFamily family, uint32_t code);
// A WM_NOTIFY code: NM_, LVN_, TVN_, TCN_, HDN_, TBN_, TTN_, UDN_. The
// families' ranges overlap (TBN_SAVE is UDN_DELTAPOS), so the sending
// control's family is asked first; without one, the first match.
const char* NotifyCodeName(int32_t code, ControlFamily family = ControlFamily::None);
const char* SysCommandName(uint32_t command);  // the low four bits are ignored
const char* HitTestName(int32_t code);
// "VK_RETURN", "A", "7", or the number when the key has no name.
std::string VirtualKeyName(uint32_t key);
// SWP_ and MK_ flags by name joined with '|', the rest in hexadecimal; "0" for none.
std::string SwpFlagsText(uint32_t flags);
std::string MouseKeysText(uint32_t keys);

// The tables, also for the check against the platform's headers.
NameTable WindowMessageNames();
NameTable ControlMessageNames(ControlFamily family);

}  // namespace msglog
