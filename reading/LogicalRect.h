#pragma once
// What a window less aware of densities than Tarvisk sees of itself. A
// per-monitor aware Tarvisk reads every window in the pixels it has; the
// system shows a window that counts in another density (96 for an unaware
// one, the system's for a system-aware one) scaled, and tells it scaled
// coordinates. The Details window and the JSON details show both.
#include <cstdint>

#include "reading/WindowDetails.h"

// What the conversion needs of the system: the Details reader answers from
// user32, the tests from a fake.
class DpiQueries {
 public:
  virtual ~DpiQueries() = default;
  // The awareness of Tarvisk's own thread; NotAvailable where the system has none.
  virtual Fact<DpiAwareness> OwnAwareness() = 0;
  virtual uint32_t SystemDpi() = 0;
  // A point of the window from physical coordinates to those the window is
  // told; false where the system cannot convert.
  virtual bool PhysicalToLogical(Hwnd window, int32_t& x, int32_t& y) = 0;
};

// The density the window's coordinates count in on a monitor of `monitorDpi`.
uint32_t DpiSeenBy(DpiAwareness awareness, uint32_t monitorDpi, uint32_t systemDpi);

// The window's rectangle as the window sees it, from its `physical` one and
// the DPI facts read of it. Absent where it sees its own pixels. NotAvailable
// where the system cannot say: Tarvisk itself not per-monitor aware (it then
// reads scaled values itself, and has no pixels to convert), the window's
// awareness or its monitor's density unknown, the conversion refused.
Fact<WinRect> LogicalRectOf(DpiQueries& system, Hwnd window, const WinRect& physical, const DpiFacts& dpi);
