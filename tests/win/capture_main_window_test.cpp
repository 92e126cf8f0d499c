// The Graphics page over the real main window's state, through its host adapter.
#include "capture_fixture_test.h"

#include <memory>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "inspect/InfoPages.h"
#include "support/Settings.h"

using namespace capture_test;

TEST(CaptureMainWindow, PageReadsAndWritesTheMainWindowsState) {
  ResetTarviskSettings();
  auto frm = std::make_unique<TfrmTarvisk>();
  ASSERT_TRUE(frm->Create());
  frm->HideNag = true;
  PumpMessages();  // makes the pages, the Graphics page's capture surface among them
  if (frm->Probing()) frm->btnStartClick();  // probing starts at launch by default
  ASSERT_FALSE(frm->Probing());

  PatternWindow pattern;
  ASSERT_TRUE(pattern.Create());
  ASSERT_TRUE(WaitUntil([&] { return GetPixel(frm->Graphics.DesktopCanvas(), kMarkX, kMarkY) == kMarkColor; }));

  {
    GraphicsPage& page = frm->Graphics;
    frm->pgcMain.SetActiveIndex(kPageGraphics);
    frm->BuildPage(kPageGraphics);
    EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 120);
    page.SetZoomIndex(1);
    EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 60);

    frm->Inspected.Reading().SetPoint({kMarkX, kMarkY});
    FakeClock quiet;
    page.SetInputClock(&quiet);
    frm->CaptureScreen(pattern.Value());
    EXPECT_EQ(frm->CurrentTarget(), pattern.Value());
    EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageGraphics), IDC_EDTRGB)), "R: 00  G: 80  B: FF");
    // The page hands back the colour it captured; the main window keeps it in the reading.
    EXPECT_EQ(frm->Inspected.Reading().Last().graphic.color, kMarkColor);

    // A click moves the main window's probe point and inspects the window there.
    frm->Inspected.Reading().SetTarget(0);
    SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(70, 50));  // x2: +5, -5
    EXPECT_EQ(frm->ProbePoint(), (WinPoint{kMarkX + 5, kMarkY - 5}));
    EXPECT_EQ(frm->CurrentTarget(), pattern.Value());
    EXPECT_EQ(frm->Inspected.Reading().Last().graphic.screen, (WinPoint{kMarkX + 5, kMarkY - 5}));
    EXPECT_EQ(WindowTextOf(GetDlgItem(frm->Sheet(kPageWindow), IDC_EDTHANDLE)),
              FormatInteger(pattern.Value(), frm->CurrentDisplayOptions()));

    // While the main window probes, the click does nothing.
    frm->btnStartClick();
    ASSERT_TRUE(frm->Probing());
    SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(frm->ProbePoint(), (WinPoint{kMarkX + 5, kMarkY - 5}));
    frm->btnStartClick();
    page.SetInputClock(nullptr);
  }
  frm.reset();
  PumpMessages();
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ResetTarviskSettings();
}
