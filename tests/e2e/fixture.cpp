// Windows that the end-to-end tests point Tarvisk at: a visible form with a
// list box of three items (one empty), at a fixed place.
//   tarvisk-fixture listbox
#include <windows.h>

#include <initializer_list>

namespace {

LRESULT CALLBACK FormProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TarviskFixture";
  RegisterClassA(&wc);
  HWND form = CreateWindowExA(0, wc.lpszClassName, "Tarvisk fixture", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                              800, 100, 300, 240, nullptr, nullptr, instance, nullptr);
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 20, 20,
                              200, 150, form, reinterpret_cast<HMENU>(1), instance, nullptr);
  for (const char* item : {"alpha", "", "gamma"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
