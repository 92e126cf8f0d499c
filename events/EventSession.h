#pragma once
// The recorder running in this thread: the system's WinEvents for the whole
// desktop (received out of context, in this thread's message loop) and the
// poll, over the live window system. One session at a time per process: the
// WinEvent callback has no context of its own to find it by.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "events/EventRecorder.h"
#include "platform/Win32WindowSystem.h"

class EventSession {
 public:
  EventSession() = default;
  ~EventSession();
  EventSession(const EventSession&) = delete;
  EventSession& operator=(const EventSession&) = delete;

  // Reads the desktop and starts listening; the Started event carries the
  // wall clock. False with the reason when another session runs.
  bool Start(WindowEvent* started, std::string* error);
  void Stop();
  bool Running() const { return m_recorder != nullptr; }
  // One pass of the poll; the caller keeps its rhythm (PollIntervalMs).
  void Poll();
  uint32_t PollIntervalMs() const { return m_recorder ? m_recorder->PollIntervalMs() : kIdlePollMs; }
  // What was recorded since the last call, selectors read.
  std::vector<WindowEvent> Take();

  // The wall clock now, as the Started event gives it.
  static std::string UtcClock();

 private:
  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG idObject, LONG idChild,
                                  DWORD thread, DWORD time);

  Win32WindowSystem m_ws;
  std::unique_ptr<EventRecorder> m_recorder;
  std::vector<HWINEVENTHOOK> m_hooks;
};
