#pragma once
// What the Details window needs of the main window: the one reading of the
// target it shows, the display options, a window to stand beside, and the
// settings store.
#include <windows.h>

#include <memory>

#include "inspect/Format.h"
#include "settings/Settings.h"

class TargetReading;

class DetailsHost {
 public:
  virtual ~DetailsHost() = default;
  virtual HWND Owner() const = 0;
  virtual TargetReading& Reading() = 0;
  virtual DisplayOptions Options() const = 0;
  virtual std::unique_ptr<SettingsStore> OpenSettings() const = 0;
};
