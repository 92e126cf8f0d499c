#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

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
};

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
  LOGFONTA lf = {};
  lf.lfHeight = -kDesignFontHeight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
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
  if (num <= 0 || den <= 0 || num == den) return;
  RECT client;
  GetClientRect(form, &client);
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
  for (HWND h : KnownDescendants(container)) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    placed.push_back({h, r});
  }
  return placed;
}

void FormFonts::ScalePlaced(const std::vector<std::pair<HWND, RECT>>& placed, int num, int den) {
  for (const auto& [h, r] : placed) {
    int left = ScaleValue(r.left, num, den), top = ScaleValue(r.top, num, den);
    int width = ScaleValue(r.right - r.left, num, den);
    int height = ScaleValue(r.bottom - r.top, num, den);
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
  for (const auto& [num, den] : m_scales) ScalePlaced(PlacesOfDescendants(container), num, den);
  if (!m_font || m_designFontDeferred) return;
  GiveFontInside(container, m_font);
}

void FormFonts::ScaleToScreen(HWND form) {
  ScopedGetDC dc(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  ScaleForm(form, dpi, 96);
}

void FormFonts::AdoptMessageFont(HWND form) {
  bool deferred = m_designFontDeferred;
  m_designFontDeferred = false;
  // Older systems reject the structure with the padded-border field, so the
  // size without it is passed.
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = 340;
  int messageHeight = 0;
  HFONT font = nullptr;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0)) {
    messageHeight = std::abs(ncm.lfMessageFont.lfHeight);
    if (messageHeight != 0) font = CreateFontIndirectA(&ncm.lfMessageFont);
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
