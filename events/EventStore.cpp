#include "events/EventStore.h"

bool EventStore::Add(WindowEvent e) {
  e.number = m_nextNumber++;
  ++m_counts[static_cast<size_t>(e.kind)];
  bool kept = true;
  if (m_events.size() >= m_capacity) {
    if (!m_rows.empty() && m_rows.front() == m_firstNumber) {
      m_rows.pop_front();
      ++m_rowsRemoved;
    }
    m_events.pop_front();
    ++m_firstNumber;
    ++m_dropped;
    kept = false;
  }
  if (m_matcher.Matches(e)) m_rows.push_back(e.number);
  m_events.push_back(std::move(e));
  return kept;
}

void EventStore::Clear() {
  m_events.clear();
  m_rows.clear();
  m_firstNumber = m_nextNumber;
  m_dropped = 0;
  m_rowsRemoved = 0;
  m_counts.fill(0);
}

void EventStore::SetFilter(const EventFilter& filter) {
  m_matcher = EventMatcher(filter);
  m_rows.clear();
  for (const WindowEvent& e : m_events) {
    if (m_matcher.Matches(e)) m_rows.push_back(e.number);
  }
  m_rowsRemoved = 0;
}

size_t EventStore::TakeRowsRemoved() {
  const size_t n = m_rowsRemoved;
  m_rowsRemoved = 0;
  return n;
}
