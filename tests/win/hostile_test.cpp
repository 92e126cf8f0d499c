// Windows and settings that try to break Tarvisk: it shows what it can and
// keeps answering.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "inspect/InfoPages.h"
#include "platform/Win32WindowSystem.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

// Answers WM_GETTEXT by filling the whole buffer without a terminating zero
// and claiming more than it was given.
LRESULT CALLBACK LyingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETTEXT) {
    memset(reinterpret_cast<char*>(lParam), 'x', wParam);
    return static_cast<LRESULT>(wParam) * 4;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

class HostileTest : public MainWindowFixture {
 protected:
  void SetUp() override { StartMainWindow(true); }
  void TearDown() override {
    for (HWND h : made) DestroyWindow(h);
    MainWindowFixture::TearDown();
  }
  HWND Make(const char* cls, const char* text) {
    HWND h = CreateWindowExA(0, cls, text, WS_POPUP, 900, 100, 100, 50, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    made.push_back(h);
    return h;
  }
  std::string Text() { return WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_EDTTEXT)); }
  std::string Label() { return WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_LBLTEXT)); }
  bool Answers() {
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(frm->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r) != 0;
  }
  std::vector<HWND> made;
};

TEST_F(HostileTest, MegabyteTitleIsCutToTheTextBuffer) {
  std::string big(1 << 20, 'a');
  HWND w = Make("STATIC", "");
  SetWindowTextA(w, big.c_str());
  frm->InspectWindow(FromHwnd(w), true);
  EXPECT_EQ(Text().size(), 16384u);
  EXPECT_TRUE(Answers());
}

TEST_F(HostileTest, WindowThatClaimsMoreThanTheBufferHolds) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = LyingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarviskLiar";
  RegisterClassA(&wc);
  HWND w = Make("TarviskLiar", "");
  frm->InspectWindow(FromHwnd(w), true);
  EXPECT_EQ(Text(), std::string(16384, 'x'));
  EXPECT_TRUE(Answers());
  DestroyWindow(w);
  made.clear();
  UnregisterClassA("TarviskLiar", GetModuleHandleA(nullptr));
}

TEST_F(HostileTest, ShortResourceIdentifierTexts) {
  HWND one = Make("STATIC", "\xFF");
  frm->InspectWindow(FromHwnd(one), true);
  EXPECT_EQ(Label(), "Resource ID");
  EXPECT_EQ(Text(), "00000000");
  HWND two = Make("STATIC", "\xFF\x05");
  frm->InspectWindow(FromHwnd(two), true);
  EXPECT_EQ(Label(), "Resource ID");
  EXPECT_EQ(Text(), "00000005");
}

TEST_F(HostileTest, EveryPageSurvivesAWindowThatIsGone) {
  HWND w = Make("BUTTON", "gone");
  frm->InspectWindow(FromHwnd(w), true);
  DestroyWindow(w);
  made.clear();
  for (int page = 0; page < kPageCount; ++page) {
    frm->pgcMain.SetActiveIndex(page);
    frm->pgcMainChange();
    frm->RefreshInformation();
  }
  EXPECT_TRUE(Answers());
}

// Random bytes of random registry types in every value: the program starts with
// defaults where a value is unusable and writes sound values back.
TEST(HostileSettings, RandomValuesOfRandomTypes) {
  const char* names[] = {"HideNag",  "Left",       "Top",           "ShowSubchildren", "DigChildren",
                         "AutoStart", "FlashTarget", "AlwaysOnTop", "IntegerFormat",   "ConstsFormat",
                         "StartStopHotKey", "SortMode", "Inverted",  "Zoom",            "ShowReticle",
                         "Page",      "SelectedPlugin"};
  const DWORD types[] = {REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_NONE};
  srand(12345);
  for (int round = 0; round < 8; ++round) {
    ResetTarviskSettings();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const char* name : names) {
      BYTE bytes[64];
      DWORD size = rand() % sizeof bytes;
      for (DWORD i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>(rand());
      // Half the time a string type, so that parsing is reached too.
      DWORD type = rand() % 2 ? REG_SZ : types[rand() % 6];
      RegSetValueExA(key, name, 0, type, bytes, size);
    }
    HKEY columns;
    RegCreateKeyExA(key, "ParentsColumns", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &columns, nullptr);
    RegSetValueExA(columns, "0", 0, REG_SZ, reinterpret_cast<const BYTE*>("99999999999"), 12);
    RegCloseKey(columns);
    RegCloseKey(key);

    auto frm = std::make_unique<TfrmTarvisk>();
    ASSERT_TRUE(frm->Create()) << "round " << round;
    int page = frm->pgcMain.ActiveIndex();
    EXPECT_TRUE(page >= 0 && page < kPageCount);
    EXPECT_GE(frm->IntegerFormat(), -1);
    EXPECT_LE(frm->IntegerFormat(), 2);
    DestroyWindow(frm->Handle());
    frm.reset();
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  ResetTarviskSettings();
}

}  // namespace
