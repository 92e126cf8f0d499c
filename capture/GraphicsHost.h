#pragma once
// What the Graphics page needs from the main window, and the two things it
// asks the system that tests replace: the input clock and the user's answers.
#include <windows.h>

#include <cstdint>
#include <string>

#include "inspect/Format.h"
#include "platform/WindowSystem.h"
#include "reading/Reading.h"

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
  // The Graphic part of the reading at the probe point, read now: the
  // positions, with the pixel's colour the page read from its capture of the
  // screen when it made one (null: none; the part then waits for a report).
  virtual GraphicFacts ReadGraphic(const uint32_t* color) = 0;
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
