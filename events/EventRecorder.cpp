#include "events/EventRecorder.h"

#include <algorithm>

#include "reading/WindowFacts.h"

namespace {

constexpr uint32_t kChildStyle = 0x40000000u;  // WS_CHILD
// A late creation announcement of a window recorded as destroyed within this
// time is that window's, not a new one's.
constexpr uint32_t kGoneMemoryMs = 5000;
constexpr size_t kGoneMemory = 4096;
constexpr FactSet kEventFacts = Facts::Title | Facts::ClassName | Facts::Process | Facts::Parent | Facts::Styles;

}  // namespace

EventRecorder::EventRecorder(const WindowSystem& ws, RecorderSystem system) : m_ws(ws), m_system(std::move(system)) {}

std::string EventRecorder::ExeOf(uint32_t processId) const {
  return processId && m_system.exeName ? m_system.exeName(processId) : std::string();
}

EventWindow EventRecorder::ReadWindow(Hwnd w, bool* alive, bool* visible, WinRect* rect) const {
  EventWindow out;
  out.handle = w;
  // Every window has a class: none means the window is gone, and the other
  // questions, each a trip to the system, are spared (a program making
  // windows by the thousand waits on the same system).
  const WindowFacts first = ReadWindowFacts(m_ws, w, Facts::ClassName | Facts::Process);
  out.className = first.className;
  out.processId = first.processId;
  WindowFacts f;
  if (!out.className.empty()) f = ReadWindowFacts(m_ws, w, Facts::Title | Facts::Parent | Facts::Styles);
  out.text = f.title;
  Hwnd top = w;
  if (f.style & kChildStyle) {
    top = f.parent;
    // At most as deep as windows nest, whatever a damaged chain says.
    for (int depth = 0; top != 0 && depth < 64 && (m_ws.WindowLong(top, -16) & kChildStyle); ++depth) {
      top = m_ws.Parent(top);
    }
  }
  out.top = top;
  out.topLevel = top == w;
  if (visible && !out.className.empty()) *visible = m_ws.IsVisible(w);
  if (rect && !out.className.empty()) *rect = m_ws.WindowRect(w);
  // Read after the facts: a window still there answered all of them. One
  // already gone answered with empty values, which are no facts.
  *alive = !out.className.empty() && m_ws.IsWindow(w);
  if (*alive || !out.className.empty()) out.known |= Known::Class;
  if (*alive || !out.text.empty()) out.known |= Known::Text;
  if (*alive || out.processId) {
    out.known |= Known::Process;
    out.exe = ExeOf(out.processId);
    if (!out.exe.empty()) out.known |= Known::Exe;
  }
  if (*alive && top != 0) out.known |= Known::Top;
  return out;
}

WindowEvent EventRecorder::Start() {
  m_startMs = m_system.clockMs();
  m_kept.clear();
  m_followed.clear();
  m_own.clear();
  m_pending.clear();
  for (Hwnd w : m_ws.TopLevelWindows()) {
    Kept k;
    bool alive = false;
    k.facts = ReadWindow(w, &alive, &k.visible, &k.rect);
    if (!alive) continue;
    if (m_system.ownProcess && k.facts.processId == m_system.ownProcess) {
      m_own.insert(w);
      continue;
    }
    m_kept.emplace(w, std::move(k));
    m_followed.push_back(w);
  }
  m_foreground = m_system.foreground ? m_system.foreground() : 0;
  if (m_foreground) m_foregroundFacts = FactsOf(m_foreground);
  m_focus = m_system.focus ? m_system.focus() : 0;
  if (m_focus) m_focusFacts = FactsOf(m_focus);
  WindowEvent started;
  started.kind = EventKind::Started;
  return started;
}

void EventRecorder::Record(EventKind kind, const EventWindow& w) {
  WindowEvent e;
  e.timeMs = m_lastEventMs = Now();
  e.kind = kind;
  e.window = w;
  m_pending.push_back(std::move(e));
}

bool EventRecorder::RecentlyGone(Hwnd w) const {
  auto it = m_goneAt.find(w);
  return it != m_goneAt.end() && Now() - it->second < kGoneMemoryMs;
}

void EventRecorder::NoteGone(Hwnd w) {
  m_gone.push_back(w);
  m_goneAt[w] = Now();
  while (m_gone.size() > kGoneMemory) {
    m_goneAt.erase(m_gone.front());
    m_gone.pop_front();
  }
}

void EventRecorder::Created(Hwnd w) {
  if (m_kept.count(w) || m_own.count(w)) return;
  if (RecentlyGone(w) && !m_ws.IsWindow(w)) return;
  Kept k;
  bool alive = false;
  k.facts = ReadWindow(w, &alive, &k.visible, &k.rect);
  if (m_system.ownProcess && k.facts.processId == m_system.ownProcess) {
    if (alive && k.facts.topLevel) m_own.insert(w);
    return;
  }
  Record(EventKind::Created, k.facts);
  if (!alive) {
    Record(EventKind::Destroyed, k.facts);
    NoteGone(w);
    return;
  }
  const bool child = !k.facts.topLevel;
  if (child && m_children >= kMaxFollowedChildren) return;
  if (child) ++m_children;
  m_kept.emplace(w, std::move(k));
  m_followed.push_back(w);
}

void EventRecorder::Gone(Hwnd w) {
  auto it = m_kept.find(w);
  if (it == m_kept.end()) return;
  const EventWindow facts = it->second.facts;
  m_kept.erase(it);
  if (!facts.topLevel) --m_children;
  Record(EventKind::Destroyed, facts);
  NoteGone(w);
  // Its followed children went with it.
  if (facts.topLevel && m_children) {
    for (Hwnd c : m_followed) {
      auto child = m_kept.find(c);
      if (child != m_kept.end() && !child->second.facts.topLevel && child->second.facts.top == w) Gone(c);
    }
  }
}

void EventRecorder::CheckState(Hwnd w) {
  auto it = m_kept.find(w);
  if (it == m_kept.end()) return;
  Kept& k = it->second;
  if (!k.facts.topLevel) {
    if (!m_ws.IsWindow(w)) Gone(w);
    return;
  }
  const WindowFacts now = ReadWindowFacts(m_ws, w, Facts::Title | Facts::Visible | Facts::WindowRect);
  const std::string& title = now.title;
  const bool visible = now.visible;
  const WinRect rect = now.screenCoords;
  // A window gone meanwhile answered with empty values: its end is recorded
  // by the enumeration, not as changes.
  if (!m_ws.IsWindow(w)) return;
  if (title != k.facts.text) {
    k.facts.text = title;
    Record(EventKind::Retitled, k.facts);
  }
  if (visible != k.visible) {
    k.visible = visible;
    Record(visible ? EventKind::Shown : EventKind::Hidden, k.facts);
  }
  if (!(rect == k.rect)) {
    k.rect = rect;
    Record(EventKind::Moved, k.facts);
    m_pending.back().hasRect = true;
    m_pending.back().rect = rect;
  }
}

EventWindow EventRecorder::FactsOf(Hwnd w) {
  auto it = m_kept.find(w);
  bool alive = false;
  EventWindow facts = ReadWindow(w, &alive);
  if (!alive && it != m_kept.end()) return it->second.facts;
  if (it != m_kept.end() && (it->second.facts.known & Known::Selector)) {
    facts.selector = it->second.facts.selector;
    facts.known |= Known::Selector;
  }
  return facts;
}

void EventRecorder::CheckForeground(Hwnd now) {
  // Nothing is the foreground for a moment while it changes hands: the change
  // is from the last window that had it to the next.
  if (now == 0 || now == m_foreground) return;
  WindowEvent e;
  e.kind = EventKind::Foreground;
  e.hasPrevious = true;
  e.previous = m_foregroundFacts;
  e.previous.handle = m_foreground;
  m_foreground = now;
  m_foregroundFacts = FactsOf(now);
  e.timeMs = m_lastEventMs = Now();
  e.window = m_foregroundFacts;
  m_pending.push_back(std::move(e));
}

void EventRecorder::CheckFocus(Hwnd now) {
  if (now == 0 || now == m_focus) return;
  EventWindow facts = FactsOf(now);
  if (m_system.ownProcess && facts.processId == m_system.ownProcess) return;
  WindowEvent e;
  e.kind = EventKind::Focus;
  e.hasPrevious = true;
  e.previous = m_focusFacts;
  e.previous.handle = m_focus;
  e.timeMs = m_lastEventMs = Now();
  e.window = facts;
  m_focus = now;
  m_focusFacts = facts;
  m_pending.push_back(std::move(e));
}

void EventRecorder::Announce(Announcement what, Hwnd w) {
  switch (what) {
    case Announcement::Created: Created(w); break;
    case Announcement::Destroyed:
      if (!m_ws.IsWindow(w)) Gone(w);
      break;
    case Announcement::Shown:
    case Announcement::Hidden:
    case Announcement::NameChanged:
    case Announcement::LocationChanged: CheckState(w); break;
    case Announcement::Foreground: CheckForeground(w); break;
    case Announcement::Focus: CheckFocus(w); break;
  }
}

void EventRecorder::Poll() {
  // Enumerating asks the system about every top-level window (Wine checks
  // each handle it lists): while the desktop is quiet, every kQuietEnumerate
  // polls only. The system announces creations itself, and one wakes the
  // recorder at once; only a destruction under Wine waits for the next count.
  const bool quiet = PollIntervalMs() != kPollMs;
  if (!quiet || ++m_quietPolls % kQuietEnumerate == 0) Enumerate();
  if (!m_followed.empty()) {
    const size_t n = m_followed.size();
    const uint32_t interval = PollIntervalMs();
    const uint32_t cycle = interval == kPollMs ? kStateCycleMs : kIdleStateCycleMs;
    size_t slice = (n * interval + cycle - 1) / cycle;
    // Small desktops are compared whole while they change.
    slice = std::min(n, std::max<size_t>(slice, interval == kPollMs ? 8 : 1));
    if (m_cursor >= n) m_cursor = 0;
    std::vector<Hwnd> batch;
    for (size_t i = 0; i < slice; ++i) batch.push_back(m_followed[(m_cursor + i) % n]);
    m_cursor = (m_cursor + slice) % n;
    for (Hwnd w : batch) CheckState(w);
  }
  if (m_system.foreground) CheckForeground(m_system.foreground());
  if (m_system.focus) CheckFocus(m_system.focus());
}

void EventRecorder::Enumerate() {
  const std::vector<Hwnd> tops = m_ws.TopLevelWindows();
  std::unordered_set<Hwnd> present(tops.begin(), tops.end());
  for (Hwnd w : tops) {
    if (!m_kept.count(w)) Created(w);
  }
  for (auto it = m_own.begin(); it != m_own.end();) it = present.count(*it) ? std::next(it) : m_own.erase(it);
  // Handles that left the enumeration, and the list of those followed.
  std::vector<Hwnd> followed;
  followed.reserve(m_followed.size());
  for (Hwnd w : m_followed) {
    auto it = m_kept.find(w);
    if (it == m_kept.end()) continue;
    if (it->second.facts.topLevel && !present.count(w)) {
      Gone(w);
      continue;
    }
    followed.push_back(w);
  }
  // Gone() may have taken children listed before their top-level window.
  followed.erase(std::remove_if(followed.begin(), followed.end(), [&](Hwnd w) { return !m_kept.count(w); }),
                 followed.end());
  m_followed.swap(followed);
}

std::vector<WindowEvent> EventRecorder::Take() {
  std::unique_ptr<DesktopSelectors> desktop;
  for (WindowEvent& e : m_pending) {
    EventWindow& w = e.window;
    if (w.known & Known::Selector) continue;
    auto kept = m_kept.find(w.handle);
    if (kept != m_kept.end() && (kept->second.facts.known & Known::Selector)) {
      w.selector = kept->second.facts.selector;
      w.known |= Known::Selector;
      continue;
    }
    if (e.kind == EventKind::Destroyed || !m_ws.IsWindow(w.handle)) continue;
    // One reading of the desktop names every window of the batch.
    if (!desktop) desktop = std::make_unique<DesktopSelectors>(m_ws, m_system.exeName);
    w.selector = desktop->TarviskSelector(w.handle);
    if (w.selector.empty()) continue;
    w.known |= Known::Selector;
    if (kept != m_kept.end()) {
      kept->second.facts.selector = w.selector;
      kept->second.facts.known |= Known::Selector;
    }
  }
  std::vector<WindowEvent> out;
  out.swap(m_pending);
  return out;
}
