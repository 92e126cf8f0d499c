#pragma once
// The details as the Details window and the text report show them: groups of
// rows, each a name and a value, in the display options (handles and values
// in the integer format, constant names in the constants' case; coordinates,
// sizes, counts and DPI always decimal). A fact the system did not give reads
// "not available on this system", never a zero.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "reading/WindowDetails.h"
#include "inspect/Format.h"

struct DetailsRow {
  std::string name, value;  // UTF-8
};

struct DetailsGroup {
  std::string title;
  std::vector<DetailsRow> rows;
};

inline constexpr char kNotAvailableText[] = "not available on this system";
inline constexpr char kDeniedText[] = "not readable: access denied";
inline constexpr char kNoneText[] = "none";

// The groups in the order a reader looks for them: Properties, Extra bytes,
// Scroll bars, Thread, Placement and order, DPI and monitor, DWM, Region and
// layering, Icons, Menu, Process.
std::vector<DetailsGroup> DescribeDetails(const WindowDetails& details, const DisplayOptions& opts);

// The names of the platform's constants, upper case as its headers spell them.
// SW_ show command by value; "" for a value no name has.
std::string ShowCommandName(uint32_t showCommand);
// Names of the set bits of GUI_ (thread), LWA_ (layering), DWM_CLOAKED_ and
// STATE_SYSTEM_ (scroll bar) flags, in table order.
std::vector<std::string> GuiThreadFlagNames(uint32_t flags);
std::vector<std::string> LayeredFlagNames(uint32_t flags);
std::vector<std::string> CloakedFlagNames(uint32_t flags);
std::vector<std::string> ScrollBarStateNames(uint32_t state);
// "unaware", "system", "per-monitor", "per-monitor v2", "unaware with GDI scaling".
std::string DpiAwarenessText(DpiAwareness awareness);
// The JSON's names: "unaware", "system", "perMonitor", "perMonitorV2", "unawareGdiScaled".
std::string DpiAwarenessKey(DpiAwareness awareness);
// "untrusted", "low", "medium", "medium plus", "high", "system", "protected";
// another RID in decimal.
std::string IntegrityText(uint32_t rid);
// The JSON's names: "untrusted", "low", "medium", "mediumPlus", "high", "system", "protected".
std::string IntegrityKey(uint32_t rid);
// "none", "empty", "simple", "complex".
std::string RegionTypeText(RegionType type);

// The rows as text: a group's title on a line of its own, then "name\tvalue"
// lines, CR LF after each; what Copy and "Copy all" put on the clipboard.
std::string DetailsRowsText(const std::vector<DetailsGroup>& groups);

class TargetReading;

// A group of the Details window after the details' own, from another
// capability (decoded control styles, selectors, ...): made from the reading
// of the target shown, in the display options; a group without rows is left
// out. Registered by app/DetailsCommand.cpp.
using DetailsGroupSource = std::function<DetailsGroup(TargetReading& reading, const DisplayOptions& options)>;

// What the Details window shows: the details' groups (read where stale), then
// each source's group that has rows, in the sources' order.
std::vector<DetailsGroup> DetailsWindowGroups(TargetReading& reading, const DisplayOptions& options,
                                              const std::vector<DetailsGroupSource>& sources);
// The same from the details as last read, reading nothing of them again: for
// a change of the display options.
std::vector<DetailsGroup> DetailsWindowGroupsAgain(TargetReading& reading, const DisplayOptions& options,
                                                   const std::vector<DetailsGroupSource>& sources);
