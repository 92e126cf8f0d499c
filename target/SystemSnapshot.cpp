#include "target/SystemSnapshot.h"

#include <windows.h>

#include "exeinfo/ExeInfo.h"

namespace {

bool ScreenPixel(WinPoint screen, uint32_t& color) {
  HDC dc = GetDC(GetDesktopWindow());
  if (!dc) return false;
  const COLORREF c = GetPixel(dc, screen.x, screen.y);
  ReleaseDC(GetDesktopWindow(), dc);
  if (c == CLR_INVALID) return false;
  color = c;
  return true;
}

}  // namespace

SnapshotSources SystemSnapshotSources() {
  SnapshotSources sources;
  sources.process = [](uint32_t processId) { return LoadProcessInfoData(processId); };
  sources.pixel = ScreenPixel;
  return sources;
}

