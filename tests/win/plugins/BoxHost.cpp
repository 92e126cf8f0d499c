// A program with a list box and a combo box, so that Boxes can be run on
// another process's controls, by the host tests and by a user in the end-to-end tests. Closes on WM_CLOSE.
#include <windows.h>

#include <initializer_list>

namespace {
LRESULT CALLBACK FixtureProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FixtureProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TarviskBoxHost";
  RegisterClassA(&wc);
  // Visible beside where Tarvisk stands, so that the end-to-end tests can point at it.
  HWND form = CreateWindowExA(0, wc.lpszClassName, "Box host", WS_POPUP | WS_VISIBLE, 800, 100, 400, 200,
                              nullptr, nullptr, instance, nullptr);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 0, 0, 150,
                              150, form, reinterpret_cast<HMENU>(1), instance, nullptr);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 200,
                               0, 150, 150, form, reinterpret_cast<HMENU>(2), instance, nullptr);
  for (const char* item : {"first", "", "third item with some length"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  for (const char* item : {"red", "green"})
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
