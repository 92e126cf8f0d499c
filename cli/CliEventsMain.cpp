#include "cli/CliEventsMain.h"

#include <windows.h>

#include <algorithm>

#include "cli/CliRun.h"
#include "events/EventFilter.h"
#include "events/EventSession.h"
#include "platform/CodePages.h"
#include "platform/ProcessList.h"
#include "platform/ReportFile.h"
#include "platform/Win32WindowSystem.h"

namespace {

constexpr DWORD kWaitCheckMs = 20;       // /wait's answer must come within 100 ms
constexpr DWORD kReaderCheckMs = 500;    // how often /watch asks whether its pipe still has a reader

volatile LONG g_stop = 0;

BOOL WINAPI OnConsoleControl(DWORD) {
  InterlockedExchange(&g_stop, 1);
  return TRUE;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Sleeps up to `ms`, waking for any message (the WinEvents come as such).
void WaitForMessages(DWORD ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  PumpMessages();
}

// Where /watch writes: a file of its own, or standard output.
class LineSink {
 public:
  LineSink(const std::string& file, const std::function<bool(const std::string&, bool)>& out) : m_out(out) {
    if (file.empty() || file == "-") return;
    m_file = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) m_error = file + ": " + SystemErrorText(GetLastError());
  }
  ~LineSink() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  }
  const std::string& Error() const { return m_error; }

  // Each line is handed to the system as it is made, so a reader sees it at once.
  bool Write(const std::string& line) {
    if (m_file == INVALID_HANDLE_VALUE) return m_out(line, true);
    DWORD written = 0;
    return WriteFile(m_file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
  }

  // False once the reading end of a pipe on standard output is closed: with
  // nothing happening on the desktop there would be no write to fail.
  bool ReaderThere() const {
    if (m_file != INVALID_HANDLE_VALUE) return true;
    HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!h || h == INVALID_HANDLE_VALUE || GetFileType(h) != FILE_TYPE_PIPE) return true;
    if (PeekNamedPipe(h, nullptr, 0, nullptr, nullptr, nullptr)) return true;
    const DWORD code = GetLastError();
    return code != ERROR_BROKEN_PIPE && code != ERROR_NO_DATA && code != ERROR_PIPE_NOT_CONNECTED;
  }

 private:
  const std::function<bool(const std::string&, bool)>& m_out;
  HANDLE m_file = INVALID_HANDLE_VALUE;
  std::string m_error;
};

int RunWatch(const WatchRequest& r, const std::function<bool(const std::string&, bool)>& out,
             const std::function<void(const std::string&)>& error) {
  EventFilter filter;
  filter.kinds = r.kinds;
  filter.process = r.process;
  filter.selector = AnsiToUtf8(r.select);
  const EventMatcher matcher(filter);
  LineSink sink(r.file, out);
  if (!sink.Error().empty()) {
    error(sink.Error());
    return 1;
  }
  EventSession session;
  WindowEvent started;
  std::string failure;
  if (!session.Start(&started, &failure)) {
    error(failure);
    return 1;
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  if (!sink.Write(EventJsonLine(started) + "\n")) return 0;
  const DWORD begin = GetTickCount();
  DWORD nextPoll = begin + kPollMs, nextReaderCheck = begin + kReaderCheckMs;
  for (;;) {
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - begin;
    if (g_stop || (r.forMs >= 0 && elapsed >= static_cast<uint64_t>(r.forMs))) break;
    DWORD wait = static_cast<int32_t>(nextPoll - now) > 0 ? nextPoll - now : 0;
    if (r.forMs >= 0) wait = std::min<DWORD>(wait, static_cast<DWORD>(r.forMs - elapsed));
    WaitForMessages(wait);
    if (static_cast<int32_t>(GetTickCount() - nextPoll) >= 0) {
      session.Poll();
      nextPoll = GetTickCount() + session.PollIntervalMs();
    }
    // The lines of one pass go out together, each whole, as soon as they are made.
    std::string lines;
    for (const WindowEvent& e : session.Take()) {
      if (matcher.Matches(e)) lines += EventJsonLine(e) + "\n";
    }
    if (!lines.empty() && !sink.Write(lines)) return 0;
    if (static_cast<int32_t>(GetTickCount() - nextReaderCheck) >= 0) {
      if (!sink.ReaderThere()) return 0;
      nextReaderCheck = GetTickCount() + kReaderCheckMs;
    }
  }
  return 0;
}

void CALLBACK WakeOnly(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}

// The window that meets the condition now; 0 when none does (for /gone: a
// window the selector still names).
Hwnd Meeting(const WindowSystem& ws, const SelectorQuery& query, WaitCondition condition,
             const ExeNameSource& exeName) {
  DesktopSelectors desktop(ws, exeName);
  const std::vector<Hwnd> found = desktop.Resolve(query);
  if (condition == WaitCondition::Exists || condition == WaitCondition::Gone) {
    return found.empty() ? 0 : found.front();
  }
  const HWND foreground = GetForegroundWindow();
  for (Hwnd w : found) {
    if (condition == WaitCondition::Visible && ws.IsVisible(w)) return w;
    if (condition == WaitCondition::Foreground && foreground && GetAncestor(ToHwnd(w), GA_ROOT) == foreground) {
      return w;
    }
  }
  return 0;
}

int RunWait(const WaitRequest& r, const std::function<bool(const std::string&, bool)>& out,
            const std::function<void(const std::string&)>& error) {
  const SelectorParse parse = ParseSelector(AnsiToUtf8(r.selector));
  if (!parse.ok) {
    error(SelectorErrorText(parse));
    return 1;
  }
  Win32WindowSystem ws;
  const ExeNameSource exeName = SystemExecutableNames();
  // Any change of the desktop the system announces wakes the wait at once;
  // the short poll covers what it does not announce.
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, WakeOnly, 0, 0,
                                       WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  const DWORD begin = GetTickCount();
  int status = 2;
  Hwnd met = 0;
  for (;;) {
    const Hwnd w = Meeting(ws, parse.query, r.condition, exeName);
    if (r.condition == WaitCondition::Gone ? w == 0 : w != 0) {
      met = w;
      status = 0;
      break;
    }
    const DWORD elapsed = GetTickCount() - begin;
    if (elapsed >= static_cast<uint64_t>(r.timeoutMs)) break;
    WaitForMessages(std::min<DWORD>(kWaitCheckMs, static_cast<DWORD>(r.timeoutMs - elapsed)));
  }
  if (hook) UnhookWinEvent(hook);
  if (status != 0) {
    error("no window met the condition for " + r.selector + " in time");
    return status;
  }
  if (met == 0) return 0;
  if (!out(Utf8ToAnsi(TextWindowList(ListedWindows(ws, {met}))), false)) {
    error("could not write to standard output");
    return 1;
  }
  return 0;
}

}  // namespace

int RunEventsCommandLine(const CliRequest& request, const std::function<bool(const std::string&, bool)>& out,
                         const std::function<void(const std::string&)>& error) {
  try {
    if (request.command == CliCommand::Watch) return RunWatch(request.events.watch, out, error);
    return RunWait(request.events.wait, out, error);
  } catch (const std::exception& e) {
    error(e.what());
    return 1;
  }
}
