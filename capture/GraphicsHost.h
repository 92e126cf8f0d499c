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
  virtual bool Probing() const = 0;
  virtual DisplayOptions CurrentDisplayOptions() const = 0;
  // The probe point against the current target, read now; the colour is
  // left to the page, which reads it from its capture of the screen.
  virtual GraphicFacts ProbePositions() const = 0;
  // The page's own commands (zoom, reticle) ask for a capture like any other:
  // the main window makes it through CaptureScreen and keeps what it gave.
  virtual void CaptureAgain() = 0;
  // A click on the image: the probe point moves there, and the window under
  // it is inspected and captured.
  virtual void InspectAt(WinPoint point) = 0;
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
