#pragma once
// The Modify page's decisions that need no system: which show command a
// choice stands for, which keys the position edits take, how a coordinate
// fits an up-down, and the texts of failed plug-in file operations.
#include <cstdint>
#include <string>

#include "platform/WinConstants.h"

// ShowWindow commands, by their platform values.
enum ShowCommand : int {
  kSwHide = 0,
  kSwShowNormal = 1,
  kSwShowMaximized = 3,
  kSwShowMinNoActive = 7,
  kSwShowNa = 8,
  kSwRestore = 9,
};

// Items of rgrState.
enum StateItem : int { kStateNormal = 0, kStateMinimized = 1, kStateMaximized = 2 };

// The item that shows a window's state: maximised before minimised.
int StateItemFor(bool zoomed, bool iconic);

// The command that puts a window into the chosen item's state; -1 for an
// item outside the group. A minimised window is brought back with
// SW_SHOWNORMAL, which also activates it; any other with SW_RESTORE.
int ShowCommandForState(int item, bool iconic);

// Showing never activates the target; hiding hides it.
inline int ShowCommandForVisible(bool visible) { return visible ? kSwShowNa : kSwHide; }

// Minimising and maximising are offered for top-level windows only.
inline bool StateGroupEnabled(bool enable, uint32_t style) {
  return enable && !(style & kStyleChild);
}

// Child windows are placed in their parent's client area; every other window,
// owned pop-ups included, in screen coordinates. MoveWindow takes the same.
inline bool PlacedInParent(uint32_t style) { return (style & kStyleChild) != 0; }

// A character typed into the four position and size edits: Backspace and the
// digits only. A minus sign is refused; negative values come from the arrows.
inline bool AcceptPositionKey(unsigned char c) { return c == 8 || (c >= '0' && c <= '9'); }

// What an up-down holds of a coordinate: its low 16 bits, signed.
inline int16_t UpDownValue(int32_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
}

// Message texts when installing or deleting did not reach the file system;
// `reason` is the system's own description, possibly empty.
std::string PluginCopyFailedText(const std::string& from, const std::string& to,
                                 const std::string& reason);
std::string PluginDeleteFailedText(const std::string& path, const std::string& reason);

// Two paths that name the same file, compared as the file system does (without case).
bool SamePluginPath(const std::string& a, const std::string& b);
