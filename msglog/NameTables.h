#pragma once
// The generated name tables, for MessageNames.cpp.
#include "msglog/MessageNames.h"

namespace msglog {

enum class SystemTableId {
  WindowMessages, SysCommands, HitTests, VirtualKeys, ButtonCodes, EditCodes, ListBoxCodes,
  ComboBoxCodes, StaticCodes, CommonNotifications, ListViewNotifications, TreeViewNotifications,
  TabNotifications, HeaderNotifications, ToolbarNotifications, TooltipNotifications,
  UpDownNotifications, Count
};

NameTable SystemTable(SystemTableId id);
// ControlFamily::None gives the CCM_ messages every common control takes.
NameTable ControlTable(ControlFamily family);

}  // namespace msglog
