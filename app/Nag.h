#pragma once
// The donation reminder shown before the main window at start-up.
#include <windows.h>

class TfrmNag {
 public:
  // Shows the reminder modally; returns the state of "Don't show me this again".
  static bool Run(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
};

// The maker's donation page, shared with the About page's "&Donate" button.
const char* DonationTarget();
