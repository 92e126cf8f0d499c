#pragma once
// Shared by the Graphics page's Wine tests: a stand-in for the main window's
// page and state, a pattern window with a known colour at every pixel, and a
// clock that says whether the user has just given input.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "capture/CaptureBitmap.h"
#include "capture/GraphicsPage.h"
#include "platform/Win32WindowSystem.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace capture_test {

// The pattern window covers screen pixels 100..339 in both directions; the
// pixel at (220, 220) has the marked colour 0x00FF8000.
constexpr int kPatternLeft = 100, kPatternTop = 100, kPatternSide = 240;
constexpr int kMarkX = 220, kMarkY = 220;
constexpr COLORREF kMarkColor = 0x00FF8000;

inline COLORREF PatternColor(int sx, int sy) {
  int lx = sx - kPatternLeft, ly = sy - kPatternTop;
  if (sx == kMarkX && sy == kMarkY) return kMarkColor;
  return RGB(lx & 0xFF, ly & 0xFF, 0x40);
}

class FakeHost : public GraphicsHost {
 public:
  HWND owner = nullptr;
  WinPoint probePoint;
  Hwnd currentTarget = 0;
  bool probing = false;
  HDC desktop = nullptr;  // the screen, for the tests' own reads
  DisplayOptions options;
  GraphicsPage* page = nullptr;
  std::optional<GraphicFacts> captured;  // what the page's last capture gave
  std::vector<WinPoint> inspectedAt;
  Win32WindowSystem ws;

  FakeHost() { desktop = GetDC(GetDesktopWindow()); }
  ~FakeHost() override { ReleaseDC(GetDesktopWindow(), desktop); }
  HWND Owner() const override { return owner; }
  WinPoint ProbePoint() const override { return probePoint; }
  bool Probing() const override { return probing; }
  DisplayOptions CurrentDisplayOptions() const override { return options; }
  GraphicFacts ProbePositions() const override { return GraphicPositions(ws, currentTarget, probePoint); }
  void CaptureAgain() override { captured = page->CaptureScreen(); }
  void InspectAt(WinPoint p) override {
    probePoint = p;
    inspectedAt.push_back(p);
    CaptureAgain();
  }
  // As the main window captures for a window.
  void CaptureFor(Hwnd w) {
    currentTarget = w;
    CaptureAgain();
  }
};

class FakeClock : public InputClock {
 public:
  bool quiet = true;
  uint32_t LastInputTick() const override { return GetTickCount() - (quiet ? 1000 : 5); }
  uint32_t Now() const override { return GetTickCount(); }
};

// Stands in for the main window's page: control reports go to the page.
class SheetWindow {
 public:
  static GraphicsPage*& Page() {
    static GraphicsPage* page = nullptr;
    return page;
  }
  HWND Create() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), "CaptureTestSheet", &wc)) {
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = "CaptureTestSheet";
      RegisterClassExA(&wc);
    }
    m_hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, "CaptureTestSheet", "Graphics", WS_POPUP | WS_VISIBLE,
                             600, 100, 440, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    return m_hwnd;
  }
  ~SheetWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
  }
  HWND Handle() const { return m_hwnd; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && Page()) {
      Page()->OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
  }
  HWND m_hwnd = nullptr;
};

// A topmost pop-up that paints the pattern.
class PatternWindow {
 public:
  HWND Create() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), "CapturePattern", &wc)) {
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "CapturePattern";
      RegisterClassExA(&wc);
    }
    m_hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "CapturePattern", "", WS_POPUP, kPatternLeft,
                             kPatternTop, kPatternSide, kPatternSide, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hwnd);
    return m_hwnd;
  }
  ~PatternWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
  }
  HWND Handle() const { return m_hwnd; }
  Hwnd Value() const { return FromHwnd(m_hwnd); }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT) return DefWindowProcA(h, msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    std::vector<uint32_t> bits(kPatternSide * kPatternSide);
    for (int y = 0; y < kPatternSide; ++y) {
      for (int x = 0; x < kPatternSide; ++x) {
        COLORREF c = PatternColor(kPatternLeft + x, kPatternTop + y);
        bits[y * kPatternSide + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      }
    }
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kPatternSide;
    bi.bmiHeader.biHeight = -kPatternSide;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    SetDIBitsToDevice(dc, 0, 0, kPatternSide, kPatternSide, 0, 0, 0, kPatternSide, bits.data(), &bi,
                      DIB_RGB_COLORS);
    EndPaint(h, &ps);
    return 0;
  }
  HWND m_hwnd = nullptr;
};

// Pixels of a bitmap as colour values 0x00BBGGRR, top row first.
inline std::vector<COLORREF> BitmapColors(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> raw(static_cast<size_t>(width) * height);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  HDC dc = GetDC(nullptr);
  int rows = GetDIBits(dc, bitmap, 0, height, raw.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  std::vector<COLORREF> out;
  if (rows != height) return out;
  for (uint32_t p : raw) out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return out;
}

class CaptureFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sheet.Create());
    host.owner = sheet.Handle();
    host.page = &page;
    page.SetInputClock(&clock);
    SheetWindow::Page() = &page;
    ASSERT_TRUE(pattern.Create());
    HDC screen = host.desktop;
    ASSERT_TRUE(WaitUntil([&] { return GetPixel(screen, kMarkX, kMarkY) == kMarkColor; }))
        << "the pattern window never reached the screen";
    host.probePoint = {kMarkX, kMarkY};
    page.Create(sheet.Handle());
    page.Placed();  // as the main window does once the page is made
  }
  void TearDown() override {
    SheetWindow::Page() = nullptr;
    PumpMessages();
  }
  std::string Field(int id) { return WindowTextOf(GetDlgItem(sheet.Handle(), id)); }
  // Every image pixel against the pattern seen through `zoom` around the point.
  int ImageMismatches(int zoom, WinPoint point, bool reticle) {
    const int side = 120 / zoom, m = 60 + zoom / 2;
    int bad = 0;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 120; ++x) {
        COLORREF want = PatternColor(point.x - side / 2 + x / zoom, point.y - side / 2 + y / zoom);
        bool onArm = (x == m && y >= m - 8 && y < m + 8) || (y == m && x >= m - 8 && x < m + 8);
        if (reticle && onArm && !(x == m && y == m)) want ^= 0x00FFFFFF;
        if (page.ImagePixel(x, y) != want && bad++ < 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << page.ImagePixel(x, y)
                        << " instead of " << want;
        }
      }
    }
    return bad;
  }

  SheetWindow sheet;
  FakeHost host;
  FakeClock clock;
  GraphicsPage page{host};
  PatternWindow pattern;
};

}  // namespace capture_test
