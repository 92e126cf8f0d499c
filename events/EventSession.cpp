#include "events/EventSession.h"

#include <cstdio>
#include <limits>

#include "platform/ProcessList.h"

namespace {

EventSession* g_session = nullptr;
EventRecorder* g_recorder = nullptr;

Hwnd FocusOfForeground() {
  const HWND fg = GetForegroundWindow();
  if (!fg) return 0;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(fg, nullptr), &info)) return 0;
  return FromHwnd(info.hwndFocus);
}

}  // namespace

EventSession::~EventSession() { Stop(); }

std::string EventSession::UtcClock() {
  SYSTEMTIME t = {};
  GetSystemTime(&t);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return buf;
}

bool EventSession::Start(WindowEvent* started, std::string* error) {
  if (g_session && g_session != this) {
    if (error) *error = "Window events are being recorded already";
    return false;
  }
  Stop();
  RecorderSystem system;
  system.clockMs = [] { return static_cast<uint32_t>(GetTickCount()); };
  system.foreground = [] { return FromHwnd(GetForegroundWindow()); };
  system.focus = FocusOfForeground;
  // A recording meets processes started long after it began: each is asked
  // for its image, never named from a list taken before it started.
  system.exeName = SystemExecutableNames(std::numeric_limits<int>::max());
  system.ownProcess = GetCurrentProcessId();
  m_recorder = std::make_unique<EventRecorder>(m_ws, std::move(system));
  g_session = this;
  g_recorder = m_recorder.get();
  // The hooks first, then the model: a window made in between is announced
  // and found in the model, and recorded once.
  const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  const DWORD ranges[][2] = {{EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
                             {EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS},
                             {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE}};
  for (const auto& range : ranges) {
    if (HWINEVENTHOOK h = SetWinEventHook(range[0], range[1], nullptr, OnWinEvent, 0, 0, flags)) {
      m_hooks.push_back(h);
    }
  }
  WindowEvent e = m_recorder->Start();
  e.clock = UtcClock();
  if (started) *started = e;
  return true;
}

void EventSession::Stop() {
  for (HWINEVENTHOOK h : m_hooks) UnhookWinEvent(h);
  m_hooks.clear();
  if (g_session == this) {
    g_session = nullptr;
    g_recorder = nullptr;
  }
  m_recorder.reset();
}

void EventSession::Poll() {
  if (m_recorder) m_recorder->Poll();
}

std::vector<WindowEvent> EventSession::Take() {
  return m_recorder ? m_recorder->Take() : std::vector<WindowEvent>();
}

void CALLBACK EventSession::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD,
                                       DWORD) {
  if (!g_recorder || !hwnd) return;
  // The window itself, not one of its parts (a caret, a list's item).
  const bool window = idObject == OBJID_WINDOW && idChild == CHILDID_SELF;
  const Hwnd w = FromHwnd(hwnd);
  try {
    switch (event) {
      case EVENT_SYSTEM_FOREGROUND: g_recorder->Announce(Announcement::Foreground, w); break;
      case EVENT_OBJECT_FOCUS: g_recorder->Announce(Announcement::Focus, w); break;
      case EVENT_OBJECT_CREATE:
        if (window) g_recorder->Announce(Announcement::Created, w);
        break;
      case EVENT_OBJECT_DESTROY:
        if (window) g_recorder->Announce(Announcement::Destroyed, w);
        break;
      case EVENT_OBJECT_SHOW:
        if (window) g_recorder->Announce(Announcement::Shown, w);
        break;
      case EVENT_OBJECT_HIDE:
        if (window) g_recorder->Announce(Announcement::Hidden, w);
        break;
      case EVENT_OBJECT_NAMECHANGE:
        if (window) g_recorder->Announce(Announcement::NameChanged, w);
        break;
      case EVENT_OBJECT_LOCATIONCHANGE:
        if (window) g_recorder->Announce(Announcement::LocationChanged, w);
        break;
      default: break;
    }
  } catch (const std::exception&) {
    // A window that could not be read is found again by the next poll.
  }
}
