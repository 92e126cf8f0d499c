#pragma once
// The Events window's values under Tarvisk's key: its place and size, its
// filters and its columns' widths. New value names only, stored as strings.
#include <array>
#include <string>

#include "events/EventFilter.h"
#include "settings/Settings.h"

struct EventsWindowSettings : WindowPlace {
  EventsWindowSettings() {
    width = 844;  // within a 1280-pixel screen at 144 dpi
    height = 460;
  }
  EventFilter filter;
  // Widths at 96 dpi, in EventColumn order.
  std::array<int, kEventColumnCount> columns{{60, 200, 80, 120, 160, 130, 260}};
};

// Missing or malformed values keep their defaults; sizes stay within
// within what ReadWindowPlace allows and column widths within [0, 2000].
EventsWindowSettings ReadEventsSettings(SettingsStore& store, const std::string& title);
// False when a value could not be written.
bool WriteEventsSettings(SettingsStore& store, const std::string& title, const EventsWindowSettings& settings);
