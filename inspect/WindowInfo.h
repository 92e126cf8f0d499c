#pragma once
// What the Window and Class pages show about one window: the texts of its
// facts in the display options.
#include <cstdint>
#include <string>

#include "inspect/Format.h"
#include "platform/WindowSystem.h"
#include "reading/WindowFacts.h"

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

// The page texts of those values in the display options; a handle that is no
// window shows the decoded lists of zero words.
WindowInfo DescribeWindow(const WindowFacts& facts, const DisplayOptions& opts);
inline WindowInfo GatherWindowInfo(const WindowSystem& ws, Hwnd handle, const DisplayOptions& opts) {
  return DescribeWindow(ReadWindowFacts(ws, handle, Facts::Pages), opts);
}

