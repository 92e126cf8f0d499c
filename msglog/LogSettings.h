#pragma once
// The message log's own values under Tarvisk's key: the window's size and
// the filter. New value names only, written as strings like the others.
#include <string>

#include "settings/Settings.h"
#include "msglog/LogFilter.h"

namespace msglog {

constexpr const char* kLogWidthValue = "MessageLogWidth";
constexpr const char* kLogHeightValue = "MessageLogHeight";
constexpr const char* kLogFilterValue = "MessageLogFilter";

struct MessageLogSettings {
  int width = 760, height = 420;
  LogFilter filter;
};

// Missing or malformed values keep their defaults; sizes are kept within
// [200, 10000] so that a damaged value cannot hide the window.
MessageLogSettings ReadLogSettings(SettingsStore& store, const std::string& title);
// False when a value could not be written.
bool WriteLogSettings(SettingsStore& store, const std::string& title, const MessageLogSettings& settings);

}  // namespace msglog
