// What a window sees of itself beside its pixels: only a per-monitor aware
// reader can say, and only a window counting in another density than its
// monitor's sees something else.
#include <gtest/gtest.h>

#include "reading/LogicalRect.h"

namespace {

// One monitor of `monitorDpi`; the conversion scales as the system does for a
// window that counts in `seen` dots per inch.
struct FakeDpiSystem : DpiQueries {
  Fact<DpiAwareness> own = Fact<DpiAwareness>::Of(DpiAwareness::PerMonitorV2);
  uint32_t systemDpi = 96, seen = 96, monitorDpi = 144;
  bool converts = true;
  Fact<DpiAwareness> OwnAwareness() override { return own; }
  uint32_t SystemDpi() override { return systemDpi; }
  bool PhysicalToLogical(Hwnd, int32_t& x, int32_t& y) override {
    x = static_cast<int32_t>(int64_t{x} * seen / monitorDpi);
    y = static_cast<int32_t>(int64_t{y} * seen / monitorDpi);
    return converts;
  }
};

DpiFacts Facts(DpiAwareness awareness, uint32_t monitorDpi) {
  DpiFacts d;
  d.awareness = Fact<DpiAwareness>::Of(awareness);
  d.monitor = Fact<MonitorFacts>::Of({});
  d.monitor.value.dpi = Fact<uint32_t>::Of(monitorDpi);
  return d;
}

const WinRect kPhysical = {300, 150, 900, 750};

// A laptop screen at 150% beside a monitor at 100%, the system at 100%.
TEST(LogicalRect, OnlyAWindowCountingInAnotherDensitySeesAnotherRectangle) {
  FakeDpiSystem system;
  const Fact<WinRect> unaware = LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::Unaware, 144));
  ASSERT_TRUE(unaware.Known());
  // The far corner is the last pixel inside, converted, plus one.
  EXPECT_EQ(unaware.value, (WinRect{200, 100, 600, 500}));
  EXPECT_TRUE(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::System, 144)).Known());
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::PerMonitor, 144)).state, FactState::Absent);
  // Unaware on the 100% monitor, system aware on a system at 150%.
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::Unaware, 96)).state, FactState::Absent);
  system.systemDpi = 144;
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, Facts(DpiAwareness::System, 144)).state, FactState::Absent);
}

TEST(LogicalRect, WhereTheSystemCannotSayTheRectangleIsNotAvailable) {
  FakeDpiSystem system;
  const DpiFacts unaware = Facts(DpiAwareness::Unaware, 144);
  // A reader not per-monitor aware reads scaled values itself (Wine, older
  // systems).
  for (const auto& own : {Fact<DpiAwareness>::Missing(), Fact<DpiAwareness>::Of(DpiAwareness::System)}) {
    system.own = own;
    EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unaware).state, FactState::NotAvailable);
  }
  system.own = Fact<DpiAwareness>::Of(DpiAwareness::PerMonitor);
  DpiFacts unknown = unaware;
  unknown.monitor.value.dpi = Fact<uint32_t>::Missing();
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unknown).state, FactState::NotAvailable);
  // No pixel inside to convert; a refused conversion is no zero.
  EXPECT_EQ(LogicalRectOf(system, 0x10, {5, 5, 5, 9}, unaware).state, FactState::NotAvailable);
  system.converts = false;
  EXPECT_EQ(LogicalRectOf(system, 0x10, kPhysical, unaware).state, FactState::NotAvailable);
}

}  // namespace
