// Tarvisk.exe runs once per desktop: a second start ends at once, silently.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/Settings.h"
#include "support/Wait.h"

TEST(SingleInstance, SecondCopyExitsWithZeroAndNoWindow) {
  ResetTarviskSettings();  // so that the reminder shows
  ChildProcess first;
  ASSERT_TRUE(first.Start("\"" + BuildPath("Tarvisk.exe") + "\""));
  HWND nag = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (nag = FindProcessWindow(first.Id(), nullptr, "Donate to Tarvisk!")); },
                        15000));

  ChildProcess second;
  ASSERT_TRUE(second.Start("\"" + BuildPath("Tarvisk.exe") + "\""));
  DWORD code = 1;
  ASSERT_TRUE(second.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindProcessWindow(second.Id(), nullptr, nullptr), nullptr);
  EXPECT_TRUE(IsWindow(nag)) << "the first copy is left undisturbed";

  // The first copy ends normally: reminder closed, then the main window.
  PostMessageA(nag, WM_COMMAND, IDCANCEL, 0);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindProcessWindow(first.Id(), "TfrmTarvisk", "Tarvisk")) &&
                                     IsWindowVisible(main); }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.WaitExit(10000, &code));
  EXPECT_EQ(code, 0u);
}
