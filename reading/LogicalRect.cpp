#include "reading/LogicalRect.h"

namespace {

bool PerMonitor(DpiAwareness a) { return a == DpiAwareness::PerMonitor || a == DpiAwareness::PerMonitorV2; }

}  // namespace

uint32_t DpiSeenBy(DpiAwareness awareness, uint32_t monitorDpi, uint32_t systemDpi) {
  switch (awareness) {
    case DpiAwareness::Unaware:
    case DpiAwareness::UnawareGdiScaled: return 96;
    case DpiAwareness::System: return systemDpi;
    case DpiAwareness::PerMonitor:
    case DpiAwareness::PerMonitorV2: return monitorDpi;
  }
  return monitorDpi;
}

Fact<WinRect> LogicalRectOf(DpiQueries& system, Hwnd window, const WinRect& physical, const DpiFacts& dpi) {
  const Fact<DpiAwareness> own = system.OwnAwareness();
  if (!own.Known() || !PerMonitor(own.value)) return Fact<WinRect>::Missing();
  if (!dpi.awareness.Known() || !dpi.monitor.Known() || !dpi.monitor.value.dpi.Known()) {
    return Fact<WinRect>::Missing();
  }
  const uint32_t monitorDpi = dpi.monitor.value.dpi.value;
  if (DpiSeenBy(dpi.awareness.value, monitorDpi, system.SystemDpi()) == monitorDpi) return Fact<WinRect>::None();
  // The far corner is converted as the last pixel inside the window: the
  // system converts only points of the window.
  WinRect r = {physical.left, physical.top, physical.right - 1, physical.bottom - 1};
  if (physical.right <= physical.left || physical.bottom <= physical.top ||
      !system.PhysicalToLogical(window, r.left, r.top) || !system.PhysicalToLogical(window, r.right, r.bottom)) {
    return Fact<WinRect>::Missing();
  }
  r.right += 1;
  r.bottom += 1;
  return Fact<WinRect>::Of(r);
}
