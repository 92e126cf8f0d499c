#include "inspect/WindowInfo.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "inspect/ControlStyles.h"
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

namespace {

// WM_GETTEXT into a fresh buffer: the text, or the identifier of a resource.
std::string RawWindowText(const WindowSystem& ws, Hwnd handle, bool* isResourceId,
                          uint32_t* resourceId) {
  std::vector<char> buffer(kUtf8TextBufferSize, 0);
  ws.SendGetText(handle, buffer.data(), kUtf8TextBufferSize);
  buffer[kUtf8TextBufferSize - 1] = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  *isResourceId = bytes[0] == 0xFF;
  // The identifier's bytes may be zero, so they are read from the raw buffer;
  // the buffer was cleared, so a short text gives zeros there.
  *resourceId = *isResourceId ? bytes[1] + 256u * bytes[2] : 0;
  if (*isResourceId) return std::string();
  return std::string(buffer.data(), std::strlen(buffer.data()));
}

}  // namespace

std::string WindowTextOrResource(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts,
                                 bool* isResourceId) {
  bool resource = false;
  uint32_t id = 0;
  std::string text = RawWindowText(ws, handle, &resource, &id);
  if (isResourceId) *isResourceId = resource;
  return resource ? StockIconName(id, opts) : text;
}

WindowFacts GatherWindowFacts(const WindowSystem& ws, Hwnd handle) {
  WindowFacts f;
  f.handle = handle;
  f.text = RawWindowText(ws, handle, &f.isResourceId, &f.resourceId);
  f.processId = ws.ProcessId(handle);
  f.parent = ws.Parent(handle);
  f.addressBits = ws.AddressBits();
  f.instance = ws.WindowLongPtr(handle, WinLong::HInstance);
  f.controlId = ws.WindowLong(handle, WinLong::Id);
  f.function = ws.WindowLongPtr(handle, WinLong::WndProc);
  // A child's menu slot holds its control identifier; GetParent also gives the
  // owner of a pop-up, and such windows show no menu either.
  f.menu = f.parent != 0 ? 0 : ws.Menu(handle);
  f.screenCoords = ws.WindowRect(handle);
  f.parentCoords = ws.ScreenToClientRect(f.parent, f.screenCoords);
  f.clientRect = ws.ClientRect(handle);
  f.style = ws.WindowLong(handle, WinLong::Style);
  f.exStyle = ws.WindowLong(handle, WinLong::ExStyle);
  f.className = ws.ClassName(handle);
  f.className.resize(std::min<size_t>(std::strlen(f.className.c_str()), kTextBufferSize - 1));
  f.classFunction = ws.ClassLongPtr(handle, ClassLong::WndProc);
  f.icon = ws.ClassLong(handle, ClassLong::HIcon);
  f.smallIcon = ws.ClassLong(handle, ClassLong::HIconSm);
  f.cursor = ws.ClassLong(handle, ClassLong::HCursor);
  f.brush = ws.ClassLong(handle, ClassLong::HBrBackground);
  f.moduleHandle = ws.ClassLongPtr(handle, ClassLong::HModule);
  f.classStyle = ws.ClassLong(handle, ClassLong::Style);
  ReadControlStyleFacts(ws, f);
  return f;
}

WindowInfo DescribeWindow(const WindowFacts& f, const DisplayOptions& opts) {
  WindowInfo info;
  info.isResourceId = f.isResourceId;
  info.text = f.isResourceId ? StockIconName(f.resourceId, opts) : f.text;
  info.textCaption = info.isResourceId ? kCaptionResourceId : kCaptionText;

  info.processId = f.processId;
  info.parentWindow = f.parent;
  info.process = FormatInteger(f.processId, opts);
  info.instance = FormatAddress(f.instance, f.addressBits, opts);
  info.handle = FormatInteger(f.handle, opts);
  info.parent = FormatInteger(f.parent, opts);
  info.controlId = FormatInteger(f.controlId, opts);
  info.function = FormatAddress(f.function, f.addressBits, opts);
  info.menu = FormatInteger(f.menu, opts);

  info.screenCoords = RectText(f.screenCoords);
  info.parentCoords = RectText(f.parentCoords);
  info.windowSize = RectSizeText(f.parentCoords);
  info.clientSize = RectSizeText(f.clientRect);

  info.styleBits = f.style;
  info.exStyleBits = f.exStyle;
  info.style = FormatInteger(f.style, opts);
  info.exStyle = FormatInteger(f.exStyle, opts);
  info.styleMemo = StyleMemoText(f.style, f.exStyle, opts);

  info.className = f.className;
  info.classFunction = FormatAddress(f.classFunction, f.addressBits, opts);
  info.iconHandle = f.icon;
  info.smallIconHandle = f.smallIcon;
  info.cursorHandle = f.cursor;
  info.icon = FormatInteger(f.icon, opts);
  info.smallIcon = FormatInteger(f.smallIcon, opts);
  info.cursor = FormatInteger(f.cursor, opts);
  info.brush = FormatInteger(f.brush, opts);
  info.moduleHandle = FormatAddress(f.moduleHandle, f.addressBits, opts);
  info.classStyleBits = f.classStyle;
  info.classStyle = FormatInteger(f.classStyle, opts);
  info.classStyleMemo = DecodeClassStyle(f.classStyle, opts);
  return info;
}
