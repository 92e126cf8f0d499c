#pragma once
// What the Graphics page needs from the main window, and the two things it
// asks the system that tests replace: the input clock and the user's answers.
#include <windows.h>

#include <cstdint>
#include <string>

#include "inspect/Format.h"
#include "platform/WindowSystem.h"
#include "target/TargetSnapshot.h"

class GraphicsHost {
 public:
  virtual ~GraphicsHost() = default;
  // Owner of the dialogs and message boxes, and of the clipboard while it is open.
  virtual HWND Owner() const = 0;
  virtual WinPoint ProbePoint() const = 0;
  virtual void SetProbePoint(WinPoint point) = 0;
  virtual Hwnd CurrentTarget() const = 0;
  virtual void SetCurrentTarget(Hwnd window) = 0;
  virtual bool Probing() const = 0;
  virtual DisplayOptions CurrentDisplayOptions() const = 0;
  virtual void InspectWindow(Hwnd window, bool refreshAll) = 0;
  // The Graphic part of the reading (positions and, when asked for, the
  // pixel's colour at the probe point), read now: the screen may have
  // changed since the last read.
  virtual GraphicFacts ReadGraphic(bool withColor) = 0;
};

// GetLastInputInfo and GetTickCount.
class InputClock {
 public:
  virtual ~InputClock() = default;
  virtual uint32_t LastInputTick() const;
  virtual uint32_t Now() const;
};

// The save dialog, the overwrite question and the error box.
class GraphicsPrompts {
 public:
  virtual ~GraphicsPrompts() = default;
  // "Save screen capture"; false when cancelled. `fileName` comes back full.
  virtual bool AskSaveFileName(HWND owner, std::string& fileName);
  // Yes/No with the question icon; true for Yes.
  virtual bool AskOverwrite(HWND owner, const std::string& question);
  virtual void ShowError(HWND owner, const std::string& text);
};
