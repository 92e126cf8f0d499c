// The system's dialogs, message boxes and beep for the Modify page.
#include <windows.h>

#include <commdlg.h>

#include "modify/ModifyHost.h"
#include "platform/OnDemandDlls.h"
#include "ui/MessageBoxes.h"

bool ModifyPrompts::ChoosePluginFile(HWND owner, std::string& fileName) {
  char file[MAX_PATH * 2] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "Tarvisk Plugins (*.dll)\0*.dll\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = "Install plugin";
  ofn.lpstrDefExt = "dll";
  // Only a file that is there can be installed; a mistyped name is caught
  // by the dialog rather than listed as a plug-in that does not load.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST |
              OFN_PATHMUSTEXIST;
  if (!OpenFileDialog(&ofn)) return false;
  fileName = file;
  return true;
}

bool ModifyPrompts::AskYesNo(HWND owner, const std::string& caption, const std::string& text) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ModifyPrompts::ShowInformation(HWND owner, const std::string& caption, const std::string& text) {
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void ModifyPrompts::ShowError(HWND owner, const std::string& text) { ShowErrorBox(owner, text); }

void ModifyPrompts::Beep() { MessageBeep(0); }
