#pragma once
// The window-system seam over user32, and the one way this program asks a window
// for its text.
#include <windows.h>

#include <string>
#include <vector>

#include <cstdint>

#include "platform/WinConstants.h"
#include "platform/WindowSystem.h"

// Sends WM_GETTEXT with a time-out. The buffer is cleared first; a window that
// does not answer in time, or is gone, leaves it empty. The last byte is always
// zero, even when a window writes more than it was given.
// A window of another thread of this same process gets the buffer's address
// itself, and on Windows may still answer after the time-out: such a caller keeps
// the buffer alive until that thread has gone.
void GetTextWithTimeout(HWND window, char* buffer, UINT size);
// The same in UTF-16: `size` counts characters.
void GetTextWithTimeoutW(HWND window, wchar_t* buffer, UINT size);

// A window's text through WM_GETTEXT with the time-out, as UTF-8 and as it
// is, with no resource identifier rule: what the Modify page edits.
std::string WindowTextUtf8(HWND window);

// Handles are 32-bit values in both builds; a 64-bit program widens them with
// the sign, as the system does when it hands one over from a 32-bit process.
inline HWND ToHwnd(Hwnd h) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(h)));
}
inline Hwnd FromHwnd(HWND h) { return static_cast<Hwnd>(reinterpret_cast<uintptr_t>(h)); }

class Win32WindowSystem : public WindowSystem {
 public:
  std::vector<Hwnd> TopLevelWindows() const override;
  std::vector<Hwnd> ChildWindows(Hwnd parent) const override;

  bool IsWindow(Hwnd w) const override;
  Hwnd Desktop() const override;
  Hwnd Parent(Hwnd w) const override;
  uint32_t WindowLong(Hwnd w, int index) const override;
  uint32_t ClassLong(Hwnd w, int index) const override;
  uint64_t WindowLongPtr(Hwnd w, int index) const override;
  uint64_t ClassLongPtr(Hwnd w, int index) const override;
  int AddressBits() const override { return static_cast<int>(sizeof(void*) * 8); }
  uint32_t ProcessId(Hwnd w) const override;
  uint32_t ThreadId(Hwnd w) const override;
  Hwnd Menu(Hwnd w) const override;
  bool IsVisible(Hwnd w) const override;

  std::string ClassName(Hwnd w) const override;
  std::string WindowText(Hwnd w) const override;
  void SendGetText(Hwnd w, char* buffer, uint32_t size) const override;
  std::string BaseClassName(Hwnd w) const override;
  bool SendQuery(Hwnd w, uint32_t message, uint32_t* result) const override;

  WinRect WindowRect(Hwnd w) const override;
  WinRect ClientRect(Hwnd w) const override;
  WinRect ScreenToClientRect(Hwnd to, WinRect r) const override;
  WinPoint ScreenToClient(Hwnd w, WinPoint p) const override;

  Hwnd WindowFromPoint(WinPoint screen) const override;
  Hwnd ChildWindowFromPoint(Hwnd w, WinPoint client) const override;
 private:
  mutable std::vector<wchar_t> m_buffer;  // reused by the text reads
};
