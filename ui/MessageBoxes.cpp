#include "ui/MessageBoxes.h"

#include "ui/HintText.h"

const char* const kAppTitle = "Tarvisk";

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, WithFullStop(text).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void ShowInfoBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION);
}

bool AskYesNo(HWND owner, const std::string& text, UINT extraFlags) {
  UINT flags = MB_YESNO | (extraFlags ? extraFlags : MB_ICONQUESTION);
  return MessageBoxA(owner, text.c_str(), kAppTitle, flags) == IDYES;
}
