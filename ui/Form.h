#pragma once
// What every form of the program shares: control hints (tooltip and status
// text), help contexts, the design font and its scaling to the screen density
// and the system's message font.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Design font of every form: Tahoma, 11 pixels high (8 point at 96 dpi).
constexpr int kDesignFontHeight = 11;

void SetControlHint(HWND control, const std::string& hint, int helpContext = 0);
// The hint of the control, or of its nearest ancestor that has a non-empty one.
std::string FindHint(HWND control);
int HelpContextOf(HWND control);
// Is this one of the controls the program made from its tables?
bool IsKnownControl(HWND control);

class FormFonts {
 public:
  FormFonts() = default;
  ~FormFonts();
  FormFonts(const FormFonts&) = delete;
  FormFonts& operator=(const FormFonts&) = delete;

  // Gives the design font to the form and every control made so far. With
  // `deferred`, a form that adopts the message font next is spared a pass over
  // every control: the design font is only sent if that adoption fails.
  void ApplyDesignFont(HWND form, bool deferred = false);
  // A control that keeps a font of its own (scaled with the form, never replaced
  // by the message font). The object keeps ownership of `font`.
  void SetOwnFont(HWND control, const LOGFONTA& font);
  // Scales the form's client area and every control's position, size and own
  // font by num/den, rounding to the nearest pixel; the form keeps its position.
  void ScaleForm(HWND form, int num, int den);
  // Scales by screen dots per inch / 96, as a form made at 96 dpi must.
  void ScaleToScreen(HWND form);
  // Takes the system's message font and scales the form to it. Any failure
  // leaves the form with its design font and size.
  void AdoptMessageFont(HWND form);
  // What a form made from tables calls once its controls exist: the design
  // font, the scaling to its monitor's density and the message font at that
  // density. The form then follows changes of density by itself.
  void Prepare(HWND form);

  // Lays the form out for `dpi` as the form would have been laid out had it
  // been made at that density: every control from its design rectangle, the
  // fonts made anew, list columns in proportion. The form takes `suggested`
  // (screen coordinates) when given, and is sent WM_SIZE so that its own
  // layout runs; then Rescaled is called. Done on WM_DPICHANGED by itself.
  void ScaleToDpi(HWND form, int dpi, const RECT* suggested);
  // A length of the design (pixels at 96 dpi with the design font) as the
  // form has it now: for the form's own layout on WM_SIZE.
  int Scaled(int designLength) const;
  int Dpi() const { return m_dpi; }
  // After each change of density, once controls and fonts are in place: for
  // what the toolkit cannot scale (owner-drawn parts, fonts derived from the
  // form's, areas that count real pixels).
  std::function<void()> Rescaled;

  // Controls inside `container` (a page not yet shown) are passed over when the
  // form's font is given, until ReleaseHeldFont: under Wine each WM_SETFONT
  // costs a relayout, and a page nobody has looked at needs no font yet.
  void HoldFontFor(HWND container);
  void ReleaseHeldFont(HWND container);
  // Controls made inside `container` after the form was scaled and given its
  // font (a page made when first needed) are scaled and given it as they would
  // have been with the form.
  void AdoptLateControls(HWND container);

  int FontHeight() const { return m_fontHeight; }
  HFONT Font() const { return m_font; }

 private:
  void GiveFont(HWND form, HFONT font);
  // To every control inside `container` but those with a font of their own or held back.
  void GiveFontInside(HWND container, HFONT font);
  bool Held(HWND control) const;
  static std::vector<std::pair<HWND, RECT>> PlacesOfDescendants(HWND container);
  void ScalePlaced(const std::vector<std::pair<HWND, RECT>>& placed, int num, int den);
  void Follow(HWND form);
  // The window size the form asks for at `dpi` (WM_GETDPISCALEDSIZE): its
  // client area taken back to the design and out again through that
  // density's steps, so that a form the user did not resize gets the size it
  // would have been made with.
  SIZE SizeAtDpi(HWND form, int dpi) const;
  static LRESULT CALLBACK FollowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
  // The steps from the design to `dpi`, as ScaleToScreen and AdoptMessageFont
  // take them; and the font the form has there.
  std::vector<std::pair<int, int>> StepsFor(int dpi, LOGFONTA& font) const;
  // Remembers the design rectangle of controls that have none yet: `scaled`
  // controls went through the form's steps, the others are as designed.
  void RememberDesign(HWND container, bool scaled);
  bool m_designFontDeferred = false;
  bool m_scalesToScreen = false;
  bool m_adoptsMessageFont = false;
  int m_dpi = 96;
  SIZE m_designClient = {0, 0};
  HWND m_form = nullptr;
  std::vector<HWND> m_held;
  std::vector<std::pair<int, int>> m_scales;  // every scaling the form went through

  HFONT m_font = nullptr;
  int m_fontHeight = kDesignFontHeight;
};

// Tooltips of a form: one tooltip window; controls whose hint has a tooltip part
// are added to it. Controls made later inside `container` join the same window.
HWND AddTooltips(HWND form);
void AddTooltipsFor(HWND tip, HWND form, HWND container);
