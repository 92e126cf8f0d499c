// A minimal Tarvisk plug-in: puts the target window's caption in upper case.
// Build it as a 32-bit DLL with Caption.def and drop it into Tarvisk's
// Plugins folder (or install it from the Modify page).
#include <windows.h>

#include "plugins/PIConst.h"

extern "C" {

PIBool PI_STDCALL Name(char* buffer, int32_t size) {
  lstrcpynA(buffer, "Upper-case caption", size);
  return 1;
}

PIBool PI_STDCALL Hint(char* buffer, int32_t size) {
  lstrcpynA(buffer, "Turns the target window's caption into capital letters", size);
  return 1;
}

PIBool PI_STDCALL Info(char* buffer, int32_t size) {
  lstrcpynA(buffer, "Caption example plug-in for Tarvisk", size);
  return 1;
}

// Wnd is the target; buffer holds the user's data text on entry and the
// result text on return.
PIBool PI_STDCALL Action(uint32_t wnd, char* buffer, int32_t size) {
  HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wnd));
  char caption[256] = {};
  DWORD_PTR copied = 0;
  if (!IsWindow(target) ||
      !SendMessageTimeoutA(target, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption),
                           SMTO_ABORTIFHUNG, 1000, &copied)) {
    lstrcpynA(buffer, "No window to change", size);
    return 1;
  }
  caption[sizeof caption - 1] = 0;
  CharUpperA(caption);
  SendMessageTimeoutA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption), SMTO_ABORTIFHUNG, 1000, &copied);
  lstrcpynA(buffer, caption, size);
  return 1;
}

}  // extern "C"
