#pragma once
// What the Window and Class pages show about one window, gathered over the
// window-system seam so that it can be tested without a desktop.
#include <cstdint>
#include <string>

#include "inspect/Format.h"
#include "platform/WindowSystem.h"

inline constexpr char kCaptionText[] = "Text";
inline constexpr char kCaptionResourceId[] = "Resource ID";

struct WindowInfo {
  // Window page, one text per field, top to bottom.
  std::string textCaption;  // lblText: kCaptionText or kCaptionResourceId
  std::string text;         // edtText
  std::string process;      // edtProcess
  std::string instance;     // edtInstance
  std::string handle;       // edtHandle
  std::string parent;       // edtParent
  std::string controlId;    // edtControlID
  std::string function;     // edtFunction
  std::string menu;         // edtMenu
  std::string parentCoords; // edtParentCoords
  std::string screenCoords; // edtScreenCoords
  std::string windowSize;   // edtWindowSize
  std::string clientSize;   // edtClientSize
  std::string style;        // edtStyle
  std::string exStyle;      // edtExStyle
  std::string styleMemo;    // memStyle

  // Class page.
  std::string className;       // edtClass
  std::string classFunction;   // edtClassFunction
  std::string icon;            // edtIcon
  std::string smallIcon;       // edtSmallIcon
  std::string cursor;          // edtCursor
  std::string brush;           // edtBrush
  std::string moduleHandle;    // edtModuleHandle
  std::string classStyle;      // edtClassStyle
  std::string classStyleMemo;  // memClassStyle

  // The values behind the texts that the main window needs afterwards.
  bool isResourceId = false;
  uint32_t processId = 0;
  Hwnd parentWindow = 0;  // GetParent
  uint32_t styleBits = 0, exStyleBits = 0, classStyleBits = 0;
  uint32_t iconHandle = 0, smallIconHandle = 0, cursorHandle = 0;
};

// The values behind the Window and Class pages as the platform gives them,
// before any display option: the one reading of a window that the pages, the
// text report and the JSON report all render.
struct WindowFacts {
  Hwnd handle = 0;
  std::string text;  // up to the first zero byte; empty for a resource identifier
  bool isResourceId = false;
  uint32_t resourceId = 0;  // the two bytes after the 0xFF, low byte first
  uint32_t processId = 0;
  uint64_t instance = 0;
  Hwnd parent = 0;  // GetParent
  uint32_t controlId = 0;
  uint64_t function = 0;
  Hwnd menu = 0;  // 0 for a window with a parent or owner
  WinRect parentCoords, screenCoords, clientRect;
  uint32_t style = 0, exStyle = 0;
  std::string className;
  uint64_t classFunction = 0;
  uint32_t icon = 0, smallIcon = 0, cursor = 0, brush = 0;
  uint64_t moduleHandle = 0;
  uint32_t classStyle = 0;
  // The control style's sources (inspect/ControlStyles.h): the system class the
  // window's class was made from, when its own name is no known family, and
  // the extended control style of a family that has one.
  std::string baseClassName;
  bool hasControlExStyle = false;
  uint32_t controlExStyle = 0;
  int addressBits = 32;  // of the inspecting program: the width of the pointer-sized values
};

// Reads the window's text, numbers, rectangles, styles and class data. A handle
// that is no window gives what the platform returns for it: empty texts, zeros.
WindowFacts GatherWindowFacts(const WindowSystem& ws, Hwnd handle);
// The page texts of those values in the display options; a handle that is no
// window shows the decoded lists of zero words.
WindowInfo DescribeWindow(const WindowFacts& facts, const DisplayOptions& opts);
inline WindowInfo GatherWindowInfo(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts) {
  return DescribeWindow(GatherWindowFacts(ws, handle), opts);
}

// WM_GETTEXT into a fresh buffer of kUtf8TextBufferSize bytes. A text whose first byte
// is 0xFF names a resource: its identifier is the next two bytes, low byte first,
// given back as StockIconName. Otherwise the text up to its first zero byte.
std::string WindowTextOrResource(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts,
                                 bool* isResourceId);
