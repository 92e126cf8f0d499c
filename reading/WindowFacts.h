#pragma once
// The one reader of a window's facts. Every view (the pages, the reports, the
// details, the selectors, a snapshot of the desktop, acting on a window) reads
// them here, asking only for the facts it shows; which call gives which fact,
// and the rules that turn an answer into a fact, live here and nowhere else.
#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"
#include "reading/ControlFamily.h"

// The facts a view asks for, as bits of a FactSet.
namespace Facts {
constexpr uint32_t Text = 1u << 0;          // text, isResourceId, resourceId (WM_GETTEXT, with the time-out)
constexpr uint32_t Title = 1u << 1;         // title: what the system keeps, the window is not asked
constexpr uint32_t ClassName = 1u << 2;
constexpr uint32_t Process = 1u << 3;       // processId, hostProcessId (see kFrameClass)
constexpr uint32_t Thread = 1u << 4;        // threadId, hostThreadId
constexpr uint32_t Parent = 1u << 5;        // parent (GetParent: the parent, or a pop-up's owner)
constexpr uint32_t ControlId = 1u << 6;     // controlId
constexpr uint32_t Code = 1u << 7;          // instance, function
constexpr uint32_t Menu = 1u << 8;          // menu (with Parent)
constexpr uint32_t WindowRect = 1u << 9;    // screenCoords
constexpr uint32_t ParentCoords = 1u << 10; // parentCoords (with Parent and WindowRect)
constexpr uint32_t ClientRect = 1u << 11;   // clientRect
constexpr uint32_t Styles = 1u << 12;       // style, exStyle
constexpr uint32_t ClassCode = 1u << 13;    // classFunction, brush, moduleHandle, classStyle
constexpr uint32_t ClassImages = 1u << 17;  // icon, smallIcon, cursor
constexpr uint32_t ClassData = ClassCode | ClassImages;
constexpr uint32_t ControlFamily = 1u << 14;  // family, baseClassName (with ClassName)
constexpr uint32_t ControlExStyle = 1u << 15; // hasControlExStyle, controlExStyle (with ControlFamily)
constexpr uint32_t Visible = 1u << 16;      // visible: IsWindowVisible, the window and its parents
constexpr uint32_t Owner = 1u << 18;        // owner of a top-level window (GWLP_HWNDPARENT), any style
constexpr uint32_t Rects = WindowRect | ParentCoords | ClientRect;
// What the Window and Class pages show.
constexpr uint32_t Pages = Text | ClassName | Process | Parent | ControlId | Code | Menu | Rects | Styles |
                           ClassData | ControlFamily | ControlExStyle;
}  // namespace Facts
using FactSet = uint32_t;

// The values as the platform gives them, before any display option. A fact
// that was not asked for keeps its zero value.
struct WindowFacts {
  Hwnd handle = 0;
  FactSet read = 0;  // the facts asked for
  std::string text;  // up to the first zero byte; empty for a resource identifier
  bool isResourceId = false;
  uint32_t resourceId = 0;  // the two bytes after the 0xFF, low byte first
  // The text question took long enough that the window's thread is taken as
  // not answering (kNotAnsweringMs).
  bool textUnanswered = false;
  std::string title;  // Title; also read with Text for a resource identifier
  uint32_t processId = 0, threadId = 0;
  // A frame that shows another process's window (kFrameClass): the frame's
  // own process and thread, while processId and threadId name the app's. 0
  // for every other window.
  uint32_t hostProcessId = 0, hostThreadId = 0;
  uint64_t instance = 0;
  Hwnd parent = 0;  // GetParent
  // A top-level window's owner; GetParent names it only for a pop-up.
  Hwnd owner = 0;
  uint32_t controlId = 0;
  uint64_t function = 0;
  Hwnd menu = 0;  // 0 for a window with a parent or owner
  WinRect parentCoords, screenCoords, clientRect;
  uint32_t style = 0, exStyle = 0;
  bool visible = false;
  std::string className;
  uint64_t classFunction = 0;
  uint32_t icon = 0, smallIcon = 0, cursor = 0, brush = 0;
  uint64_t moduleHandle = 0;
  uint32_t classStyle = 0;
  // The control style's sources: the family by class name, the system class
  // the window's class was made from when its own name is no known family,
  // and the extended control style of a family that has one.
  StyleFamily family = StyleFamily::None;
  std::string baseClassName;
  bool hasControlExStyle = false;
  uint32_t controlExStyle = 0;
  int addressBits = 32;  // of the inspecting program: the width of the pointer-sized values
};

// The frame a modern app's window sits in belongs to a host process; the app
// is the process of the frame's child of kAppWindowClass. Every view names
// the app for the frame, and the host beside it.
constexpr const char* kFrameClass = "ApplicationFrameWindow";
constexpr const char* kAppWindowClass = "Windows.UI.Core.CoreWindow";

// A text question that takes this long, most of the platform's time-out of
// 200 ms, marks the window's thread as not answering: a snapshot asks that
// program no more.
constexpr uint32_t kNotAnsweringMs = 150;

// Reads the facts asked for. A handle that is no window gives what the
// platform returns for it: empty texts, zeros.
WindowFacts ReadWindowFacts(const WindowSystem& ws, Hwnd handle, FactSet facts);
// The same for a walk of the tree that knows the window's parent already:
// parent is not asked, and parentCoords are relative to it (0: the screen).
WindowFacts ReadWindowFacts(const WindowSystem& ws, Hwnd handle, FactSet facts, Hwnd parent);

// "CLASS 0x0001005C", as the titles of Tarvisk's windows name a window.
std::string ClassAndHandle(const WindowSystem& ws, Hwnd handle);

// The text a list shows for the window: a resource identifier's window shows
// the title it keeps, as the ANSI lists showed it.
inline const std::string& OwnText(const WindowFacts& f) { return f.isResourceId ? f.title : f.text; }

// Extents of a rectangle, which a window may report as anything: the
// subtraction wraps as the 32-bit platform arithmetic does.
inline int32_t Extent(int32_t low, int32_t high) {
  return static_cast<int32_t>(static_cast<uint32_t>(high) - static_cast<uint32_t>(low));
}
inline int32_t RectWidth(const WinRect& r) { return Extent(r.left, r.right); }
inline int32_t RectHeight(const WinRect& r) { return Extent(r.top, r.bottom); }
