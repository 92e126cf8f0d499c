#pragma once
// Which family of controls a window belongs to, by its class name or the
// system class its class was made from: the reading asks the system for the
// base class and the extended control style only where the family needs them.
#include <cstdint>
#include <string>

enum class StyleFamily {
  None, Button, Edit, Static, ListBox, ComboBox, ScrollBar, ListView, TreeView, Tab, Toolbar,
  StatusBar, Trackbar, UpDown, Progress, Header, Rebar, DateTime, MonthCalendar
};

// "Button", "ListView", ...; "" for None.
const char* StyleFamilyName(StyleFamily family);
// The family of a class name (case-insensitive), None for others.
StyleFamily StyleFamilyOfClass(const std::string& className);
// The family of a window: its own class, else the system class its class
// names as the one it was made from (a superclass of "Button" decodes as a button).
StyleFamily StyleFamilyOfWindow(const std::string& className, const std::string& baseClassName);
// The message that reads the family's extended control style, 0 for none.
uint32_t ControlExStyleMessage(StyleFamily family);
