// What a window sees of itself beside its pixels: only a per-monitor aware
// reader can say, and only a window that counts in another density than its
// monitor's sees something else.
#include <gtest/gtest.h>

#include "reading/LogicalRect.h"

namespace {

// A system of one monitor whose density may differ from the system's; its
// conversion scales about the monitor's origin, as the system does for a
// window counting in `seen` dots per inch.
class FakeDpiSystem : public DpiQueries {
 public:
  Fact<DpiAwareness> own = Fact<DpiAwareness>::Of(DpiAwareness::PerMonitorV2);
  uint32_t systemDpi = 96, seen = 96, monitorDpi = 96;
  bool converts = true;
  int conversions = 0;

  Fact<DpiAwareness> OwnAwareness() override { return own; }
  uint32_t SystemDpi() override { return systemDpi; }
  bool PhysicalToLogical(Hwnd, int32_t& x, int32_t& y) override {
    ++conversions;
    if (!converts) return false;
    x = static_cast<int32_t>(x * static_cast<int64_t>(seen) / monitorDpi);
    y = static_cast<int32_t>(y * static_cast<int64_t>(seen) / monitorDpi);
    return true;
  }
};

DpiFacts Facts(DpiAwareness awareness, uint32_t monitorDpi) {
  DpiFacts d;
  d.awareness = Fact<DpiAwareness>::Of(awareness);
  MonitorFacts m;
  m.dpi = Fact<uint32_t>::Of(monitorDpi);
  d.monitor = Fact<MonitorFacts>::Of(m);
  return d;
}

const WinRect kPhysical = {300, 150, 900, 750};

TEST(LogicalRect, EachAwarenessCountsInItsOwnDensity) {
  EXPECT_EQ(DpiSeenBy(DpiAwareness::Unaware, 144, 120), 96u);
  EXPECT_EQ(DpiSeenBy(DpiAwareness::UnawareGdiScaled, 144, 120), 96u);
  EXPECT_EQ(DpiSeenBy(DpiAwareness::System, 144, 120), 120u);
  EXPECT_EQ(DpiSeenBy(DpiAwareness::PerMonitor, 144, 120), 144u);
  EXPECT_EQ(DpiSeenBy(DpiAwareness::PerMonitorV2, 144, 120), 144u);
}

// A laptop screen at 150% beside a 100% monitor, the system at 100%.
TEST(LogicalRect, AWindowCountingInAnotherDensitySeesItsRectangleScaled) {
  FakeDpiSystem system;
  system.monitorDpi = 144;
  system.seen = 96;
  const Fact<WinRect> unaware = LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::Unaware, 144));
  ASSERT_TRUE(unaware.Known());
  // The far corner is the last pixel inside, converted, plus one.
  EXPECT_EQ(unaware.value, (WinRect{200, 100, 600, 500}));

  const Fact<WinRect> systemAware = LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::System, 144));
  EXPECT_TRUE(systemAware.Known());
}

TEST(LogicalRect, AWindowThatCountsInItsPixelsSeesNoOtherRectangle) {
  FakeDpiSystem system;
  system.monitorDpi = 144;
  system.systemDpi = 144;
  // System aware on the system's own density, per-monitor anywhere.
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::System, 144)).state, FactState::Absent);
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::PerMonitor, 144)).state, FactState::Absent);
  // Unaware on a 96 dpi monitor of a 144 dpi system.
  system.monitorDpi = 96;
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::Unaware, 96)).state, FactState::Absent);
  EXPECT_EQ(system.conversions, 0);
}

TEST(LogicalRect, WhereTheSystemCannotSayTheRectangleIsNotAvailable) {
  FakeDpiSystem system;
  system.monitorDpi = 144;
  const DpiFacts unaware = Facts(DpiAwareness::Unaware, 144);
  // A reader that is not per-monitor aware reads scaled values itself (Wine,
  // systems before per-monitor awareness).
  for (const Fact<DpiAwareness>& own : {Fact<DpiAwareness>::Missing(), Fact<DpiAwareness>::Of(DpiAwareness::System),
                                        Fact<DpiAwareness>::Of(DpiAwareness::Unaware)}) {
    system.own = own;
    EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unaware).state, FactState::NotAvailable);
  }
  system.own = Fact<DpiAwareness>::Of(DpiAwareness::PerMonitor);
  DpiFacts unknown = unaware;
  unknown.awareness = Fact<DpiAwareness>::Missing();
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unknown).state, FactState::NotAvailable);
  unknown = unaware;
  unknown.monitor.value.dpi = Fact<uint32_t>::Missing();
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unknown).state, FactState::NotAvailable);
  // A window of no size has no pixel inside to convert; a refused conversion is no zero.
  EXPECT_EQ(LogicalRectOf(system, 0x10, {5, 5, 5, 9}, unaware).state, FactState::NotAvailable);
  system.converts = false;
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unaware).state, FactState::NotAvailable);
}

}  // namespace
