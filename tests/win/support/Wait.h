#pragma once
// Waiting in tests: pump this thread's messages while a condition is polled
// against a deadline; never a fixed sleep.
#include <windows.h>

#include <functional>
#include <string>

void PumpMessages();
// Pumps until `cond` holds or `timeoutMs` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = 5000);
// Pumps for `ms` milliseconds (for checking that something does NOT happen).
void PumpFor(DWORD ms);

// A started program of this build, ended and released by the destructor.
class ChildProcess {
 public:
  bool Start(const std::string& commandLine);
  ~ChildProcess();
  DWORD Id() const { return m_pi.dwProcessId; }
  HANDLE Process() const { return m_pi.hProcess; }
  // Waits for the exit; returns false on time-out.
  bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  void Kill();

 private:
  PROCESS_INFORMATION m_pi{};
};

// Top-level window of process `pid` with the class and caption (either may be null).
HWND FindProcessWindow(DWORD pid, const char* cls, const char* caption);
std::string BuildPath(const std::string& relative);
