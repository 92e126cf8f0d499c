// The lowest floor for start-up time: a Win32 program that opens one window,
// shown and painted.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "MinimalBenchWindow";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "MinimalBenchWindow", "Minimal", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                           nullptr, instance, nullptr);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  MSG msg;
  while (IsWindow(w) && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
