#include "inspect/WindowInfo.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "inspect/StyleTables.h"

namespace {

// Sizes of rectangles a window reports can be anything; the subtraction wraps
// as the 32-bit platform arithmetic does instead of overflowing.
int32_t Extent(int32_t low, int32_t high) {
  return static_cast<int32_t>(static_cast<uint32_t>(high) - static_cast<uint32_t>(low));
}

std::string RectSizeText(const WinRect& r) {
  return SizeText(Extent(r.left, r.right), Extent(r.top, r.bottom));
}

}  // namespace

std::string WindowTextOrResource(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts,
                                 bool* isResourceId) {
  std::vector<char> buffer(kTextBufferSize, 0);
  ws.SendGetText(handle, buffer.data(), kTextBufferSize);
  buffer[kTextBufferSize - 1] = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  bool resource = bytes[0] == 0xFF;
  if (isResourceId) *isResourceId = resource;
  if (resource) {
    // The identifier's bytes may be zero, so they are read from the raw buffer;
    // the buffer was cleared, so a short text gives zeros there.
    return StockIconName(bytes[1] + 256u * bytes[2], opts);
  }
  return std::string(buffer.data(), std::strlen(buffer.data()));
}

WindowInfo GatherWindowInfo(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts) {
  WindowInfo info;
  info.text = WindowTextOrResource(ws, handle, opts, &info.isResourceId);
  info.textCaption = info.isResourceId ? kCaptionResourceId : kCaptionText;

  info.processId = ws.ProcessId(handle);
  info.parentWindow = ws.Parent(handle);
  info.process = FormatInteger(info.processId, opts);
  const int bits = ws.AddressBits();
  info.instance = FormatAddress(ws.WindowLongPtr(handle, WinLong::HInstance), bits, opts);
  info.handle = FormatInteger(handle, opts);
  info.parent = FormatInteger(info.parentWindow, opts);
  info.controlId = FormatInteger(ws.WindowLong(handle, WinLong::Id), opts);
  info.function = FormatAddress(ws.WindowLongPtr(handle, WinLong::WndProc), bits, opts);
  // A child's menu slot holds its control identifier; GetParent also gives the
  // owner of a pop-up, and such windows show no menu either.
  info.menu = FormatInteger(info.parentWindow != 0 ? 0 : ws.Menu(handle), opts);

  WinRect screen = ws.WindowRect(handle);
  WinRect inParent = ws.ScreenToClientRect(info.parentWindow, screen);
  info.screenCoords = RectText(screen);
  info.parentCoords = RectText(inParent);
  info.windowSize = RectSizeText(inParent);
  info.clientSize = RectSizeText(ws.ClientRect(handle));

  info.styleBits = ws.WindowLong(handle, WinLong::Style);
  info.exStyleBits = ws.WindowLong(handle, WinLong::ExStyle);
  info.style = FormatInteger(info.styleBits, opts);
  info.exStyle = FormatInteger(info.exStyleBits, opts);
  info.styleMemo = StyleMemoText(info.styleBits, info.exStyleBits, opts);

  info.className = ws.ClassName(handle);
  info.className.resize(std::min<size_t>(std::strlen(info.className.c_str()), kTextBufferSize - 1));
  info.classFunction = FormatAddress(ws.ClassLongPtr(handle, ClassLong::WndProc), bits, opts);
  info.iconHandle = ws.ClassLong(handle, ClassLong::HIcon);
  info.smallIconHandle = ws.ClassLong(handle, ClassLong::HIconSm);
  info.cursorHandle = ws.ClassLong(handle, ClassLong::HCursor);
  info.icon = FormatInteger(info.iconHandle, opts);
  info.smallIcon = FormatInteger(info.smallIconHandle, opts);
  info.cursor = FormatInteger(info.cursorHandle, opts);
  info.brush = FormatInteger(ws.ClassLong(handle, ClassLong::HBrBackground), opts);
  info.moduleHandle = FormatAddress(ws.ClassLongPtr(handle, ClassLong::HModule), bits, opts);
  info.classStyleBits = ws.ClassLong(handle, ClassLong::Style);
  info.classStyle = FormatInteger(info.classStyleBits, opts);
  info.classStyleMemo = DecodeClassStyle(info.classStyleBits, opts);
  return info;
}
