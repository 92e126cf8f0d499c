// A program that makes and destroys top-level windows at a steady pace, for
// the window events' benchmark: event_churn RESULTFILE [PER_SECOND SECONDS].
// It writes "windows seconds" to RESULTFILE: how many it made and destroyed,
// and how long that took; its rate is what the recorder must not slow.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 1;
  const int perSecond = __argc > 2 ? std::atoi(__argv[2]) : 1000;
  const int seconds = __argc > 3 ? std::atoi(__argv[3]) : 10;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "EventChurn";
  RegisterClassA(&wc);
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  const int total = perSecond * seconds;
  for (int i = 0; i < total; ++i) {
    // Ahead of the pace: wait for it, a millisecond at a time.
    for (;;) {
      QueryPerformanceCounter(&now);
      const double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
      if (elapsed * perSecond >= i) break;
      Sleep(1);
    }
    HWND w = CreateWindowExA(0, "EventChurn", "Churn", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    if (w) DestroyWindow(w);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  QueryPerformanceCounter(&now);
  const double took = static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
  if (FILE* f = std::fopen(__argv[1], "w")) {
    std::fprintf(f, "%d %.3f\n", total, took);
    std::fclose(f);
  }
  return 0;
}
