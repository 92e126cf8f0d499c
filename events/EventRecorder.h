#pragma once
// The recorder of window events over the window seam. The system announces
// some changes itself (Win32 WinEvents; under Wine 8 only the creation of a
// window and the focus reach another process) and a poll finds the rest by
// comparing the desktop with a model the recorder keeps. Both go through the
// same comparison, so a change is recorded once, whichever saw it first:
//   - the top-level windows' handles are enumerated every poll (one call);
//     a new handle is a creation, a missing one a destruction;
//   - their title, visibility and rectangle are read for a slice of them per
//     poll, so each is compared within kStateCycleMs at a cost that does not
//     grow with the poll rate;
//   - child windows are known from creation announcements only, and their
//     end is found by the same slices (or with their top-level window);
//   - the foreground window and the focus are read every poll.
// A window announced as created has its facts read at once: one that lives
// 50 ms is recorded with them. What could not be read is marked unknown.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "events/WindowEvent.h"
#include "platform/WindowSystem.h"
#include "selectors/DesktopSelectors.h"

struct RecorderSystem {
  std::function<uint32_t()> clockMs;  // a millisecond clock
  std::function<Hwnd()> foreground;   // the foreground window; 0 for none
  std::function<Hwnd()> focus;        // the focus in the foreground thread; 0 when unknown
  ExeNameSource exeName;
  uint32_t ownProcess = 0;  // the recording program: its windows are left out
};

// What the system says happened to a window.
enum class Announcement { Created, Destroyed, Shown, Hidden, NameChanged, LocationChanged, Foreground, Focus };

// The poll's rhythm: every kPollMs while the desktop changes, every
// kIdlePollMs once nothing has changed for kQuietMs; each top-level window's
// state is compared once every kStateCycleMs, or kIdleStateCycleMs while
// quiet (each comparison is a few trips to the system, which on a desktop of
// thousands of windows would otherwise cost more than the rest).
constexpr uint32_t kPollMs = 40;
constexpr uint32_t kIdlePollMs = 100;
constexpr uint32_t kQuietMs = 2000;
constexpr uint32_t kStateCycleMs = 800;
constexpr uint32_t kIdleStateCycleMs = 2000;
constexpr uint32_t kQuietEnumerate = 8;
// Child windows followed at most; children created beyond are recorded as
// created, and their end only with their top-level window's.
constexpr size_t kMaxFollowedChildren = 8192;

class EventRecorder {
 public:
  EventRecorder(const WindowSystem& ws, RecorderSystem system);

  // Takes the desktop as it is as the model and returns the Started event;
  // nothing is recorded for the windows that exist already.
  WindowEvent Start();
  void Announce(Announcement what, Hwnd w);
  void Poll();
  // The events recorded since the last call, in order, with the selectors of
  // the windows that are still there.
  std::vector<WindowEvent> Take();
  bool HasEvents() const { return !m_pending.empty(); }
  // When the next poll is due, after the last one.
  uint32_t PollIntervalMs() const { return Now() - m_lastEventMs < kQuietMs ? kPollMs : kIdlePollMs; }
  size_t WindowsKept() const { return m_kept.size(); }

 private:
  struct Kept {
    EventWindow facts;
    bool visible = false;
    WinRect rect;
  };

  uint32_t Now() const { return m_system.clockMs() - m_startMs; }
  // The facts of a window as it is now; `alive` says whether it still was
  // once they were read. Visibility and rectangle for a top-level window.
  EventWindow ReadWindow(Hwnd w, bool* alive, bool* visible = nullptr, WinRect* rect = nullptr) const;
  std::string ExeOf(uint32_t processId) const;
  void Record(EventKind kind, const EventWindow& w);
  // A window first seen now; false when it is the recorder's own or gone
  // before anything of it could be read and already recorded.
  void Created(Hwnd w);
  void Gone(Hwnd w);
  void CheckState(Hwnd w);
  // New and vanished top-level windows, from one enumeration.
  void Enumerate();
  void CheckForeground(Hwnd now);
  void CheckFocus(Hwnd now);
  EventWindow FactsOf(Hwnd w);
  bool RecentlyGone(Hwnd w) const;
  void NoteGone(Hwnd w);

  const WindowSystem& m_ws;
  RecorderSystem m_system;
  uint32_t m_startMs = 0;
  uint32_t m_lastEventMs = 0;  // since the start
  std::unordered_map<Hwnd, Kept> m_kept;
  std::vector<Hwnd> m_followed;  // top-level windows and followed children, for the slices
  size_t m_cursor = 0;
  uint32_t m_quietPolls = 0;
  size_t m_children = 0;
  std::unordered_set<Hwnd> m_own;  // the recorder's own top-level windows
  std::deque<Hwnd> m_gone;  // recently destroyed, oldest first
  std::unordered_map<Hwnd, uint32_t> m_goneAt;  // and when
  Hwnd m_foreground = 0, m_focus = 0;
  EventWindow m_foregroundFacts, m_focusFacts;
  std::vector<WindowEvent> m_pending;
};
