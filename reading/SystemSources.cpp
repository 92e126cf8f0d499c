#include "reading/SystemSources.h"

#include <windows.h>

#include "exeinfo/ExeInfo.h"
#include "platform/ProcessList.h"
#include "platform/Win32WindowSystem.h"
#include "reading/DetailsReader.h"

namespace {

bool ScreenPixel(WinPoint screen, uint32_t& color) {
  HDC dc = GetDC(GetDesktopWindow());
  if (!dc) return false;
  const bool read = ReadPixel(dc, screen, color);
  ReleaseDC(GetDesktopWindow(), dc);
  return read;
}

}  // namespace

bool ReadPixel(HDC dc, WinPoint at, uint32_t& color) {
  const COLORREF c = GetPixel(dc, at.x, at.y);
  if (c == CLR_INVALID) return false;
  color = c;
  return true;
}

ReadingSources SystemReadingSources() {
  ReadingSources sources;
  sources.process = [](uint32_t processId) { return LoadProcessInfoData(processId); };
  sources.executableName = SystemExecutableNames();
  sources.pixel = ScreenPixel;
  sources.details = [](const WindowFacts& window) { return ReadWindowDetails(window); };
  return sources;
}

