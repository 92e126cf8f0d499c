#pragma once
// The recorded events in order, at most `capacity` of them: when full, the
// oldest go and are counted, so a view can say how many it lost. A filter
// picks the rows shown; changing it hides or shows rows, it drops nothing.
#include <array>
#include <cstdint>
#include <deque>

#include "events/EventFilter.h"
#include "events/WindowEvent.h"

class EventStore {
 public:
  explicit EventStore(size_t capacity = 100000) : m_capacity(capacity ? capacity : 1) {}

  // Numbers the event and keeps it; returns false when an older one had to go.
  bool Add(WindowEvent e);
  void Clear();
  void SetFilter(const EventFilter& filter);
  const EventMatcher& Matcher() const { return m_matcher; }

  size_t Size() const { return m_events.size(); }
  const WindowEvent& At(size_t i) const { return m_events[i]; }
  // Events dropped to make room, since the last Clear.
  uint64_t Dropped() const { return m_dropped; }
  // Events of each kind recorded since the last Clear, dropped ones included.
  uint64_t Count(EventKind kind) const { return m_counts[static_cast<size_t>(kind)]; }

  // The rows the filter shows, oldest first.
  size_t RowCount() const { return m_rows.size(); }
  const WindowEvent& Row(size_t row) const { return m_events[static_cast<size_t>(m_rows[row] - m_firstNumber)]; }
  // Rows removed from the top since the last call (the oldest dropped):
  // a list showing them moves its selection up as many.
  size_t TakeRowsRemoved();

 private:
  size_t m_capacity;
  std::deque<WindowEvent> m_events;
  std::deque<uint64_t> m_rows;  // numbers of the events shown
  uint64_t m_firstNumber = 1, m_nextNumber = 1;
  uint64_t m_dropped = 0;
  size_t m_rowsRemoved = 0;
  std::array<uint64_t, kEventKindCount + 1> m_counts{};
  EventMatcher m_matcher;
};
