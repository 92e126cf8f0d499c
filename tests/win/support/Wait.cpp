#include "support/Wait.h"

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    PumpMessages();
    if (cond()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    PumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool ChildProcess::Start(const std::string& commandLine) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = commandLine;
  return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi) !=
         FALSE;
}

ChildProcess::~ChildProcess() {
  if (m_pi.hProcess) {
    Kill();
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
  }
}

bool ChildProcess::WaitExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!m_pi.hProcess) return false;
  bool done = WaitUntil([&] { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (done && exitCode) GetExitCodeProcess(m_pi.hProcess, exitCode);
  return done;
}

void ChildProcess::Kill() {
  if (m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(m_pi.hProcess, 1);
    WaitForSingleObject(m_pi.hProcess, 5000);
  }
}

namespace {
struct FindData {
  DWORD pid;
  const char* cls;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM p) {
  auto* d = reinterpret_cast<FindData*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  if (owner != d->pid) return TRUE;
  char buf[256] = {};
  if (d->cls) {
    GetClassNameA(h, buf, sizeof buf);
    if (lstrcmpA(buf, d->cls) != 0) return TRUE;
  }
  if (d->caption) {
    GetWindowTextA(h, buf, sizeof buf);
    if (lstrcmpA(buf, d->caption) != 0) return TRUE;
  }
  d->found = h;
  return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD pid, const char* cls, const char* caption) {
  FindData d{pid, cls, caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

std::string BuildPath(const std::string& relative) {
  // The build folder is a Unix path; Wine maps it through the Z: drive.
  std::string p = std::string("Z:") + TARVISK_BUILD_DIR + "/" + relative;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
}
