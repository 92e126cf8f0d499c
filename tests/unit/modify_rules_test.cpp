#include <gtest/gtest.h>

#include "modify/ModifyRules.h"

TEST(ModifyRules, StateItemAndShowCommands) {
  EXPECT_EQ(StateItemFor(false, false), kStateNormal);
  EXPECT_EQ(StateItemFor(false, true), kStateMinimized);
  // A window can report both while it is minimised from maximised; the page shows Maximized.
  EXPECT_EQ(StateItemFor(true, true), kStateMaximized);

  EXPECT_EQ(ShowCommandForState(kStateNormal, true), 1);   // SW_SHOWNORMAL restores and activates
  EXPECT_EQ(ShowCommandForState(kStateNormal, false), 9);  // SW_RESTORE
  EXPECT_EQ(ShowCommandForState(kStateMinimized, false), 7);
  EXPECT_EQ(ShowCommandForState(kStateMaximized, true), 3);
  EXPECT_EQ(ShowCommandForState(-1, false), -1);
  EXPECT_EQ(ShowCommandForState(3, false), -1);
  EXPECT_EQ(ShowCommandForVisible(true), 8);
  EXPECT_EQ(ShowCommandForVisible(false), 0);
}

TEST(ModifyRules, StateGroupAndCoordinateFrame) {
  EXPECT_TRUE(StateGroupEnabled(true, 0x10CF0000));   // overlapped window
  EXPECT_TRUE(StateGroupEnabled(true, 0x80000000));   // pop-up, owned or not
  EXPECT_FALSE(StateGroupEnabled(true, 0x50000000));  // child
  EXPECT_FALSE(StateGroupEnabled(false, 0));
  EXPECT_TRUE(PlacedInParent(0x50000000));
  EXPECT_FALSE(PlacedInParent(0x80000000));
}

TEST(ModifyRules, PositionKeysAndUpDownValues) {
  for (char c = '0'; c <= '9'; ++c) EXPECT_TRUE(AcceptPositionKey(c)) << c;
  EXPECT_TRUE(AcceptPositionKey(8));
  // Ctrl+V arrives as 0x16; 0xB2 is a superscript two in the ANSI code page.
  for (int c : {int('-'), int('+'), int('a'), int(' '), int('\r'), int('\t'), 0x16, 0xB2})
    EXPECT_FALSE(AcceptPositionKey(static_cast<unsigned char>(c))) << c;

  EXPECT_EQ(UpDownValue(300), 300);
  EXPECT_EQ(UpDownValue(-32768), -32768);
  EXPECT_EQ(UpDownValue(32768), -32768);
  EXPECT_EQ(UpDownValue(70000), 4464);
  EXPECT_EQ(UpDownValue(-40000), 25536);
}

TEST(ModifyRules, FileFailureTexts) {
  EXPECT_EQ(PluginCopyFailedText("D:\\a.dll", "C:\\P\\a.dll", "Access denied.\r\n"),
            "Plugin file \"D:\\a.dll\" could not be copied to \"C:\\P\\a.dll\": Access denied.");
  EXPECT_EQ(PluginDeleteFailedText("C:\\P\\a.dll", ""), "Plugin file \"C:\\P\\a.dll\" could not be deleted");
  EXPECT_TRUE(SamePluginPath("C:\\Prog\\Plugins\\Boxes.DLL", "c:/prog/plugins/boxes.dll"));
  EXPECT_FALSE(SamePluginPath("C:\\Prog\\Plugins\\Boxes.dll", "C:\\Prog\\Plugins\\Boxes2.dll"));
}
