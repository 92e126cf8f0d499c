#include "capture/GraphicsPage.h"

#include <algorithm>

#include <commdlg.h>

#include <vector>

#include "capture/CaptureBitmap.h"
#include "capture/CaptureMath.h"
#include "capture/ImageControl.h"
#include "capture/Ruler.h"
#include "platform/OnDemandDlls.h"
#include "platform/ReportFile.h"
#include "platform/FileTexts.h"
#include "reading/SystemSources.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/MessageBoxes.h"

namespace {

// The capture group's controls are placed by their position in the group box;
// they are children of the page, so the group's own place is added.
constexpr int kGroupLeft = 12, kGroupTop = 144;

// Places inside pnlCaptureContainer, in unscaled pixels.
constexpr int kRuleOffset = 20;   // imgHRule's left, imgVRule's top
constexpr int kCaptureOffset = 22;  // pnlCapture's left and top
constexpr int kCapturePanelSide = 124;  // the image and a two-pixel sunken edge

// A memory context with the image selected only while it is drawn on or
// copied: a bitmap can be selected into one context at a time, and the image
// control selects it too when it paints.
class ImageCanvas {
 public:
  explicit ImageCanvas(HBITMAP image) : m_dc(CreateCompatibleDC(nullptr)) {
    if (m_dc && image) m_old = SelectObject(m_dc, image);
  }
  ~ImageCanvas() {
    if (m_old) SelectObject(m_dc, m_old);
    if (m_dc) DeleteDC(m_dc);
  }
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;
  HDC Dc() const { return m_old ? m_dc : nullptr; }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

const char* const kZoomHint = "|Screen capture scale";
constexpr int kZoomHelp = 59;

}  // namespace

GraphicsPage::GraphicsPage(GraphicsHost& host) : m_host(host) {}

GraphicsPage::~GraphicsPage() {
  // The picture controls may outlive the page (they go with the sheet); they
  // must not paint bitmaps that are gone.
  for (HWND h : {m_imgHRule, m_imgVRule, m_imgCapture}) {
    if (h && IsWindow(h)) {
      SetImageBitmap(h, nullptr, false);
      SetImageMouseUp(h, nullptr);
    }
  }
  if (m_image) DeleteObject(m_image);
  if (m_capture) DeleteObject(m_capture);
  if (m_desktop) ReleaseDC(GetDesktopWindow(), m_desktop);
  if (m_hRule) DeleteObject(m_hRule);
  if (m_vRule) DeleteObject(m_vRule);
}

void GraphicsPage::MakeControls() {
  HWND sheet = m_sheet;
  // Each row: kind, id, caption, left, top, width, height, hint, help context.
  CreateControls(sheet, {
      {ControlKind::Label, IDC_LBLSCREEN, "Position in screen", 16, 12, 128, 14},
      {ControlKind::Field, IDC_EDTSCREEN, "edtScreen", 148, 12, 277, 17,
       "|Position of mouse cursor in screen coordinates", 51},
      {ControlKind::Label, IDC_LBLWINDOW, "Position in window", 16, 32, 128, 14},
      {ControlKind::Field, IDC_EDTWINDOW, "edtWindow", 148, 32, 277, 17,
       "|Position of mouse cursor in coordinates of the specified window", 52},
      {ControlKind::Label, IDC_LBLCLIENT, "Position in client area", 16, 52, 128, 14},
      {ControlKind::Field, IDC_EDTCLIENT, "edtClient", 148, 52, 277, 17,
       "|Position of mouse cursor in coordinates of the specified window's client area", 53},
      {ControlKind::Label, IDC_LBLRED, "Pixel RGB color values", 16, 72, 128, 14},
      {ControlKind::Field, IDC_EDTRGB, "edtRGB", 148, 72, 277, 17,
       "|Color of the pixel under mouse cursor", 55},
      {ControlKind::GroupBox, IDC_GRBSCREENSPY, "Screen capture", kGroupLeft, kGroupTop, 397, 213},
  });
  CreateZoomGroup();
  CreateControls(sheet, {
      {ControlKind::CheckBox, IDC_CHBSHOWRETICLE, "Show &reticle", kGroupLeft + 216, kGroupTop + 98,
       133, 17, "|Show/hide reticle that shows current cursor position on the screen capture image", 60},
      {ControlKind::Button, IDC_BTNCOPYIMAGE, "&Copy to clipboard", kGroupLeft + 208, kGroupTop + 122,
       149, 25, "|Click this button to copy current screen capture to clipboard", 61},
      {ControlKind::Button, IDC_BTNSAVEIMAGE, "Sa&ve to file...", kGroupLeft + 208, kGroupTop + 150,
       149, 25, "|Click this button to save current screen capture to file", 63},
  });
  HWND reticle = Item(sheet, IDC_CHBSHOWRETICLE);
  // Ends the zoom items' group, so that the arrow keys stay among them.
  SetWindowLongA(reticle, GWL_STYLE, GetWindowLongA(reticle, GWL_STYLE) | WS_GROUP);
  SetChecked(sheet, IDC_CHBSHOWRETICLE, true);
  m_btnCopyImage = Item(sheet, IDC_BTNCOPYIMAGE);
  m_btnSaveImage = Item(sheet, IDC_BTNSAVEIMAGE);

  HWND container = CreateImageControl(sheet, {IDC_PNLCAPTURECONTAINER, kGroupLeft + 40, kGroupTop + 41, 157, 154});
  SetControlHint(container, "");
  CreateControl(container, {ControlKind::Label, IDC_LBLPIX, "pix", 0, 0, 20, 14});
  m_imgHRule = CreateImageControl(container, {IDC_IMGHRULE, kRuleOffset, 0, kRulerLength, kRulerDepth});
  m_imgVRule = CreateImageControl(container, {IDC_IMGVRULE, 0, kRuleOffset, kRulerDepth, kRulerLength});
  m_pnlCapture = CreateImageControl(container, {IDC_PNLCAPTURE, kCaptureOffset, kCaptureOffset,
                                                kCapturePanelSide, kCapturePanelSide, WS_EX_CLIENTEDGE});
  m_imgCapture = CreateImageControl(m_pnlCapture, {IDC_IMGCAPTURE, 0, 0, kImageSide, kImageSide, 0, true});
  for (HWND h : {m_imgHRule, m_imgVRule}) SetControlHint(h, "");
  SetControlHint(m_pnlCapture, "", 58);
  SetControlHint(m_imgCapture, "|Part of the screen under mouse cursor");
  SetImageMouseUp(m_imgCapture, [this](int x, int y) { imgCaptureMouseUp(x, y); });

  // The image keeps its own picture, white until the first capture.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kImageSide;
  bi.bmiHeader.biHeight = -kImageSide;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_image = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (m_image) {
    m_imageBits = static_cast<uint32_t*>(bits);
    ImageCanvas canvas(m_image);
    RECT all = {0, 0, kImageSide, kImageSide};
    if (canvas.Dc()) FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetImageBitmap(m_imgCapture, m_image, false);
  }
  LoadRulers(1);
}

void GraphicsPage::CreateZoomGroup() {
  const int left = kGroupLeft + 208, top = kGroupTop + 34, width = 149, height = 55;
  CreateControl(m_sheet, {ControlKind::GroupBox, IDC_RGRZOOM, "&Zoom", left, top, width, height,
                          kZoomHint, kZoomHelp});
  // Three columns of two: items run down each column, then on to the next.
  const char* const items[kZoomItemCount] = {"x1", "x2", "x3", "x4", "x5", "x6"};
  const int columnWidth = (width - 16) / 3, rows = 2;
  for (int i = 0; i < kZoomItemCount; ++i) {
    int itemLeft = left + 8 + (i / rows) * columnWidth;
    int itemTop = top + 15 + (i % rows) * 18;
    HWND h = CreateControl(m_sheet, {ControlKind::RadioButton, IDC_RGRZOOM + 1 + i, items[i], itemLeft,
                                     itemTop, columnWidth - 2, 17, kZoomHint, kZoomHelp});
    if (i == 0) SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) | WS_GROUP | WS_TABSTOP);
  }
  SetRadioGroupIndex(m_sheet, IDC_RGRZOOM, kZoomItemCount, 0);
  m_zoomIndex = 0;
}

int GraphicsPage::ZoomIndex() const { return RadioGroupIndex(m_sheet, IDC_RGRZOOM, kZoomItemCount); }

void GraphicsPage::SetZoomIndex(int index) {
  if (index > kZoomItemCount - 1) index = kZoomItemCount - 1;
  if (index < 0) index = -1;
  SetRadioGroupIndex(m_sheet, IDC_RGRZOOM, kZoomItemCount, index);
  if (index == m_zoomIndex) return;
  m_zoomIndex = index;
  rgrZoomClick();
}

int GraphicsPage::ZoomFactor() const { return ZoomFactorForIndex(ZoomIndex()); }

bool GraphicsPage::ShowReticle() const { return IsChecked(m_sheet, IDC_CHBSHOWRETICLE); }

void GraphicsPage::SetShowReticle(bool show) {
  if (show == ShowReticle()) return;
  SetChecked(m_sheet, IDC_CHBSHOWRETICLE, show);
  chbShowReticleClick();
}

void GraphicsPage::ResetCaptureGeometry() {
  auto place = [](HWND h, int left, int top, int width, int height) {
    if (h) MoveWindow(h, left, top, width, height, TRUE);
  };
  // The rulers keep their other coordinate and the size of their bitmaps.
  auto origin = [](HWND h) {
    RECT r = {};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT v = origin(m_imgVRule), h = origin(m_imgHRule);
  // The corner the rulers leave holds the "pix" label, which scales with the
  // density: where it outgrows the corner, rulers and picture move out by the
  // difference, and still count the screen's pixels.
  HWND pix = GetDlgItem(GetParent(m_imgHRule), IDC_LBLPIX);
  const RECT p = pix ? origin(pix) : RECT{};
  const int shift = std::max<int>(0, std::max(p.right - p.left, p.bottom - p.top) - kRuleOffset);
  place(m_imgVRule, v.left, kRuleOffset + shift, kRulerDepth, kRulerLength);
  place(m_imgHRule, kRuleOffset + shift, h.top, kRulerLength, kRulerDepth);
  place(m_pnlCapture, kCaptureOffset + shift, kCaptureOffset + shift, kCapturePanelSide, kCapturePanelSide);
  place(m_imgCapture, 0, 0, kImageSide, kImageSide);
}

void GraphicsPage::Placed() {
  if (!m_desktop) m_desktop = GetDC(GetDesktopWindow());
  if (!m_capture) m_capture = CreateCaptureBitmap(m_desktop, kImageSide);
  rgrZoomClick();
  SetZoomIndex(m_storedZoom);
  SetShowReticle(m_storedReticle);
  ResetCaptureGeometry();
  ApplyCommands();
}

// The magnifier and its rulers count the screen's real pixels: their sizes
// stay what they are at every density.
void GraphicsPage::Rescaled() {
  ResetCaptureGeometry();
  InvalidateRect(m_sheet, nullptr, TRUE);
}

void GraphicsPage::LoadSettings(const SettingsValues& values) {
  m_storedZoom = values.zoom;
  m_storedReticle = values.showReticle;
  if (!m_sheet) return;
  SetZoomIndex(values.zoom);
  SetShowReticle(values.showReticle);
}

void GraphicsPage::StoreSettings(SettingsValues& values) const {
  values.zoom = m_sheet ? ZoomIndex() : m_storedZoom;
  values.showReticle = m_sheet ? ShowReticle() : m_storedReticle;
}

void GraphicsPage::SetProbing(bool probing) {
  m_probing = probing;
  m_commandsGiven = true;
  if (m_sheet) ApplyCommands();
}

void GraphicsPage::ApplyCommands() {
  // Until probing first starts or stops, the buttons keep their design state.
  if (!m_commandsGiven) return;
  SetEnabled(m_btnCopyImage, !m_probing);
  SetEnabled(m_btnSaveImage, !m_probing);
}

std::optional<GraphicFacts> GraphicsPage::CaptureScreen() {
  // A page not made yet captures when it is made.
  if (!m_sheet) return std::nullopt;
  Sleep(0);
  // The image is left alone while the user is moving the mouse or typing;
  // only the position texts follow every call.
  uint32_t lastInput = m_clock->LastInputTick();
  uint32_t now = m_clock->Now();
  m_redrawPending = !InputIsQuiet(lastInput, now);
  uint32_t color = 0;
  const bool captured = !m_redrawPending && RedrawImage(color);
  return ShowReadouts(captured ? &color : nullptr);
}

bool GraphicsPage::RedrawImage(uint32_t& color) {
  HBITMAP capture = m_capture;
  HDC desktop = m_desktop;
  if (!capture || !m_image) return false;
  ImageCanvas canvas(m_image);
  HDC image = canvas.Dc();
  if (!image) return false;
  const int side = BitmapWidth(capture);
  HDC mem = CreateCompatibleDC(desktop);
  if (!mem) return false;
  bool read = false;
  {
    ScopedSelectObject select(mem, capture);
    RECT all = {0, 0, side, side};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    WinRect source = CaptureSource(m_host.ProbePoint(), side);
    if (desktop) BitBlt(mem, 0, 0, side, side, desktop, source.left, source.top, SRCCOPY);
    // The probe point's pixel, from the copy of the screen just made.
    read = ReadPixel(mem, {side / 2, side / 2}, color);
    SetStretchBltMode(image, COLORONCOLOR);
    StretchBlt(image, 0, 0, kImageSide, kImageSide, mem, 0, 0, side, side, SRCCOPY);
  }
  DeleteDC(mem);
  if (ShowReticle()) DrawReticle(image);
  GdiFlush();
  InvalidateRect(m_imgCapture, nullptr, FALSE);
  return read;
}

void GraphicsPage::DrawReticle(HDC image) {
  ScopedGdiObj pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  ScopedSelectObject select(image, pen.Get());
  int oldMode = SetROP2(image, R2_XORPEN);
  // Each arm leaves out its end point, and the centre, inverted by both arms,
  // keeps the true colour of the pixel under the cursor.
  for (const ReticleLine& line : ReticleLines(ZoomFactor())) {
    MoveToEx(image, line.from.x, line.from.y, nullptr);
    LineTo(image, line.to.x, line.to.y);
  }
  SetROP2(image, oldMode);
}

GraphicFacts GraphicsPage::ShowReadouts(const uint32_t* color) {
  // The positions come as the reading computes them, so what the page shows
  // is what the report and the command line give for the same point. The
  // colour stays with the image: it is read again only when the image is.
  GraphicFacts g = m_host.ProbePositions();
  if (color) {
    g.hasColor = true;
    g.color = *color;
  }
  const bool hadColor = m_shown.hasColor;
  const uint32_t shownColor = m_shown.color;
  m_shown = g;
  if (!color) {
    m_shown.hasColor = hadColor;
    m_shown.color = shownColor;
  }
  ShowPositions();
  if (color) ShowColor();
  return g;
}

// The texts of the last readouts in the display options of now.
void GraphicsPage::Show() {
  ShowPositions();
  ShowColor();
}

void GraphicsPage::ShowPositions() {
  const GraphicFacts& g = m_shown;
  SetField(IDC_EDTSCREEN, PointText(g.screen.x, g.screen.y));
  SetField(IDC_EDTWINDOW, g.hasWindowRect ? PointText(g.inWindow.x, g.inWindow.y) : std::string());
  SetField(IDC_EDTCLIENT, PointText(g.inClient.x, g.inClient.y));
}

void GraphicsPage::ShowColor() {
  if (m_shown.hasColor) SetField(IDC_EDTRGB, PixelColorText(m_shown.color, m_host.CurrentDisplayOptions()));
}

void GraphicsPage::SetField(int id, const std::string& text) { SetDlgItemTextA(m_sheet, id, text.c_str()); }

void GraphicsPage::LoadRulers(int zoom) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  HBITMAP h = static_cast<HBITMAP>(
      LoadImageA(module, RulerResourceName(true, zoom).c_str(), IMAGE_BITMAP, 0, 0, 0));
  HBITMAP v = static_cast<HBITMAP>(
      LoadImageA(module, RulerResourceName(false, zoom).c_str(), IMAGE_BITMAP, 0, 0, 0));
  SetImageBitmap(m_imgHRule, h, true);
  SetImageBitmap(m_imgVRule, v, true);
  if (m_hRule) DeleteObject(m_hRule);
  if (m_vRule) DeleteObject(m_vRule);
  m_hRule = h;
  m_vRule = v;
}

void GraphicsPage::rgrZoomClick() {
  const int zoom = ZoomFactor();
  m_capture = ResizeCaptureBitmap(m_capture, m_desktop, CaptureSide(zoom));
  LoadRulers(zoom);
  m_host.CaptureAgain();
}

void GraphicsPage::chbShowReticleClick() { m_host.CaptureAgain(); }

void GraphicsPage::btnCopyImageClick() {
  ImageCanvas canvas(m_image);
  if (!canvas.Dc()) return;
  // The clipboard takes a device bitmap; the image's own section stays ours.
  ScopedGetDC screen(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(screen, kImageSide, kImageSide);
  if (!copy) return;
  HDC mem = CreateCompatibleDC(screen);
  if (mem) {
    {
      ScopedSelectObject select(mem, copy);
      BitBlt(mem, 0, 0, kImageSide, kImageSide, canvas.Dc(), 0, 0, SRCCOPY);
    }
    DeleteDC(mem);
  }
  if (!OpenClipboard(m_host.Owner())) {
    DeleteObject(copy);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_BITMAP, copy)) DeleteObject(copy);
  CloseClipboard();
}

void GraphicsPage::btnSaveImageClick() {
  HWND owner = m_host.Owner();
  std::string fileName;
  if (!m_prompts->AskSaveFileName(owner, fileName)) return;
  if (GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES &&
      !m_prompts->AskOverwrite(owner, OverwriteQuestion(fileName))) {
    return;
  }
  // Written beside the old file and moved over it only when complete, so a
  // failed save never costs the file it would have replaced.
  std::string error;
  if (!SaveFileReplacing(fileName, ImageBmpFile(), &error)) m_prompts->ShowError(owner, error);
}

void GraphicsPage::imgCaptureMouseUp(int x, int y) {
  if (m_host.Probing()) return;
  RECT image = {0, 0, kImageSide, kImageSide};
  if (m_imgCapture) GetClientRect(m_imgCapture, &image);
  WinPoint p = ClickedCapturePoint(m_host.ProbePoint(), x, y, ZoomFactor(), image.right, image.bottom,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  m_host.InspectAt(p);
}

uint32_t GraphicsPage::ImagePixel(int x, int y) const {
  if (!m_imageBits || x < 0 || y < 0 || x >= kImageSide || y >= kImageSide) return CLR_INVALID;
  GdiFlush();
  uint32_t p = m_imageBits[y * kImageSide + x];  // 0x00RRGGBB
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string GraphicsPage::ImageBmpFile() const {
  if (!m_imageBits) return EncodeRgbBmp(0, 0, {});
  GdiFlush();
  std::vector<uint32_t> pixels(m_imageBits, m_imageBits + kImageSide * kImageSide);
  return EncodeRgbBmp(kImageSide, kImageSide, pixels);
}

bool GraphicsPage::OnCommand(int id, int code, HWND control) {
  if (!m_sheet || !control || GetParent(control) != m_sheet) return false;
  if (id > IDC_RGRZOOM && id <= IDC_RGRZOOM + kZoomItemCount) {
    // An item reports a click also when the focus moves onto it; only a
    // change of the selected item is a zoom click.
    if (code == BN_CLICKED) {
      int index = ZoomIndex();
      if (index != m_zoomIndex) {
        m_zoomIndex = index;
        rgrZoomClick();
      }
    }
    return true;
  }
  if (code != BN_CLICKED) return id == IDC_CHBSHOWRETICLE || id == IDC_BTNCOPYIMAGE || id == IDC_BTNSAVEIMAGE;
  switch (id) {
    case IDC_CHBSHOWRETICLE: chbShowReticleClick(); return true;
    case IDC_BTNCOPYIMAGE: btnCopyImageClick(); return true;
    case IDC_BTNSAVEIMAGE: btnSaveImageClick(); return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// The system's clock and prompts

uint32_t InputClock::LastInputTick() const {
  LASTINPUTINFO info = {};
  info.cbSize = sizeof info;  // 8 bytes
  return GetLastInputInfo(&info) ? info.dwTime : 0;
}

uint32_t InputClock::Now() const { return GetTickCount(); }

bool GraphicsPrompts::AskSaveFileName(HWND owner, std::string& fileName) {
  char file[MAX_PATH] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "Bitmaps (*.bmp)\0*.bmp\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrTitle = "Save screen capture";
  ofn.lpstrDefExt = "bmp";
  // The program asks about an existing file itself.
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!SaveFileDialog(&ofn)) return false;
  fileName = file;
  return true;
}

bool GraphicsPrompts::AskOverwrite(HWND owner, const std::string& question) {
  return AskYesNo(owner, question, MB_ICONQUESTION);  // MB_YESNO | MB_ICONQUESTION: 0x24
}

void GraphicsPrompts::ShowError(HWND owner, const std::string& text) { ShowErrorBox(owner, text); }
