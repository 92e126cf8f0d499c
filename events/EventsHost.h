#pragma once
// What the Events window needs of the program around it.
#include <windows.h>

#include <memory>

#include "platform/WindowSystem.h"
#include "settings/Settings.h"

class EventsHost {
 public:
  virtual ~EventsHost() = default;
  virtual HWND Owner() const = 0;
  // Where the window's place, filters and columns are kept; null: not kept.
  virtual std::unique_ptr<SettingsStore> OpenSettings() const = 0;
  // Shows the window in the main window; false when it no longer exists.
  virtual bool Inspect(Hwnd window) = 0;
};
