#pragma once
// The Details window's own values under Tarvisk's key: its position and size,
// new value names written as strings like the others (as the message log's).
#include <string>

#include "settings/Settings.h"

constexpr const char* kDetailsLeftValue = "DetailsLeft";
constexpr const char* kDetailsTopValue = "DetailsTop";
constexpr const char* kDetailsWidthValue = "DetailsWidth";
constexpr const char* kDetailsHeightValue = "DetailsHeight";

struct DetailsWindowSettings {
  bool hasPosition = false;  // false: the window goes beside the main window
  int left = 0, top = 0;
  int width = 460, height = 560;
};

// Missing or malformed values keep their defaults; a position comes back only
// with both of its values; sizes are kept within [200, 10000] so that a
// damaged value cannot hide the window.
DetailsWindowSettings ReadDetailsSettings(SettingsStore& store, const std::string& title);
// False when a value could not be written.
bool WriteDetailsSettings(SettingsStore& store, const std::string& title, const DetailsWindowSettings& settings);
