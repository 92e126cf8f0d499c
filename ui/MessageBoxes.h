#pragma once
// Message boxes with the application title as caption.
#include <windows.h>

#include <string>

extern const char* const kAppTitle;  // "Tarvisk"

// The standard error box: error icon, OK, the text with a full stop appended
// when it lacks one.
void ShowErrorBox(HWND owner, const std::string& text);
void ShowInfoBox(HWND owner, const std::string& text);
// A question; true when the user answers Yes.
bool AskYesNo(HWND owner, const std::string& text, UINT extraFlags = 0);
