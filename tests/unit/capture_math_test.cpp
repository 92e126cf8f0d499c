#include <gtest/gtest.h>

#include "capture/CaptureMath.h"

TEST(CaptureMath, ZoomTable) {
  const int sides[] = {120, 60, 40, 30, 24, 20};
  const int offsets[] = {0, 1, 1, 2, 2, 3};
  for (int index = 0; index < 6; ++index) {
    int zoom = ZoomFactorForIndex(index);
    EXPECT_EQ(zoom, index + 1);
    EXPECT_EQ(CaptureSide(zoom), sides[index]);
    EXPECT_EQ(CaptureSide(zoom) % 2, 0) << "the copy must be one to one";
    EXPECT_EQ(ReticleOffset(zoom), offsets[index]);
  }
  // No item selected: x1 rather than a division by zero; beyond the last: x6.
  EXPECT_EQ(ZoomFactorForIndex(-1), 1);
  EXPECT_EQ(ZoomFactorForIndex(-100), 1);
  EXPECT_EQ(ZoomFactorForIndex(6), 6);
  EXPECT_EQ(CaptureSide(0), 120);
}

TEST(CaptureMath, SourceSquareIsCentredOnThePoint) {
  EXPECT_EQ(CaptureSource({100, 200}, 120), (WinRect{40, 140, 160, 260}));
  EXPECT_EQ(CaptureSource({100, 200}, 24), (WinRect{88, 188, 112, 212}));
  // Near the screen's corner the square reaches outside it.
  EXPECT_EQ(CaptureSource({3, -5}, 20), (WinRect{-7, -15, 13, 5}));
  // The point is the pixel at (side / 2, side / 2) of the copy.
  WinRect r = CaptureSource({500, 400}, 40);
  EXPECT_EQ(r.left + 40 / 2, 500);
  EXPECT_EQ(r.top + 40 / 2, 400);
}

TEST(CaptureMath, ReticleArmsCrossOnTheMiddleOfTheBlock) {
  auto x1 = ReticleLines(1);
  EXPECT_EQ(x1[0].from, (WinPoint{60, 52}));
  EXPECT_EQ(x1[0].to, (WinPoint{60, 68}));
  EXPECT_EQ(x1[1].from, (WinPoint{52, 60}));
  EXPECT_EQ(x1[1].to, (WinPoint{68, 60}));
  for (int zoom = 1; zoom <= 6; ++zoom) {
    auto lines = ReticleLines(zoom);
    int m = lines[0].from.x;
    // The centre lies in the block of the centre screen pixel, in its middle.
    int blockFirst = (kImageSide / 2 / zoom) * zoom;
    EXPECT_GE(m, blockFirst);
    EXPECT_LT(m, blockFirst + zoom);
    EXPECT_EQ(m, 60 + zoom / 2);
    EXPECT_EQ(lines[0].to.y - lines[0].from.y, 16);
    EXPECT_EQ(lines[1].to.x - lines[1].from.x, 16);
  }
}

TEST(CaptureMath, InputQuietAfterMoreThan25Milliseconds) {
  EXPECT_FALSE(InputIsQuiet(1000, 1000));
  EXPECT_FALSE(InputIsQuiet(1000, 1025));
  EXPECT_TRUE(InputIsQuiet(1000, 1026));
  // Across the tick count's wrap.
  EXPECT_FALSE(InputIsQuiet(0xFFFFFFF0u, 0x00000005u));
  EXPECT_TRUE(InputIsQuiet(0xFFFFFFF0u, 0x00000010u));
}

TEST(CaptureMath, ClickOnTheCentreBlockKeepsThePoint) {
  const WinPoint p = {640, 500};
  for (int zoom = 1; zoom <= 6; ++zoom) {
    int first = (60 / zoom) * zoom;
    for (int x = first; x < first + zoom; ++x) {
      for (int y = first; y < first + zoom; ++y) {
        EXPECT_EQ(ClickedCapturePoint(p, x, y, zoom, 120, 120, 1280, 1024), p)
            << "zoom " << zoom << " at " << x << "," << y;
      }
    }
    // The blocks beside the centre move by one screen pixel.
    EXPECT_EQ(ClickedCapturePoint(p, first + zoom, first - 1, zoom, 120, 120, 1280, 1024),
              (WinPoint{641, 499}))
        << zoom;
  }
}

TEST(CaptureMath, ClickMovesByTheClickedPixelsOffset) {
  const WinPoint p = {640, 500};
  EXPECT_EQ(ClickedCapturePoint(p, 0, 0, 1, 120, 120, 1280, 1024), (WinPoint{580, 440}));
  EXPECT_EQ(ClickedCapturePoint(p, 119, 119, 1, 120, 120, 1280, 1024), (WinPoint{699, 559}));
  EXPECT_EQ(ClickedCapturePoint(p, 0, 119, 6, 120, 120, 1280, 1024), (WinPoint{630, 509}));
  EXPECT_EQ(ClickedCapturePoint(p, 119, 0, 4, 120, 120, 1280, 1024), (WinPoint{654, 485}));
  // Each division rounds toward zero on its own: 7/5 - 60/5 = 1 - 12.
  EXPECT_EQ(ClickedCapturePoint(p, 7, 7, 5, 120, 120, 1280, 1024), (WinPoint{629, 489}));
  // An image of another size: its own half is the centre.
  EXPECT_EQ(ClickedCapturePoint(p, 50, 50, 1, 100, 100, 1280, 1024), p);
  // A zoom of 0 is taken as x1 rather than divided by.
  EXPECT_EQ(ClickedCapturePoint(p, 61, 60, 0, 120, 120, 1280, 1024), (WinPoint{641, 500}));
}

TEST(CaptureMath, ClickIsHeldInsideTheScreen) {
  // Below zero at the top-left corner.
  EXPECT_EQ(ClickedCapturePoint({5, 10}, 0, 0, 1, 120, 120, 1280, 1024), (WinPoint{0, 0}));
  EXPECT_EQ(ClickedCapturePoint({5, 10}, 119, 0, 1, 120, 120, 1280, 1024), (WinPoint{64, 0}));
  // Beyond the bottom-right corner: the screen's width and height themselves.
  EXPECT_EQ(ClickedCapturePoint({1275, 1020}, 119, 119, 1, 120, 120, 1280, 1024), (WinPoint{1280, 1024}));
  EXPECT_EQ(ClickedCapturePoint({1275, 1020}, 60, 119, 1, 120, 120, 1280, 1024), (WinPoint{1275, 1024}));
  // A point left of the primary screen ends at 0 even for a centre click.
  EXPECT_EQ(ClickedCapturePoint({-300, 200}, 60, 60, 1, 120, 120, 1280, 1024), (WinPoint{0, 200}));
  // Extremes do not overflow.
  EXPECT_EQ(ClickedCapturePoint({INT32_MAX, INT32_MIN}, 119, 0, 1, 120, 120, 1280, 1024),
            (WinPoint{1280, 0}));
}
