#include "events/EventFilter.h"

#include "platform/AsciiCase.h"

namespace {

bool AllDigits(const std::string& s) {
  if (s.empty() || s.size() > 10) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool ExeMatches(const std::string& wanted, const std::string& exe) {
  if (SameNoCase(wanted, exe)) return true;
  // "notepad" names notepad.exe.
  return exe.size() == wanted.size() + 4 && StartsWithNoCase(exe, wanted) && SameNoCase(exe.substr(wanted.size()), ".exe");
}

bool StepMatches(const SelectorStep& want, const SelectorStep& have, bool haveTitle, const std::string& title) {
  if (want.hasClass && !(have.hasClass && SameNoCase(want.className, have.className))) return false;
  if (want.hasExe && !(have.hasExe && ExeMatches(want.exe, have.exe))) return false;
  if (want.hasId && !(have.hasId && want.id == have.id)) return false;
  if (want.hasTitle) {
    const bool known = have.hasTitle || haveTitle;
    const std::string& t = have.hasTitle ? have.title : title;
    if (!known) return false;
    if (want.titlePrefix ? t.compare(0, want.title.size(), want.title) != 0 : t != want.title) return false;
  }
  // The Nth of several alike can only be told where the recording numbered it too.
  if (want.instance && have.instance && want.instance != have.instance) return false;
  return true;
}

}  // namespace

bool SelectorNamesRecorded(const SelectorQuery& query, const EventWindow& w) {
  if (query.steps.empty()) return false;
  std::vector<SelectorStep> steps;
  if (w.known & Known::Selector) {
    const SelectorParse own = ParseSelector(w.selector);
    if (own.ok) steps = own.query.steps;
  }
  if (steps.empty()) {
    // Gone before its selector was read: a top-level window still has its facts.
    if (!(w.known & Known::Top) || !w.topLevel) return false;
    steps.emplace_back();
  }
  SelectorStep& top = steps.front();
  if (w.topLevel && (w.known & Known::Class) && !top.hasClass) {
    top.hasClass = true;
    top.className = w.className;
  }
  if ((w.known & Known::Exe) && !top.hasExe && (w.topLevel || !(w.known & Known::Selector))) {
    top.hasExe = !w.exe.empty();
    top.exe = w.exe;
  }
  const bool topTitle = w.topLevel && (w.known & Known::Text);
  if (!StepMatches(query.steps.front(), top, topTitle, w.text)) return false;
  if (query.steps.size() == 1) return steps.size() == 1;
  const SelectorStep& last = query.steps.back();
  if (last.descendants) {
    // The foreign forms name a control anywhere below the top-level window.
    return steps.size() > 1 && StepMatches(last, steps.back(), false, std::string());
  }
  if (steps.size() != query.steps.size()) return false;
  for (size_t i = 1; i < steps.size(); ++i) {
    if (!StepMatches(query.steps[i], steps[i], false, std::string())) return false;
  }
  return true;
}

EventMatcher::EventMatcher(const EventFilter& filter) : m_filter(filter) {
  if (AllDigits(filter.process)) {
    m_hasPid = true;
    m_pid = static_cast<uint32_t>(std::stoul(filter.process));
  }
  if (!filter.selector.empty()) {
    const SelectorParse parse = ParseSelector(filter.selector);
    if (parse.ok) {
      m_hasQuery = true;
      m_query = parse.query;
    } else {
      m_selectorError = SelectorErrorText(parse);
    }
  }
}

bool EventMatcher::Matches(const WindowEvent& e) const {
  if (e.kind == EventKind::Started) return true;
  if (!(m_filter.kinds & KindBit(e.kind))) return false;
  const EventWindow& w = e.window;
  if (m_filter.topLevelOnly && !((w.known & Known::Top) && w.topLevel)) return false;
  if (!m_filter.process.empty()) {
    if (m_hasPid) {
      if (!(w.known & Known::Process) || w.processId != m_pid) return false;
    } else if (!(w.known & Known::Exe) || !ExeMatches(m_filter.process, w.exe)) {
      return false;
    }
  }
  if (m_hasQuery && !SelectorNamesRecorded(m_query, w)) return false;
  return true;
}

std::string EventKindsText(uint32_t kinds) {
  std::string s;
  for (int k = 0; k < kEventKindCount; ++k) {
    if (!(kinds & (1u << k))) continue;
    if (!s.empty()) s += ',';
    s += EventKindName(static_cast<EventKind>(k));
  }
  return s;
}

bool ParseEventKinds(const std::string& text, uint32_t& kinds, std::string* error) {
  uint32_t out = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    EventKind kind;
    if (!EventKindNamed(name, kind)) {
      if (error) {
        *error = "'" + name + "' is no event kind (created, destroyed, shown, hidden, retitled, moved, foreground, focus)";
      }
      return false;
    }
    out |= KindBit(kind);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  kinds = out;
  return true;
}
