#pragma once
// What the message logs need of the main window: the window shown, an owner
// for messages, and the settings store.
#include <windows.h>

#include <memory>

#include "settings/Settings.h"

namespace msglog {

class MessageLogHost {
 public:
  virtual ~MessageLogHost() = default;
  virtual HWND Owner() const = 0;
  // The target the main window shows; null when none.
  virtual HWND CurrentTarget() const = 0;
  virtual std::unique_ptr<SettingsStore> OpenSettings() const = 0;
};

}  // namespace msglog
