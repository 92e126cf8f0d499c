#pragma once
// The window queries that the portable logic needs, as a seam: user32 behind it
// in the program (Win32WindowSystem), an in-memory desktop in native tests.
// Values are the 32-bit quantities the platform returns, so the logic formats
// and compares them exactly as the program shows them.
#include <cstdint>
#include <string>
#include <vector>

using Hwnd = uint32_t;  // a window handle as a 32-bit value; 0 means none

struct WinRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const WinRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct WinPoint {
  int32_t x = 0, y = 0;
  bool operator==(const WinPoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const WinPoint& o) const { return !(*this == o); }
};

// Indices of GetWindowLongA and GetClassLongA, as the platform numbers them.
namespace WinLong {
constexpr int WndProc = -4, HInstance = -6, HwndParent = -8, Id = -12, Style = -16, ExStyle = -20;
}
namespace ClassLong {
constexpr int Menu = -8, HBrBackground = -10, HCursor = -12, HIcon = -14, HModule = -16,
              WndProc = -24, Style = -26, HIconSm = -34;
}

// Size of the buffer for window texts and class names: 16384 characters and the zero.
constexpr uint32_t kTextBufferSize = 16385;
// Bytes those 16384 UTF-16 units can take in UTF-8, and the zero: a unit takes
// at most three bytes, a surrogate pair four for two units.
constexpr uint32_t kUtf8TextBufferSize = 3 * (kTextBufferSize - 1) + 1;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // EnumWindows: top-level windows, top of the z-order first.
  virtual std::vector<Hwnd> TopLevelWindows() const = 0;
  // EnumChildWindows: every descendant, depth first, each child before its own children.
  virtual std::vector<Hwnd> ChildWindows(Hwnd parent) const = 0;

  virtual bool IsWindow(Hwnd w) const = 0;
  virtual Hwnd Desktop() const = 0;
  virtual Hwnd Parent(Hwnd w) const = 0;  // GetParent: the parent, or the owner of a pop-up
  virtual uint32_t WindowLong(Hwnd w, int index) const = 0;
  virtual uint32_t ClassLong(Hwnd w, int index) const = 0;
  // The pointer-sized slots (instance, procedures, module) in full: in a 64-bit
  // program they are 64-bit values, which WindowLong and ClassLong would cut.
  virtual uint64_t WindowLongPtr(Hwnd w, int index) const { return WindowLong(w, index); }
  virtual uint64_t ClassLongPtr(Hwnd w, int index) const { return ClassLong(w, index); }
  // Width of an address in the inspecting program, 32 or 64: pointer-sized
  // values are shown in that width, window handles always in 32 bits.
  virtual int AddressBits() const { return 32; }
  virtual uint32_t ProcessId(Hwnd w) const = 0;
  // GetWindowThreadProcessId's thread; 0 for no window.
  virtual uint32_t ThreadId(Hwnd /*w*/) const { return 0; }
  virtual Hwnd Menu(Hwnd w) const = 0;
  virtual bool IsVisible(Hwnd w) const = 0;

  // Texts come as UTF-8, read through the W entry points.
  // GetClassNameW, cut at kTextBufferSize - 1 characters.
  virtual std::string ClassName(Hwnd w) const = 0;
  // GetWindowTextW: does not ask other processes' or other threads' windows
  // for their text.
  virtual std::string WindowText(Hwnd w) const = 0;
  // WM_GETTEXT into `buffer` of `size` bytes (kUtf8TextBufferSize holds any
  // answer), which the caller has cleared. A window that does not answer in
  // time, or no longer exists, leaves it empty. The text of a resource
  // identifier comes as the ANSI answer gives it: 0xFF, low byte, high byte
  // (no UTF-8 text begins with 0xFF).
  virtual void SendGetText(Hwnd w, char* buffer, uint32_t size) const = 0;
  // RealGetWindowClassW: the system class a superclass was made from ("Button"
  // for a program's own button class); the class name when the system knows none.
  virtual std::string BaseClassName(Hwnd w) const { return ClassName(w); }
  // A message with both parameters 0 that only reads (LVM_GETEXTENDEDLISTVIEWSTYLE),
  // sent with the time-out of SendGetText; false when the window did not answer.
  virtual bool SendQuery(Hwnd /*w*/, uint32_t /*message*/, uint32_t* /*result*/) const { return false; }

  virtual WinRect WindowRect(Hwnd w) const = 0;  // GetWindowRect, zeros on failure
  virtual WinRect ClientRect(Hwnd w) const = 0;  // GetClientRect, zeros on failure
  // MapWindowPoints of two points from screen coordinates into `to`'s client area
  // (to = 0: unchanged).
  virtual WinRect ScreenToClientRect(Hwnd to, WinRect r) const = 0;
  virtual WinPoint ScreenToClient(Hwnd w, WinPoint p) const = 0;

  virtual Hwnd WindowFromPoint(WinPoint screen) const = 0;
  // ChildWindowFromPoint: the child containing the client point, w itself when no
  // child does, 0 when the point is outside w. Hidden and disabled children count.
  virtual Hwnd ChildWindowFromPoint(Hwnd w, WinPoint client) const = 0;
};
