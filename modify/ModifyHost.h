#pragma once
// What the Modify page needs of the main window, and what it asks of the user
// or signals to them, so that tests can stand in for both.
#include <windows.h>

#include <string>

#include "platform/WindowSystem.h"

class ModifyHost {
 public:
  virtual ~ModifyHost() = default;
  // The main window: owner of the open dialog and of the questions.
  virtual HWND Owner() const = 0;
  // The window every change is applied to, and plug-ins are executed on.
  virtual Hwnd CurrentTarget() const = 0;
  // The tag of btnStart: true while probing (and while a refresh reloads the pages).
  virtual bool Probing() const = 0;
  // The folder of the program file, ending with a backslash.
  virtual std::string ProgramFolder() const = 0;
  // Gathers everything about CurrentTarget again, after a plug-in may have changed it.
  virtual void RefreshInformation() = 0;
};

// The dialogs, message boxes and the beep of the page. The defaults are the
// system's; tests override them so that nothing waits for a user.
class ModifyPrompts {
 public:
  virtual ~ModifyPrompts() = default;
  // opdPlugin, "Install plugin"; false when cancelled, else `fileName` is the full path.
  virtual bool ChoosePluginFile(HWND owner, std::string& fileName);
  // Yes/No with the question icon (0x24); true for Yes.
  virtual bool AskYesNo(HWND owner, const std::string& caption, const std::string& text);
  // OK with the information icon (0x40).
  virtual void ShowInformation(HWND owner, const std::string& caption, const std::string& text);
  // The standard error box.
  virtual void ShowError(HWND owner, const std::string& text);
  // A refused key in the position and size edits: MessageBeep(0).
  virtual void Beep();
};
