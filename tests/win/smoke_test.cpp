#include <gtest/gtest.h>
#include <windows.h>

// The harness itself: a window can be made and queried under Wine.
TEST(Harness, CreatesAWindow) {
  HWND w = CreateWindowExA(0, "STATIC", "harness", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(w, nullptr);
  char text[32] = {};
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "harness");
  DestroyWindow(w);
}
