#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "ui/Dpi.h"
#include "ui/Gdi.h"
#include "ui/HintText.h"
#include "ui/Scaling.h"

namespace {

struct ControlInfo {
  std::string hint;
  int helpContext = 0;
  bool ownFont = false;
  LOGFONTA ownLogFont{};
  HFONT ownFontHandle = nullptr;
  // Where the table put the control and its own font, before any scaling.
  bool designKnown = false;
  RECT design{};
  LOGFONTA designFont{};
};

// Sent before WM_DPICHANGED, asking the window the size it wants at the new density.
constexpr UINT kWmGetDpiScaledSize = 0x02E4;
constexpr UINT kWmDpiChanged = 0x02E0;  // WM_DPICHANGED, beyond the headers' WINVER

LOGFONTA DesignLogFont() {
  LOGFONTA lf = {};
  lf.lfHeight = -kDesignFontHeight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
  return lf;
}

int ThroughSteps(int v, const std::vector<std::pair<int, int>>& steps) {
  for (const auto& [num, den] : steps) v = ScaleValue(v, num, den);
  return v;
}

int BackThroughSteps(int v, const std::vector<std::pair<int, int>>& steps) {
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) v = ScaleValue(v, it->second, it->first);
  return v;
}

// A status bar sizes itself to its font and sits at its parent's bottom when
// it gets WM_SIZE; the form's layout runs after.
void PlaceStatusBars(const std::vector<HWND>& controls) {
  for (HWND h : controls) {
    char className[32] = {};
    GetClassNameA(h, className, sizeof className);
    if (lstrcmpiA(className, STATUSCLASSNAMEA) == 0) SendMessageA(h, WM_SIZE, 0, 0);
  }
}

RECT PlaceInParent(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::map<HWND, ControlInfo>& Controls() {
  static std::map<HWND, ControlInfo> controls;
  return controls;
}

BOOL CALLBACK CollectKnown(HWND h, LPARAM p) {
  if (IsKnownControl(h)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

std::vector<HWND> KnownDescendants(HWND form) {
  std::vector<HWND> out;
  EnumChildWindows(form, CollectKnown, reinterpret_cast<LPARAM>(&out));
  return out;
}

}  // namespace

void SetControlHint(HWND control, const std::string& hint, int helpContext) {
  if (!control) return;
  ControlInfo& info = Controls()[control];
  info.hint = hint;
  info.helpContext = helpContext;
  // A handle may come again for a new control: its design is read anew.
  info.designKnown = false;
  if (helpContext) SetWindowContextHelpId(control, helpContext);
}

bool IsKnownControl(HWND control) { return Controls().count(control) != 0; }

std::string FindHint(HWND control) {
  for (HWND h = control; h; h = GetParent(h)) {
    auto it = Controls().find(h);
    if (it != Controls().end() && !it->second.hint.empty()) return it->second.hint;
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return "";
}

int HelpContextOf(HWND control) {
  auto it = Controls().find(control);
  return it == Controls().end() ? 0 : it->second.helpContext;
}

FormFonts::~FormFonts() {
  if (m_form && IsWindow(m_form)) RemoveWindowSubclass(m_form, FollowProc, 0);
  if (m_font) DeleteObject(m_font);
}

void FormFonts::GiveFont(HWND form, HFONT font) {
  SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  GiveFontInside(form, font);
}

void FormFonts::GiveFontInside(HWND container, HFONT font) {
  for (HWND h : KnownDescendants(container)) {
    if (Controls()[h].ownFont || Held(h)) continue;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

bool FormFonts::Held(HWND control) const {
  for (HWND container : m_held) {
    if (IsChild(container, control)) return true;
  }
  return false;
}

void FormFonts::HoldFontFor(HWND container) {
  if (container && std::find(m_held.begin(), m_held.end(), container) == m_held.end()) {
    m_held.push_back(container);
  }
}

void FormFonts::ReleaseHeldFont(HWND container) {
  auto it = std::find(m_held.begin(), m_held.end(), container);
  if (it == m_held.end()) return;
  m_held.erase(it);
  // A font still held back for the whole form is given when the form adopts it.
  if (!m_font || m_designFontDeferred) return;
  GiveFontInside(container, m_font);
}

void FormFonts::ApplyDesignFont(HWND form, bool deferred) {
  Follow(form);
  const LOGFONTA lf = DesignLogFont();
  HFONT font = CreateFontIndirectA(&lf);
  if (!font) return;
  if (m_font) DeleteObject(m_font);
  m_font = font;
  m_fontHeight = kDesignFontHeight;
  m_designFontDeferred = deferred;
  if (!deferred) GiveFont(form, font);
}

void FormFonts::SetOwnFont(HWND control, const LOGFONTA& font) {
  ControlInfo& info = Controls()[control];
  info.ownFont = true;
  info.ownLogFont = font;
  if (info.ownFontHandle) DeleteObject(info.ownFontHandle);
  info.ownFontHandle = CreateFontIndirectA(&font);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(info.ownFontHandle), FALSE);
}

void FormFonts::ScaleForm(HWND form, int num, int den) {
  RECT client;
  GetClientRect(form, &client);
  if (m_scales.empty() && m_designClient.cx == 0) m_designClient = {client.right, client.bottom};
  if (num <= 0 || den <= 0 || num == den) return;
  RememberDesign(form, true);
  RECT outer = {0, 0, ScaleValue(client.right, num, den), ScaleValue(client.bottom, num, den)};
  AdjustWindowRectEx(&outer, GetWindowLongA(form, GWL_STYLE), GetMenu(form) != nullptr,
                     GetWindowLongA(form, GWL_EXSTYLE));
  // The size is read before any control moves, as the controls' places are.
  std::vector<std::pair<HWND, RECT>> placed = PlacesOfDescendants(form);
  SetWindowPos(form, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ScalePlaced(placed, num, den);
  m_scales.push_back({num, den});
  m_fontHeight = ScaleValue(m_fontHeight, num, den);
  InvalidateRect(form, nullptr, TRUE);
}

std::vector<std::pair<HWND, RECT>> FormFonts::PlacesOfDescendants(HWND container) {
  // Parents before children: each position is relative to the parent's client
  // area, which is read before the parent itself moves.
  std::vector<std::pair<HWND, RECT>> placed;
  for (HWND h : KnownDescendants(container)) placed.push_back({h, PlaceInParent(h)});
  return placed;
}

void FormFonts::ScalePlaced(const std::vector<std::pair<HWND, RECT>>& placed, int num, int den) {
  for (const auto& [h, r] : placed) {
    // Edges scale, not sizes: controls that meet at the design still meet,
    // and none reaches into its neighbour by a pixel of rounding.
    int left = ScaleValue(r.left, num, den), top = ScaleValue(r.top, num, den);
    int width = ScaleValue(r.right, num, den) - left;
    int height = ScaleValue(r.bottom, num, den) - top;
    MoveWindow(h, left, top, width, height, FALSE);
    ControlInfo& info = Controls()[h];
    if (info.ownFont) {
      LOGFONTA lf = info.ownLogFont;
      lf.lfHeight = ScaleValue(lf.lfHeight, num, den);
      SetOwnFont(h, lf);
    }
  }
}

void FormFonts::AdoptLateControls(HWND container) {
  // The same steps, in the same order, as the controls made with the form
  // went through, so that a late page lands on the same pixels.
  RememberDesign(container, false);
  for (const auto& [num, den] : m_scales) ScalePlaced(PlacesOfDescendants(container), num, den);
  if (!m_font || m_designFontDeferred) return;
  GiveFontInside(container, m_font);
}

void FormFonts::ScaleToScreen(HWND form) {
  m_dpi = DpiOfWindow(form);
  m_scalesToScreen = true;
  ScaleForm(form, m_dpi, kDesignDpi);
}

void FormFonts::AdoptMessageFont(HWND form) {
  bool deferred = m_designFontDeferred;
  m_designFontDeferred = false;
  m_adoptsMessageFont = true;
  LOGFONTA message = {};
  int messageHeight = 0;
  HFONT font = nullptr;
  if (MessageFontAt(m_dpi, message)) {
    messageHeight = std::abs(message.lfHeight);
    if (messageHeight != 0) font = CreateFontIndirectA(&message);
  }
  if (!font) {
    if (deferred && m_font) GiveFont(form, m_font);
    return;
  }
  ScaleForm(form, messageHeight, std::abs(m_fontHeight));
  if (m_font) DeleteObject(m_font);
  m_font = font;
  m_fontHeight = messageHeight;
  GiveFont(form, font);
  PlaceStatusBars(KnownDescendants(form));
}

void FormFonts::Prepare(HWND form) {
  ApplyDesignFont(form, true);
  ScaleToScreen(form);
  AdoptMessageFont(form);
}

int FormFonts::Scaled(int designLength) const { return ThroughSteps(designLength, m_scales); }

void FormFonts::RememberDesign(HWND container, bool scaled) {
  for (HWND h : KnownDescendants(container)) {
    ControlInfo& info = Controls()[h];
    if (info.designKnown) continue;
    RECT r = PlaceInParent(h);
    char className[16] = {};
    GetClassNameA(h, className, sizeof className);
    if (lstrcmpiA(className, "ComboBox") == 0) {
      // A combo box's window is its closed part; the height it was made with
      // reaches down to the bottom of its list.
      RECT dropped = {};
      if (SendMessageA(h, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&dropped), 2);
        r.bottom = std::max<LONG>(r.bottom, dropped.bottom);
      }
    }
    if (scaled) {
      // Made outside the tables' order: the best guess of its design is the
      // way back through the steps the form took.
      r = {BackThroughSteps(r.left, m_scales), BackThroughSteps(r.top, m_scales),
           BackThroughSteps(r.right, m_scales), BackThroughSteps(r.bottom, m_scales)};
    }
    info.design = r;
    info.designFont = info.ownLogFont;
    if (scaled && info.ownFont) info.designFont.lfHeight = BackThroughSteps(info.ownLogFont.lfHeight, m_scales);
    info.designKnown = true;
  }
}

std::vector<std::pair<int, int>> FormFonts::StepsFor(int dpi, LOGFONTA& font) const {
  std::vector<std::pair<int, int>> steps;
  int height = kDesignFontHeight;
  if (m_scalesToScreen && dpi != kDesignDpi) {
    steps.push_back({dpi, kDesignDpi});
    height = ScaleValue(height, dpi, kDesignDpi);
  }
  font = DesignLogFont();
  font.lfHeight = -height;
  LOGFONTA message = {};
  if (m_adoptsMessageFont && MessageFontAt(dpi, message)) {
    const int messageHeight = std::abs(message.lfHeight);
    if (messageHeight != height) steps.push_back({messageHeight, height});
    font = message;
  }
  return steps;
}

void FormFonts::ScaleToDpi(HWND form, int dpi, const RECT* suggested) {
  if (!form || dpi <= 0) return;
  RememberDesign(form, true);
  LOGFONTA lf = {};
  const std::vector<std::pair<int, int>> steps = StepsFor(dpi, lf);
  HFONT font = CreateFontIndirectA(&lf);
  // The form shows nothing until every control is in its new place.
  SendMessageA(form, WM_SETREDRAW, FALSE, 0);
  // The form takes its size first, as at its making: controls that place
  // themselves (a status bar) do so in the new client area.
  if (suggested) {
    SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The font first, as at the form's making: controls that size themselves
  // to their font (a status bar) then take the place they are given.
  if (font) {
    GiveFont(form, font);
    if (m_font) DeleteObject(m_font);
    m_font = font;
  }
  const int oldDpi = m_dpi;
  m_scales = steps;
  m_fontHeight = std::abs(lf.lfHeight);
  m_dpi = dpi;
  for (HWND h : KnownDescendants(form)) {
    ControlInfo& info = Controls()[h];
    const RECT& d = info.design;
    const int left = ThroughSteps(d.left, steps), top = ThroughSteps(d.top, steps);
    MoveWindow(h, left, top, ThroughSteps(d.right, steps) - left, ThroughSteps(d.bottom, steps) - top, FALSE);
    if (info.ownFont) {
      LOGFONTA own = info.designFont;
      own.lfHeight = ThroughSteps(own.lfHeight, steps);
      SetOwnFont(h, own);
    }
    // Column widths are the user's (the settings keep them in pixels): they
    // keep their share of the list.
    char className[32] = {};
    GetClassNameA(h, className, sizeof className);
    if (lstrcmpiA(className, WC_LISTVIEWA) == 0) {
      HWND header = reinterpret_cast<HWND>(SendMessageA(h, LVM_GETHEADER, 0, 0));
      const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
      for (int c = 0; c < columns; ++c) {
        const int width = static_cast<int>(SendMessageA(h, LVM_GETCOLUMNWIDTH, c, 0));
        SendMessageA(h, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(ScaleValue(width, dpi, oldDpi), 0));
      }
    }
  }
  PlaceStatusBars(KnownDescendants(form));
  // The form's own layout runs even when the size happens not to change.
  if (!IsIconic(form)) {
    RECT client = {};
    GetClientRect(form, &client);
    SendMessageA(form, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
  if (Rescaled) Rescaled();
  SendMessageA(form, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

SIZE FormFonts::SizeAtDpi(HWND form, int dpi) const {
  LOGFONTA lf = {};
  const std::vector<std::pair<int, int>> steps = StepsFor(dpi, lf);
  // A form of fixed size has its design's size at every density; one the
  // user sizes keeps the share of the screen it had.
  RECT client = {};
  GetClientRect(form, &client);
  if (!(GetWindowLongA(form, GWL_STYLE) & WS_THICKFRAME) && m_designClient.cx > 0) {
    client.right = m_designClient.cx;
    client.bottom = m_designClient.cy;
  } else {
    client.right = BackThroughSteps(client.right, m_scales);
    client.bottom = BackThroughSteps(client.bottom, m_scales);
  }
  RECT outer = {0, 0, ThroughSteps(client.right, steps), ThroughSteps(client.bottom, steps)};
  AdjustWindowRectAtDpi(form, outer, dpi);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void FormFonts::Follow(HWND form) {
  if (!form || m_form == form) return;
  m_form = form;
  m_dpi = DpiOfWindow(form);
  char className[16] = {};
  GetClassNameA(form, className, sizeof className);
  if (lstrcmpA(className, "#32770") == 0) KeepDialogManagerFromScaling(form);
  SetWindowSubclass(form, FollowProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FormFonts::FollowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                       DWORD_PTR self) {
  auto* fonts = reinterpret_cast<FormFonts*>(self);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, FollowProc, 0);
    fonts->m_form = nullptr;
  } else if (msg == kWmGetDpiScaledSize && lParam) {
    *reinterpret_cast<SIZE*>(lParam) = fonts->SizeAtDpi(hwnd, static_cast<int>(wParam));
    return TRUE;
  } else if (msg == kWmDpiChanged) {
    try {
      fonts->ScaleToDpi(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
    } catch (...) {
      // A form half laid out is better than a program ended by the dispatcher.
      SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    }
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

HWND AddTooltips(HWND form) {
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  AddTooltipsFor(tip, form, form);
  return tip;
}

void AddTooltipsFor(HWND tip, HWND form, HWND container) {
  if (!tip) return;
  for (HWND h : KnownDescendants(container)) {
    std::string text = HintTooltipPart(Controls()[h].hint);
    if (text.empty()) continue;
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = form;
    ti.uId = reinterpret_cast<UINT_PTR>(h);
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}
