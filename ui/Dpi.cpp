#include "ui/Dpi.h"

#include <cstdlib>

#include "platform/SystemDlls.h"
#include "ui/Gdi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using DialogBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
// DIALOG_DPI_CHANGE_BEHAVIORS: DDC_DISABLE_ALL.
constexpr int kDialogScalingOff = 1;

// The message font as the system keeps it, at the system's density. Older
// systems reject the structure with the padded-border field, so the size
// without it is passed.
bool SystemMessageFont(LOGFONTA& font) {
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = 340;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0)) return false;
  font = ncm.lfMessageFont;
  return font.lfHeight != 0;
}

}  // namespace

int SystemDpi() {
  ScopedGetDC dc(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

int DpiOfWindow(HWND window) {
  static const auto forWindow = SystemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
  const int dpi = forWindow && window ? static_cast<int>(forWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

bool MessageFontAt(int dpi, LOGFONTA& font) {
  const int system = SystemDpi();
  if (dpi <= 0 || dpi == system) return SystemMessageFont(font);
  // Only the wide form exists, and only with the whole structure.
  static const auto forDpi = SystemFunction<ParametersForDpiFn>("user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW ncm = {};
  ncm.cbSize = sizeof ncm;
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, static_cast<UINT>(dpi)) &&
      ncm.lfMessageFont.lfHeight != 0) {
    const LOGFONTW& w = ncm.lfMessageFont;
    font = LOGFONTA{};
    font.lfHeight = w.lfHeight;
    font.lfWidth = w.lfWidth;
    font.lfEscapement = w.lfEscapement;
    font.lfOrientation = w.lfOrientation;
    font.lfWeight = w.lfWeight;
    font.lfItalic = w.lfItalic;
    font.lfUnderline = w.lfUnderline;
    font.lfStrikeOut = w.lfStrikeOut;
    font.lfCharSet = w.lfCharSet;
    font.lfOutPrecision = w.lfOutPrecision;
    font.lfClipPrecision = w.lfClipPrecision;
    font.lfQuality = w.lfQuality;
    font.lfPitchAndFamily = w.lfPitchAndFamily;
    WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
    return true;
  }
  // A system without densities per monitor: the system's font, scaled.
  if (!SystemMessageFont(font)) return false;
  font.lfHeight = MulDiv(font.lfHeight, dpi, system);
  return font.lfHeight != 0;
}

void AdjustWindowRectAtDpi(HWND window, RECT& r, int dpi) {
  using ForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  using ContextFn = HANDLE(WINAPI*)(HWND);
  using EqualFn = BOOL(WINAPI*)(HANDLE, HANDLE);
  static const auto forDpi = SystemFunction<ForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
  static const auto context = SystemFunction<ContextFn>("user32.dll", "GetWindowDpiAwarenessContext");
  static const auto equal = SystemFunction<EqualFn>("user32.dll", "AreDpiAwarenessContextsEqual");
  const DWORD style = GetWindowLongA(window, GWL_STYLE), exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  const BOOL menu = GetMenu(window) != nullptr;
  const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));
  if (forDpi && context && equal && dpi > 0 && equal(context(window), perMonitorV2) &&
      forDpi(&r, style, menu, exStyle, static_cast<UINT>(dpi))) {
    return;
  }
  AdjustWindowRectEx(&r, style, menu, exStyle);
}

void KeepDialogManagerFromScaling(HWND dialog) {
  static const auto behavior = SystemFunction<DialogBehaviorFn>("user32.dll", "SetDialogDpiChangeBehavior");
  if (behavior && dialog) behavior(dialog, kDialogScalingOff, kDialogScalingOff);
}
