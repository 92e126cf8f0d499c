#include "report/SystemSnapshot.h"

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

std::string AnsiToUtf8(const std::string& text) {
  if (text.empty()) return text;
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (wide <= 0) return std::string();
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, &w[0], wide);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, &out[0], bytes, nullptr, nullptr);
  return out;
}
