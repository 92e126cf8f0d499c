#pragma once
// Everything else the system knows about a window, beside what the pages
// show: its properties, extra bytes, scroll bars, thread, placement, DPI and
// monitor, DWM state, region and layering, icons, menu and process. The
// values are as the platform gave them; each fact that the system did not
// give says so (FactState), so that no zero ever stands in for an unknown.
// Read by details/DetailsReader (Win32), rendered by DetailsRows (the Details
// window and the text section) and DetailsJson (the JSON report).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

// How a fact stands.
enum class FactState : uint8_t {
  Known,         // the value holds it
  Absent,        // the window has none (no menu, no bar, not layered, not a dialog)
  NotAvailable,  // the system did not tell: an old system, Wine, a window gone or not answering
  Denied,        // Tarvisk may not read it (a process of higher integrity, a protected one)
};

template <typename T>
struct Fact {
  FactState state = FactState::NotAvailable;
  T value{};

  bool Known() const { return state == FactState::Known; }
  static Fact Of(T v) { return {FactState::Known, std::move(v)}; }
  static Fact None() { return {FactState::Absent, T{}}; }
  static Fact Missing() { return {FactState::NotAvailable, T{}}; }
  static Fact Refused() { return {FactState::Denied, T{}}; }
};

// One entry of EnumPropsEx.
struct WindowProperty {
  bool isAtom = false;  // named by an atom (MAKEINTATOM), not by a string
  std::string name;     // UTF-8; empty for an atom-named one
  uint32_t atom = 0;    // for an atom-named one
  uint64_t value = 0;   // the HANDLE, pointer-sized
};

// cbWndExtra or cbClsExtra and the bytes as pointer-sized words, low address
// first; a size that is no multiple of the word ends in a shorter word, read
// as it fits (its bytes little-endian, the rest zero).
struct ExtraBytes {
  uint32_t size = 0;
  std::vector<uint64_t> values;
};

// DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER of a dialog window (#32770).
struct DialogValues {
  uint64_t messageResult = 0, procedure = 0, user = 0;
};

// GetScrollInfo of one bar, and the bar's state from GetScrollBarInfo.
struct ScrollBarFacts {
  int32_t min = 0, max = 0;
  uint32_t page = 0;
  int32_t pos = 0, trackPos = 0;
  Fact<uint32_t> state;  // rgstate[0]: STATE_SYSTEM_ bits
};

struct ScrollFacts {
  Fact<ScrollBarFacts> horizontal, vertical, control;  // control: the window is a scroll bar control
};

// GetGUIThreadInfo of the window's thread.
struct GuiThreadFacts {
  Hwnd active = 0, focus = 0, capture = 0, menuOwner = 0, moveSize = 0, caret = 0;
  WinRect caretRect;
  uint32_t flags = 0;  // GUI_ bits
};

struct ThreadFacts {
  Fact<uint32_t> id;
  Fact<GuiThreadFacts> gui;
};

// GetWindowPlacement.
struct PlacementFacts {
  uint32_t showCommand = 0;  // SW_ value
  WinRect normal;
  WinPoint minPosition, maxPosition;
};

enum class DpiAwareness : uint8_t { Unaware, System, PerMonitor, PerMonitorV2, UnawareGdiScaled };

struct MonitorFacts {
  uint32_t handle = 0;
  std::string device;  // UTF-8, "\\.\DISPLAY1"
  WinRect rect, workArea;
  bool primary = false;
  Fact<uint32_t> dpi;  // GetDpiForMonitor, effective, horizontal
};

struct DpiFacts {
  Fact<uint32_t> window;  // GetDpiForWindow
  Fact<DpiAwareness> awareness;
  Fact<MonitorFacts> monitor;
  // The window's rectangle in its pixels, and as the window itself sees it
  // where that differs (reading/LogicalRect.h).
  Fact<WinRect> physicalRect, logicalRect;
};

// DwmGetWindowAttribute.
struct DwmFacts {
  Fact<uint32_t> cloaked;  // DWM_CLOAKED_ bits; 0: not cloaked
  Fact<WinRect> extendedFrameBounds;
  Fact<bool> ncRendering;
};

enum class RegionType : uint8_t { None, Empty, Simple, Complex };

struct RegionFacts {
  RegionType type = RegionType::None;
  WinRect box;  // in window coordinates; for a simple or complex region
};

// GetLayeredWindowAttributes.
struct LayeredFacts {
  uint32_t alpha = 0, colorKey = 0, flags = 0;  // flags: LWA_ bits
};

struct IconFacts {
  // WM_GETICON ICON_BIG, ICON_SMALL, ICON_SMALL2; 0 is a window without one.
  Fact<uint32_t> big, small, small2;
  uint32_t classIcon = 0, classSmallIcon = 0;  // GCLP_HICON, GCLP_HICONSM
};

struct MenuFacts {
  uint32_t handle = 0;
  int32_t itemCount = 0;
  std::vector<std::string> items;  // UTF-8, top-level item texts; a separator is empty
};

// Integrity levels by the RID of the token's mandatory label.
struct ProcessFacts {
  Fact<uint32_t> bitness;    // 32 or 64
  Fact<uint32_t> integrity;  // SECURITY_MANDATORY_*_RID
};

struct WindowDetails {
  Hwnd handle = 0;
  int addressBits = 32;  // of the inspecting program: the width of the pointer-sized values
  Fact<std::vector<WindowProperty>> properties;
  Fact<ExtraBytes> windowExtra, classExtra;
  Fact<uint64_t> userData;
  Fact<DialogValues> dialog;
  ScrollFacts scroll;
  ThreadFacts thread;
  Fact<PlacementFacts> placement;
  Fact<Hwnd> root, rootOwner, zAbove, zBelow;  // zAbove, zBelow: 0 at the top or bottom
  DpiFacts dpi;
  DwmFacts dwm;
  Fact<RegionFacts> region;
  Fact<LayeredFacts> layered;
  IconFacts icons;
  Fact<MenuFacts> menu;
  ProcessFacts process;
};

// Details of nothing: every fact not available (no window, or no reader).
WindowDetails UnavailableDetails(Hwnd handle, int addressBits = 32);
