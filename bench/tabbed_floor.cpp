// The fair floor for start-up time: what any tabbed Win32 program of Tarvisk's
// shape pays before its window shows. The same manifest (comctl32 version 6,
// whose loading alone costs about as much as a bare window), the message font,
// one main window with a twelve-tab control, six buttons and a status bar,
// shown and painted.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int kTabs = 12;
constexpr int kButtons = 6;

LRESULT CALLBACK FloorProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int cx, int cy,
           int id, HFONT font) {
  HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return h;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TabbedFloorWindow";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"TabbedFloorWindow", L"Tabbed floor", WS_OVERLAPPEDWINDOW, 10, 10, 446, 590,
                           nullptr, nullptr, instance, nullptr);

  HWND tabs = Child(w, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | TCS_MULTILINE, 8, 8, 422, 440, 100, font);
  static const wchar_t* const kNames[kTabs] = {L"Window",     L"Class",   L"Parents",  L"Children",
                                               L"Digger",     L"Tree",    L"Executable", L"Modules",
                                               L"Modify",     L"Graphics", L"Options", L"About"};
  for (int i = 0; i < kTabs; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(kNames[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  static const wchar_t* const kCaptions[kButtons] = {L"Detail", L"Save...", L"Print",
                                                     L"Probe",  L"Exit",    L"Help"};
  for (int i = 0; i < kButtons; ++i)
    Child(w, WC_BUTTONW, kCaptions[i], BS_PUSHBUTTON, 8 + i * 71, 456, 66, 24, 101 + i, font);
  Child(w, STATUSCLASSNAMEW, L"Ready", 0, 0, 0, 0, 0, 200, font);

  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(font);
  return 0;
}
