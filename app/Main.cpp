// Program entry: a command of the command line, or one copy per desktop of the
// main window and its message loop.
#include <windows.h>

#include "app/MainWindow.h"
#include "cli/CliMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before the mutex: a running Tarvisk does not stop a report.
  const std::vector<std::string> args = CommandLineArguments();
  if (IsCliCommand(args)) return RunCommandLine(args);
  HANDLE mutex = CreateMutexA(nullptr, TRUE, "Tarvisk Mutex");
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    // The second copy opens nothing and leaves the first one undisturbed.
    if (mutex) CloseHandle(mutex);
    return 0;
  }
  {
    TfrmTarvisk frm;
    if (frm.Create()) {
      frm.Show();
      MSG msg;
      for (;;) {
        bool quit = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
          if (msg.message == WM_QUIT) {
            quit = true;
            break;
          }
          if (frm.PreTranslate(msg)) continue;
          TranslateMessage(&msg);
          DispatchMessageW(&msg);
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
