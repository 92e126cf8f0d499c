#include "inspect/WindowInfo.h"

#include "inspect/ControlStyles.h"
#include "inspect/StyleTables.h"

namespace {

std::string RectSizeText(const WinRect& r) { return SizeText(RectWidth(r), RectHeight(r)); }

}  // namespace

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
