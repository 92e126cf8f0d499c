#include <gtest/gtest.h>

#include "app/HotKeyValue.h"
#include "ui/Scaling.h"

TEST(HotKeyValue, SplitsKeyAndMapsModifiers) {
  HotKeyRegistration plain = HotKeyToRegistration(kDefaultHotKey);
  EXPECT_EQ(plain.key, 145u);
  EXPECT_EQ(plain.modifiers, 0u);

  HotKeyRegistration ctrlAlt = HotKeyToRegistration(0x91 | kHotKeyCtrl | kHotKeyAlt);
  EXPECT_EQ(ctrlAlt.key, 0x91u);
  EXPECT_EQ(ctrlAlt.modifiers, kModAlt | kModControl);

  HotKeyRegistration shift = HotKeyToRegistration(0x41 | kHotKeyShift);
  EXPECT_EQ(shift.modifiers, kModShift);
  EXPECT_EQ(shift.key, 0x41u);
}

TEST(HotKeyValue, ConvertsToAndFromTheControl) {
  // Ctrl+Alt+Scroll Lock as the hot-key control reports it.
  EXPECT_EQ(HotKeyFromControl(0x0691), 0x91 | kHotKeyCtrl | kHotKeyAlt);
  // The extended-key flag is not part of the stored value.
  EXPECT_EQ(HotKeyFromControl(0x0991), 0x91 | kHotKeyShift);
  EXPECT_EQ(HotKeyToControl(0x91 | kHotKeyCtrl | kHotKeyAlt), 0x0691u);
  EXPECT_EQ(HotKeyToControl(kDefaultHotKey), 145u);
}

TEST(Scaling, RoundsToNearest) {
  EXPECT_EQ(ScaleValue(436, 11, 11), 436);
  EXPECT_EQ(ScaleValue(436, 13, 11), 515);   // 515.27
  EXPECT_EQ(ScaleValue(93, 13, 11), 110);    // 109.9
  EXPECT_EQ(ScaleValue(25, 15, 10), 38);     // 37.5 rounds up
  EXPECT_EQ(ScaleValue(-25, 15, 10), -38);   // and away from zero when negative
  EXPECT_EQ(ScaleValue(553, 120, 96), 691);  // 691.25
  EXPECT_EQ(ScaleValue(17, 9, 11), 14);      // 13.9
  EXPECT_EQ(ScaleValue(7, 1, 0), 7);
}
