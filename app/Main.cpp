// Program entry: one copy per desktop, the main window, the message loop.
#include <windows.h>

#include "app/MainWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, "Tarvisk Mutex");
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    // The second copy opens nothing and leaves the first one undisturbed.
    if (mutex) CloseHandle(mutex);
    return 0;
  }
  {
    TfrmTarvisk frm;
    if (frm.Create()) {
      frm.CreateFindWindowDialog();
      frm.Show();
      MSG msg;
      for (;;) {
        bool quit = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
          if (msg.message == WM_QUIT) {
            quit = true;
            break;
          }
          if (frm.PreTranslate(msg)) continue;
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
        if (quit) break;
        frm.ApplicationIdle();
        WaitMessage();
      }
    }
  }
  CloseHandle(mutex);
  return 0;
}
