#pragma once
// The arithmetic of the magnifier: zoom factors, the square copied from the
// screen, the reticle, the click on the image and the input-quiet rule.
#include <array>
#include <cstdint>

#include "platform/WindowSystem.h"

// The magnified image is always 120 x 120 pixels.
constexpr int kImageSide = 120;
constexpr int kZoomItemCount = 6;  // "x1" .. "x6"
// Milliseconds without user input before the image is redrawn.
constexpr uint32_t kInputQuietTime = 25;
// Half the length of a reticle arm.
constexpr int kReticleReach = 8;

// Zoom factor for a zoom item index: index + 1. With no item selected (index
// below 0, as a stored setting can leave it) the image is magnified x1, which
// is what the bitmap and rulers then show; above the last item, x6.
int ZoomFactorForIndex(int itemIndex);
// Side of the unmagnified screen square: 120 / zoom (120, 60, 40, 30, 24, 20).
int CaptureSide(int zoom);
// Moves the reticle's centre onto the middle of the pixel's enlarged block.
int ReticleOffset(int zoom);

// The screen square of `side` pixels centred on the capture point: left/top
// inclusive, right/bottom exclusive, halves rounded toward zero.
WinRect CaptureSource(WinPoint point, int side);

// The two reticle arms on the magnified image, each from `from` to `to`
// without its end point (16 pixels), crossing at (m, m) with m = 60 + offset.
struct ReticleLine {
  WinPoint from, to;
};
std::array<ReticleLine, 2> ReticleLines(int zoom);

// Whether user input is old enough for the image to be redrawn: the time since
// the last input, as unsigned 32-bit milliseconds (so it survives the tick
// count's wrap), is greater than kInputQuietTime.
bool InputIsQuiet(uint32_t lastInputTick, uint32_t now);

// The capture point after a click at (x, y) on the image: moved by the offset
// of the clicked screen pixel from the centre pixel (integer divisions rounded
// toward zero), then held inside 0..screen width and 0..screen height.
WinPoint ClickedCapturePoint(WinPoint point, int x, int y, int zoom, int imageWidth, int imageHeight,
                             int screenWidth, int screenHeight);
