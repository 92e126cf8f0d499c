#include "capture/CaptureMath.h"

#include <algorithm>

namespace {

int32_t Clamp(int64_t value, int32_t high) {
  if (value < 0) return 0;
  return value > high ? high : static_cast<int32_t>(value);
}

}  // namespace

int ZoomFactorForIndex(int itemIndex) {
  if (itemIndex < 0) return 1;
  return std::min(itemIndex, kZoomItemCount - 1) + 1;
}

int CaptureSide(int zoom) { return kImageSide / std::max(1, zoom); }

int ReticleOffset(int zoom) { return std::max(1, zoom) / 2; }

WinRect CaptureSource(WinPoint point, int side) {
  int half = side / 2;
  return {point.x - half, point.y - half, point.x + half, point.y + half};
}

std::array<ReticleLine, 2> ReticleLines(int zoom) {
  const int m = kImageSide / 2 + ReticleOffset(zoom);
  return {{
      {{m, m - kReticleReach}, {m, m + kReticleReach}},
      {{m - kReticleReach, m}, {m + kReticleReach, m}},
  }};
}

bool InputIsQuiet(uint32_t lastInputTick, uint32_t now) {
  return static_cast<uint32_t>(now - lastInputTick) > kInputQuietTime;
}

WinPoint ClickedCapturePoint(WinPoint point, int x, int y, int zoom, int imageWidth, int imageHeight,
                             int screenWidth, int screenHeight) {
  zoom = std::max(1, zoom);
  int64_t nx = static_cast<int64_t>(point.x) + x / zoom - (imageWidth / 2) / zoom;
  int64_t ny = static_cast<int64_t>(point.y) + y / zoom - (imageHeight / 2) / zoom;
  return {Clamp(nx, screenWidth), Clamp(ny, screenHeight)};
}
