#pragma once
// What the Processes window needs of the main window.
#include <windows.h>

#include <memory>

#include "settings/Settings.h"

class ProcessesHost {
 public:
  virtual ~ProcessesHost() = default;
  virtual HWND Owner() const = 0;
  // The window the main window shows; null for none.
  virtual HWND CurrentTarget() const = 0;
  // Shows the window in the main window's pages.
  virtual void Inspect(HWND window) = 0;
  // Opens a message log of every window of the thread of `window`.
  virtual void OpenThreadLog(HWND window) = 0;
  virtual std::unique_ptr<SettingsStore> OpenSettings() const = 0;
};
