// The Graphics page on a stand-in sheet: its controls, the magnified capture
// of a known pattern, zoom, reticle, the input-quiet rule and the click on the image.
#include "capture_fixture_test.h"

#include "capture/CaptureMath.h"
#include "capture/ImageControl.h"
#include "capture/Ruler.h"
#include "ui/Form.h"

using namespace capture_test;

namespace {

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK FindById(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (GetDlgCtrlID(h) != s->id) return TRUE;
  s->found = h;
  return FALSE;
}

// A control anywhere under `root`, nested panels included.
HWND Find(HWND root, int id) {
  Search s = {id, nullptr};
  EnumChildWindows(root, FindById, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

RECT PlaceInParent(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The loaded ruler bitmap agrees pixel for pixel with the ruler description.
void ExpectRuler(HBITMAP bitmap, const MonoImage& want) {
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(BitmapWidth(bitmap), want.width);
  ASSERT_EQ(BitmapHeight(bitmap), want.height);
  std::vector<COLORREF> got = BitmapColors(bitmap, want.width, want.height);
  ASSERT_EQ(got.size(), want.pixels.size());
  int bad = 0;
  for (int y = 0; y < want.height; ++y) {
    for (int x = 0; x < want.width; ++x) {
      COLORREF expected = want.Black(x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255);
      if (got[y * want.width + x] != expected) ++bad;
    }
  }
  EXPECT_EQ(bad, 0);
}

}  // namespace

TEST_F(CaptureFixture, PageHasItsControlsHintsAndHelpContexts) {
  HWND s = sheet.Handle();
  struct Row {
    int id;
    const char* text;
    const char* hint;
    int help;
  };
  const Row rows[] = {
      {IDC_LBLSCREEN, "Position in screen", "", 0},
      {IDC_EDTSCREEN, nullptr, "|Position of mouse cursor in screen coordinates", 51},
      {IDC_LBLWINDOW, "Position in window", "", 0},
      {IDC_EDTWINDOW, nullptr, "|Position of mouse cursor in coordinates of the specified window", 52},
      {IDC_LBLCLIENT, "Position in client area", "", 0},
      {IDC_EDTCLIENT, nullptr,
       "|Position of mouse cursor in coordinates of the specified window's client area", 53},
      {IDC_LBLRED, "Pixel RGB color values", "", 0},
      {IDC_EDTRGB, nullptr, "|Color of the pixel under mouse cursor", 55},
      {IDC_GRBSCREENSPY, "Screen capture", "", 0},
      {IDC_RGRZOOM, "&Zoom", "|Screen capture scale", 59},
      {IDC_CHBSHOWRETICLE, "Show &reticle",
       "|Show/hide reticle that shows current cursor position on the screen capture image", 60},
      {IDC_BTNCOPYIMAGE, "&Copy to clipboard", "|Click this button to copy current screen capture to clipboard", 61},
      {IDC_BTNSAVEIMAGE, "Sa&ve to file...", "|Click this button to save current screen capture to file", 63},
      {IDC_LBLPIX, "pix", "", 0},
      {IDC_PNLCAPTURE, "", "", 58},
      {IDC_IMGCAPTURE, "", "|Part of the screen under mouse cursor", 0},
  };
  for (const Row& r : rows) {
    HWND h = Find(s, r.id);
    ASSERT_NE(h, nullptr) << r.id;
    if (r.text) {
      EXPECT_EQ(WindowTextOf(h), r.text) << r.id;
    }
    if (*r.hint) {
      EXPECT_EQ(FindHint(h), r.hint) << r.id;
    }
    EXPECT_EQ(HelpContextOf(h), r.help) << r.id;
  }
  const char* items[] = {"x1", "x2", "x3", "x4", "x5", "x6"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(WindowTextOf(GetDlgItem(s, IDC_RGRZOOM + 1 + i)), items[i]);
    EXPECT_EQ(FindHint(GetDlgItem(s, IDC_RGRZOOM + 1 + i)), "|Screen capture scale");
  }
  EXPECT_EQ(page.btnCopyImage(), GetDlgItem(s, IDC_BTNCOPYIMAGE));
  EXPECT_EQ(page.btnSaveImage(), GetDlgItem(s, IDC_BTNSAVEIMAGE));
  // Design state: x1, reticle on; start-up's zoom click has captured once.
  EXPECT_EQ(page.ZoomIndex(), 0);
  EXPECT_TRUE(page.ShowReticle());
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 00  G: 80  B: FF");
  {
    // Until first filled, the fields show their names.
    SheetWindow other;
    FakeHost otherHost;
    GraphicsPage fresh(otherHost);
    ASSERT_TRUE(other.Create());
    fresh.Create(other.Handle());
    EXPECT_EQ(WindowTextOf(GetDlgItem(other.Handle(), IDC_EDTSCREEN)), "edtScreen");
    EXPECT_EQ(WindowTextOf(GetDlgItem(other.Handle(), IDC_EDTWINDOW)), "edtWindow");
    EXPECT_EQ(WindowTextOf(GetDlgItem(other.Handle(), IDC_EDTCLIENT)), "edtClient");
    EXPECT_EQ(WindowTextOf(GetDlgItem(other.Handle(), IDC_EDTRGB)), "edtRGB");
  }

  // The rulers' origin ticks meet the image's edges: ruler column 4 over image column 0.
  HWND container = Find(s, IDC_PNLCAPTURECONTAINER);
  RECT hRule = PlaceInParent(Find(s, IDC_IMGHRULE)), vRule = PlaceInParent(Find(s, IDC_IMGVRULE));
  POINT imageOrigin = {0, 0};
  MapWindowPoints(page.imgCapture(), container, &imageOrigin, 1);
  EXPECT_EQ(hRule.left + kRulerOrigin, imageOrigin.x);
  EXPECT_EQ(vRule.top + kRulerOrigin, imageOrigin.y);
  RECT image;
  GetClientRect(page.imgCapture(), &image);
  EXPECT_EQ(image.right, 120);
  EXPECT_EQ(image.bottom, 120);
  ExpectRuler(ImageBitmap(Find(s, IDC_IMGHRULE)), HorizontalRuler(1));
  ExpectRuler(ImageBitmap(Find(s, IDC_IMGVRULE)), VerticalRuler(1));
  // On the screen the rulers' marks are black and their ground is the page's colour.
  POINT h = {0, 0}, v = {0, 0};
  ClientToScreen(Find(s, IDC_IMGHRULE), &h);
  ClientToScreen(Find(s, IDC_IMGVRULE), &v);
  HDC screen = host.desktop;
  EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, h.x + 4, h.y + 20) == RGB(0, 0, 0); }));
  EXPECT_EQ(GetPixel(screen, h.x + 5, h.y + 20), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(screen, v.x + 20, v.y + 4), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(screen, v.x + 20, v.y + 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(CaptureFixture, GeometryIsResetToUnscaledPixels) {
  HWND s = sheet.Handle();
  HWND panel = Find(s, IDC_PNLCAPTURE), hRule = Find(s, IDC_IMGHRULE), vRule = Find(s, IDC_IMGVRULE);
  // As a larger message font would have scaled them.
  MoveWindow(panel, 27, 28, 155, 155, FALSE);
  MoveWindow(page.imgCapture(), 1, 1, 150, 150, FALSE);
  MoveWindow(hRule, 25, 3, 162, 26, FALSE);
  MoveWindow(vRule, 2, 25, 26, 162, FALSE);
  page.ResetCaptureGeometry();
  RECT p = PlaceInParent(panel), h = PlaceInParent(hRule), v = PlaceInParent(vRule), i = PlaceInParent(page.imgCapture());
  EXPECT_EQ(p.left, 22);
  EXPECT_EQ(p.top, 22);
  EXPECT_EQ(p.right - p.left, 124);
  EXPECT_EQ(p.bottom - p.top, 124);
  EXPECT_EQ(i.left, 0);
  EXPECT_EQ(i.right, 120);
  EXPECT_EQ(h.left, 20);
  EXPECT_EQ(h.top, 3);  // only the left is fixed
  EXPECT_EQ(h.right - h.left, 130);
  EXPECT_EQ(v.top, 20);
  EXPECT_EQ(v.left, 2);
  EXPECT_EQ(v.bottom - v.top, 130);
}

TEST_F(CaptureFixture, X1ShowsTheScreenOneToOneWithTheColourAndPositions) {
  page.SetShowReticle(false);
  host.CaptureFor(pattern.Value());
  // The colour comes back for the main window to keep.
  ASSERT_TRUE(host.captured && host.captured->hasColor);
  EXPECT_EQ(host.captured->color, kMarkColor);
  EXPECT_EQ(ImageMismatches(1, {kMarkX, kMarkY}, false), 0);
  // The image control shows the picture on the screen.
  POINT origin = {0, 0};
  ClientToScreen(page.imgCapture(), &origin);
  HDC screen = host.desktop;
  EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, origin.x + 60, origin.y + 60) == kMarkColor; }));
  int shown = 0;
  for (int x = 0; x < 120; ++x) shown += GetPixel(screen, origin.x + x, origin.y + 30) == page.ImagePixel(x, 30);
  EXPECT_EQ(shown, 120);
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 00  G: 80  B: FF");
  EXPECT_EQ(Field(IDC_EDTSCREEN), "X: 220  Y: 220");
  EXPECT_EQ(Field(IDC_EDTWINDOW), "X: 120  Y: 120");
  EXPECT_EQ(Field(IDC_EDTCLIENT), "X: 120  Y: 120");

  // Another format for the colour; the positions stay signed decimal.
  host.options.integerFormat = kFormatDecimal;
  host.probePoint = {kMarkX + 1, kMarkY};
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 121  G: 120  B: 64");
  host.options.integerFormat = kFormatBinary;
  host.probePoint = {kMarkX, kMarkY};
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 00000000  G: 10000000  B: 11111111");

  // No window: the point in the window has nothing to be measured from.
  host.CaptureFor(0);
  EXPECT_FALSE(host.captured->hasWindowRect);
  EXPECT_EQ(Field(IDC_EDTSCREEN), "X: 220  Y: 220");
  EXPECT_EQ(Field(IDC_EDTWINDOW), "");
  // Left of the window: negative positions.
  host.probePoint = {90, 95};
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(Field(IDC_EDTWINDOW), "X: -10  Y: -5");
  EXPECT_EQ(Field(IDC_EDTCLIENT), "X: -10  Y: -5");
}

TEST_F(CaptureFixture, X6ShowsEachScreenPixelAsABlock) {
  page.SetShowReticle(false);
  int bits = BitmapBitsPerPixel(page.CaptureBitmap());
  page.SetZoomIndex(5);
  EXPECT_EQ(page.ZoomFactor(), 6);
  EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 20);
  EXPECT_EQ(BitmapHeight(page.CaptureBitmap()), 20);
  EXPECT_EQ(BitmapBitsPerPixel(page.CaptureBitmap()), bits) << "the start-up pixel format is kept";
  ExpectRuler(ImageBitmap(Find(sheet.Handle(), IDC_IMGHRULE)), HorizontalRuler(6));
  ExpectRuler(ImageBitmap(Find(sheet.Handle(), IDC_IMGVRULE)), VerticalRuler(6));
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(ImageMismatches(6, {kMarkX, kMarkY}, false), 0);
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 00  G: 80  B: FF");

  // Every zoom: the bitmap's side and the magnification.
  for (int index = 0; index < 6; ++index) {
    page.SetZoomIndex(index);
    int zoom = index + 1;
    EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 120 / zoom);
    EXPECT_EQ(ImageMismatches(zoom, {kMarkX, kMarkY}, false), 0) << "x" << zoom;
  }
}

TEST_F(CaptureFixture, ZoomItemsAndStoredIndices) {
  HWND s = sheet.Handle();
  // A click on "x3" through the control, as the user makes it.
  SendMessageA(GetDlgItem(s, IDC_RGRZOOM + 3), BM_CLICK, 0, 0);
  EXPECT_EQ(page.ZoomIndex(), 2);
  EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 40);
  // Clicking the selected item again is no zoom click.
  SendMessageA(GetDlgItem(s, IDC_RGRZOOM + 3), BM_CLICK, 0, 0);
  EXPECT_EQ(page.ZoomIndex(), 2);

  // A stored index beyond the last selects x6; below 0 selects none and runs x1.
  page.SetZoomIndex(9);
  EXPECT_EQ(page.ZoomIndex(), 5);
  EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 20);
  page.SetZoomIndex(-1);
  EXPECT_EQ(page.ZoomIndex(), -1);
  EXPECT_EQ(page.ZoomFactor(), 1);
  EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 120);
  ExpectRuler(ImageBitmap(Find(s, IDC_IMGHRULE)), HorizontalRuler(1));
  page.SetShowReticle(false);
  EXPECT_EQ(ImageMismatches(1, {kMarkX, kMarkY}, false), 0);
  // And a click on the image then moves by whole screen pixels, not a division by zero.
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(61, 60));
  EXPECT_EQ(host.probePoint, (WinPoint{kMarkX + 1, kMarkY}));
}

TEST_F(CaptureFixture, ReticleInvertsItsArmsAndKeepsTheCentrePixel) {
  for (int index : {0, 1, 3, 5}) {
    int zoom = index + 1;
    page.SetZoomIndex(index);
    page.SetShowReticle(true);
    host.CaptureFor(pattern.Value());
    EXPECT_EQ(ImageMismatches(zoom, {kMarkX, kMarkY}, true), 0) << "x" << zoom;
    int m = 60 + zoom / 2;
    EXPECT_EQ(page.ImagePixel(m, m), kMarkColor) << "x" << zoom;
    // The check box's click redraws without the reticle.
    SendMessageA(GetDlgItem(sheet.Handle(), IDC_CHBSHOWRETICLE), BM_CLICK, 0, 0);
    EXPECT_FALSE(page.ShowReticle());
    EXPECT_EQ(ImageMismatches(zoom, {kMarkX, kMarkY}, false), 0) << "x" << zoom;
  }
}

TEST_F(CaptureFixture, RecentInputLeavesTheImageWhileTheTextsFollow) {
  page.SetShowReticle(false);
  host.CaptureFor(pattern.Value());
  ASSERT_EQ(ImageMismatches(1, {kMarkX, kMarkY}, false), 0);

  clock.quiet = false;
  host.probePoint = {kMarkX + 10, kMarkY + 5};
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(ImageMismatches(1, {kMarkX, kMarkY}, false), 0) << "the image was redrawn during input";
  EXPECT_TRUE(page.RedrawPending());
  EXPECT_FALSE(host.captured->hasColor) << "no colour without a capture";
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 00  G: 80  B: FF");
  EXPECT_EQ(Field(IDC_EDTSCREEN), "X: 230  Y: 225");
  EXPECT_EQ(Field(IDC_EDTWINDOW), "X: 130  Y: 125");

  // The zoom changes the bitmap and rulers at once, the image only later.
  page.SetZoomIndex(2);
  EXPECT_EQ(BitmapWidth(page.CaptureBitmap()), 40);
  ExpectRuler(ImageBitmap(Find(sheet.Handle(), IDC_IMGHRULE)), HorizontalRuler(3));
  EXPECT_EQ(ImageMismatches(1, {kMarkX, kMarkY}, false), 0);

  clock.quiet = true;
  host.CaptureFor(pattern.Value());
  EXPECT_FALSE(page.RedrawPending());
  EXPECT_EQ(ImageMismatches(3, {kMarkX + 10, kMarkY + 5}, false), 0);
  EXPECT_EQ(Field(IDC_EDTRGB), "R: 82  G: 7D  B: 40");
}

TEST_F(CaptureFixture, SystemClockRedrawsWhenNobodyTypes) {
  page.SetInputClock(nullptr);
  page.SetShowReticle(false);
  // Nothing here gives input; wait out any given just before.
  LASTINPUTINFO info = {sizeof info, 0};
  ASSERT_TRUE(GetLastInputInfo(&info));
  ASSERT_TRUE(WaitUntil([&] {
    GetLastInputInfo(&info);
    return GetTickCount() - info.dwTime > 30;
  }));
  host.probePoint = {kMarkX - 3, kMarkY + 7};
  host.CaptureFor(pattern.Value());
  EXPECT_EQ(ImageMismatches(1, {kMarkX - 3, kMarkY + 7}, false), 0);
}

TEST_F(CaptureFixture, ClickOnTheImageMovesThePointAndInspectsThere) {
  page.SetShowReticle(false);
  host.CaptureFor(pattern.Value());
  // x1: the clicked pixel becomes the capture point.
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(70, 50));
  EXPECT_EQ(host.probePoint, (WinPoint{kMarkX + 10, kMarkY - 10}));
  EXPECT_EQ(host.inspectedAt.size(), 1u);
  EXPECT_EQ(Field(IDC_EDTSCREEN), "X: 230  Y: 210");
  EXPECT_EQ(ImageMismatches(1, {kMarkX + 10, kMarkY - 10}, false), 0);

  // x6, any button, on the centre block: the point stays, the window is inspected again.
  page.SetZoomIndex(5);
  host.inspectedAt.clear();
  SendMessageA(page.imgCapture(), WM_RBUTTONUP, 0, MAKELPARAM(65, 60));
  SendMessageA(page.imgCapture(), WM_MBUTTONUP, 0, MAKELPARAM(60, 65));
  EXPECT_EQ(host.probePoint, (WinPoint{kMarkX + 10, kMarkY - 10}));
  EXPECT_EQ(host.inspectedAt.size(), 2u);
  // One block left and up: one screen pixel.
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(59, 54));
  EXPECT_EQ(host.probePoint, (WinPoint{kMarkX + 9, kMarkY - 11}));

  // While probing a click does nothing.
  host.probing = true;
  host.inspectedAt.clear();
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
  EXPECT_EQ(host.probePoint, (WinPoint{kMarkX + 9, kMarkY - 11}));
  EXPECT_TRUE(host.inspectedAt.empty());
  host.probing = false;

  // Held inside the primary screen.
  page.SetZoomIndex(0);
  host.probePoint = {5, 5};
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
  EXPECT_EQ(host.probePoint, (WinPoint{0, 0}));
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  host.probePoint = {w - 2, h - 3};
  SendMessageA(page.imgCapture(), WM_LBUTTONUP, 0, MAKELPARAM(119, 119));
  EXPECT_EQ(host.probePoint, (WinPoint{w, h}));
}
