#pragma once
// Which recorded events a view shows: the Events window's filters and the
// options of /watch. A filter only hides; the store keeps every event.
#include <cstdint>
#include <string>
#include <vector>

#include "events/WindowEvent.h"
#include "selectors/SelectorGrammar.h"

struct EventFilter {
  uint32_t kinds = kAllEventKinds;  // KindBit of each kind shown
  bool topLevelOnly = false;
  std::string process;   // an executable's name ("notepad.exe" or "notepad") or a process id; empty: any
  std::string selector;  // a selector of any form; empty: any window
};

// A filter made ready for matching. A selector that does not parse hides
// nothing; `selectorError` then says why.
class EventMatcher {
 public:
  explicit EventMatcher(const EventFilter& filter = EventFilter());
  bool Matches(const WindowEvent& e) const;
  const std::string& SelectorError() const { return m_selectorError; }
  const EventFilter& Filter() const { return m_filter; }

 private:
  EventFilter m_filter;
  bool m_hasPid = false;
  uint32_t m_pid = 0;
  bool m_hasQuery = false;
  SelectorQuery m_query;
  std::string m_selectorError;
};

// Whether a selector names the window as it was recorded: its Tarvisk
// selector's steps, with its class, executable and text for a top-level
// window. So a selector also finds windows that are gone.
bool SelectorNamesRecorded(const SelectorQuery& query, const EventWindow& w);

// "created,destroyed,..." for a kind mask and back; false with an error for a
// name that is no kind.
std::string EventKindsText(uint32_t kinds);
bool ParseEventKinds(const std::string& text, uint32_t& kinds, std::string* error);
