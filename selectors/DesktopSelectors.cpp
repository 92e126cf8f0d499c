#include "selectors/DesktopSelectors.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "platform/WinConstants.h"

#include "reading/WindowFacts.h"

namespace {

// Deeper than any real window tree; it only guards against a parent loop.
constexpr int kMaxDepth = 1000;

bool TitleMatches(const SelectorStep& s, const std::string& title) {
  if (s.titlePrefix) return title.compare(0, s.title.size(), s.title) == 0;
  return title == s.title;
}

// AutoIt doubles a ";" inside a property's value.
std::string AutoItValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    out += c;
    if (c == ';') out += ';';
  }
  return out;
}

// A Python string literal; bytes of UTF-8 characters stay as they are, since
// a Python 3 script is UTF-8.
std::string PythonString(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

template <typename List, typename Item>
uint32_t PositionOf(const List& list, const Item& item) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == item) return static_cast<uint32_t>(i + 1);
  }
  return 0;
}

}  // namespace

std::vector<SelectorStep> ChildSelectorSteps(const std::vector<ListedChild>& list) {
  std::vector<std::string> lower(list.size());
  std::vector<uint32_t> place(list.size());
  std::map<std::pair<Hwnd, std::string>, uint32_t> ofClass;
  std::map<std::tuple<Hwnd, std::string, uint32_t>, uint32_t> withId;
  for (size_t j = 0; j < list.size(); ++j) {
    for (char c : *list[j].className) lower[j] += AsciiLower(c);
    place[j] = ++ofClass[{list[j].parent, lower[j]}];
    ++withId[std::make_tuple(list[j].parent, lower[j], list[j].id)];
  }
  std::vector<SelectorStep> steps(list.size());
  for (size_t j = 0; j < list.size(); ++j) {
    SelectorStep& s = steps[j];
    s.hasClass = true;
    s.className = *list[j].className;
    if (withId[std::make_tuple(list[j].parent, lower[j], list[j].id)] == 1) {
      s.hasId = true;
      s.id = list[j].id;
    } else {
      s.instance = place[j];
    }
  }
  return steps;
}

DesktopSelectors::DesktopSelectors(const WindowSystem& ws, ExeNameSource exeName)
    : m_ws(ws), m_exeName(std::move(exeName)) {}

std::vector<DesktopSelectors::Top>& DesktopSelectors::Tops() {
  if (m_haveTops) return m_tops;
  m_haveTops = true;
  for (Hwnd h : m_ws.TopLevelWindows()) {
    Top t;
    t.handle = h;
    t.className = ReadWindowFacts(m_ws, h, Facts::ClassName).className;
    m_topOf.emplace(h, m_tops.size());
    m_tops.push_back(std::move(t));
  }
  return m_tops;
}

const std::string& DesktopSelectors::Exe(size_t top) {
  Top& t = m_tops[top];
  if (!t.haveProcess) {
    t.haveProcess = true;
    const uint32_t process = ReadWindowFacts(m_ws, t.handle, Facts::Process).processId;
    auto known = m_exeByProcess.find(process);
    if (known == m_exeByProcess.end()) {
      known = m_exeByProcess.emplace(process, m_exeName && process != 0 ? m_exeName(process) : std::string()).first;
    }
    t.exe = known->second;
  }
  return t.exe;
}

// The title the system keeps, as the automation tools read titles: it sends
// nothing, so a hung window cannot hold up the search.
const std::string& DesktopSelectors::Title(size_t top) {
  Top& t = m_tops[top];
  if (!t.haveTitle) {
    t.haveTitle = true;
    t.title = ReadWindowFacts(m_ws, t.handle, Facts::Title).title;
  }
  return t.title;
}

const std::vector<DesktopSelectors::Descendant>& DesktopSelectors::Children(size_t top) {
  Top& t = m_tops[top];
  std::vector<Descendant>& list = m_children[top];
  if (t.haveChildren) return list;
  t.haveChildren = true;
  for (Hwnd h : m_ws.ChildWindows(t.handle)) {
    WindowFacts f = ReadWindowFacts(m_ws, h, Facts::Parent | Facts::ClassName | Facts::ControlId);
    Descendant d;
    d.handle = h;
    d.parent = f.parent;
    d.className = std::move(f.className);
    d.id = f.controlId;
    m_placeOf[h] = Place{top, static_cast<long>(list.size())};
    list.push_back(std::move(d));
  }
  std::vector<ListedChild> keys;
  for (const Descendant& d : list) keys.push_back({d.parent, &d.className, d.id});
  std::vector<SelectorStep> steps = ChildSelectorSteps(keys);
  for (size_t j = 0; j < list.size(); ++j) list[j].step = std::move(steps[j]);
  return list;
}

bool DesktopSelectors::Locate(Hwnd w, Place& place) {
  Tops();
  // A window of a subtree already indexed needs no walk up through the
  // system: a listing of every window asks for each of them in turn.
  auto indexed = m_placeOf.find(w);
  if (indexed != m_placeOf.end()) {
    place = indexed->second;
    return true;
  }
  Hwnd h = w;
  for (int depth = 0; depth < kMaxDepth && h != 0; ++depth) {
    auto top = m_topOf.find(h);
    if (top != m_topOf.end()) {
      if (h == w) {
        place = Place{top->second, -1};
        return true;
      }
      Children(top->second);
      auto below = m_placeOf.find(w);
      if (below == m_placeOf.end()) return false;
      place = below->second;
      return true;
    }
    if ((m_ws.WindowLong(h, WinLong::Style) & kStyleChild) == 0) return false;
    h = m_ws.Parent(h);
    if (h == m_ws.Desktop()) return false;
  }
  return false;
}

std::vector<size_t> DesktopSelectors::MatchingTops(const SelectorStep& s) {
  std::vector<size_t> out;
  Tops();
  for (size_t i = 0; i < m_tops.size(); ++i) {
    if (s.hasClass && !SameNoCase(m_tops[i].className, s.className)) continue;
    if (s.hasExe && !SameNoCase(Exe(i), s.exe)) continue;
    if (s.hasTitle && !TitleMatches(s, Title(i))) continue;
    out.push_back(i);
  }
  if (s.instance == 0) return out;
  if (s.instance > out.size()) return {};
  return {out[s.instance - 1]};
}

std::vector<long> DesktopSelectors::MatchingBelow(const SelectorStep& s, size_t top, long parent) {
  const std::vector<Descendant>& list = Children(top);
  const Hwnd parentHandle = parent < 0 ? m_tops[top].handle : list[static_cast<size_t>(parent)].handle;
  std::vector<long> out;
  // Direct children follow their parent in enumeration order.
  const size_t from = s.descendants || parent < 0 ? 0 : static_cast<size_t>(parent) + 1;
  for (size_t j = from; j < list.size(); ++j) {
    const Descendant& d = list[j];
    if (!s.descendants && d.parent != parentHandle) continue;
    if (s.hasClass && !SameNoCase(d.className, s.className)) continue;
    if (s.hasId && d.id != s.id) continue;
    out.push_back(static_cast<long>(j));
  }
  if (s.instance == 0) return out;
  if (s.instance > out.size()) return {};
  return {out[s.instance - 1]};
}

std::vector<Hwnd> DesktopSelectors::Resolve(const SelectorQuery& query) {
  if (query.steps.empty()) return {};
  std::vector<Place> places;
  for (size_t t : MatchingTops(query.steps[0])) places.push_back(Place{t, -1});
  for (size_t k = 1; k < query.steps.size() && !places.empty(); ++k) {
    std::vector<Place> next;
    for (const Place& p : places) {
      for (long j : MatchingBelow(query.steps[k], p.top, p.index)) next.push_back(Place{p.top, j});
    }
    places = std::move(next);
  }
  std::vector<Hwnd> out;
  for (const Place& p : places) {
    out.push_back(p.index < 0 ? m_tops[p.top].handle : m_children[p.top][static_cast<size_t>(p.index)].handle);
  }
  return out;
}

// Class and executable; the exact title where that leaves fewer windows; the
// position among what still matches where the window is not yet told apart.
SelectorStep DesktopSelectors::TopStep(size_t top) {
  if (m_tops[top].haveStep) return m_tops[top].step;
  SelectorStep s;
  s.hasClass = true;
  s.className = m_tops[top].className;
  s.hasExe = !Exe(top).empty();
  s.exe = Exe(top);
  std::vector<size_t> matches = MatchingTops(s);
  if (matches.size() > 1) {
    SelectorStep titled = s;
    titled.hasTitle = true;
    titled.title = Title(top);
    std::vector<size_t> fewer = MatchingTops(titled);
    if (fewer.size() < matches.size()) {
      s = titled;
      matches = std::move(fewer);
    }
  }
  if (matches.size() > 1) s.instance = PositionOf(matches, top);
  m_tops[top].haveStep = true;
  m_tops[top].step = s;
  return s;
}

std::vector<SelectorStep> DesktopSelectors::TarviskSteps(const Place& place) {
  std::vector<SelectorStep> steps{TopStep(place.top)};
  // A top-level window's own step needs none of its descendants read.
  if (place.index < 0) return steps;
  std::vector<long> chain;
  const std::vector<Descendant>& list = Children(place.top);
  for (long j = place.index; j >= 0 && chain.size() < static_cast<size_t>(kMaxDepth);) {
    chain.insert(chain.begin(), j);
    const Hwnd parent = list[static_cast<size_t>(j)].parent;
    if (parent == m_tops[place.top].handle) break;
    auto up = m_placeOf.find(parent);
    j = up == m_placeOf.end() || up->second.top != place.top ? -1 : up->second.index;
  }
  for (long j : chain) steps.push_back(list[static_cast<size_t>(j)].step);
  return steps;
}

std::string DesktopSelectors::TarviskSelector(Hwnd w) {
  Place place;
  if (!Locate(w, place)) return std::string();
  return TarviskSelectorText(TarviskSteps(place));
}

uint32_t DesktopSelectors::CountWithControl(const std::vector<size_t>& tops, const SelectorStep& control) {
  uint32_t n = 0;
  for (size_t t : tops) n += static_cast<uint32_t>(MatchingBelow(control, t, -1).size());
  return n;
}

SelectorFacts DesktopSelectors::Selectors(Hwnd w) {
  SelectorFacts f;
  Place place;
  if (!Locate(w, place)) return f;
  f.known = true;
  const size_t top = place.top;
  const std::string cls = m_tops[top].className, exe = Exe(top), title = Title(top);

  SelectorQuery own;
  own.steps = TarviskSteps(place);
  f.tarvisk = TarviskSelectorText(own.steps);
  f.tarviskMatches = static_cast<uint32_t>(Resolve(own).size());

  // The control as the foreign tools number it: its class's Nth among the
  // top-level window's descendants in enumeration order.
  const bool control = place.index >= 0;
  SelectorStep nth, byId;
  bool idUnique = false;
  if (control) {
    const std::vector<Descendant>& list = Children(top);
    const Descendant& d = list[static_cast<size_t>(place.index)];
    nth.descendants = byId.descendants = true;
    nth.hasClass = byId.hasClass = true;
    nth.className = byId.className = d.className;
    nth.instance = PositionOf(MatchingBelow(nth, top, -1), place.index);
    byId.hasId = true;
    byId.id = d.id;
    idUnique = MatchingBelow(byId, top, -1).size() == 1;
    SelectorStep anyClass;
    anyClass.descendants = anyClass.hasId = true;
    anyClass.id = d.id;
    if (MatchingBelow(anyClass, top, -1).size() == 1) f.autoitId = "[ID:" + std::to_string(d.id) + "]";
    f.ahkClassNN = d.className + std::to_string(nth.instance);
  }
  auto count = [&](const std::vector<size_t>& tops, const SelectorStep& below) {
    return control ? CountWithControl(tops, below) : static_cast<uint32_t>(tops.size());
  };
  // The foreign tools' titles match the start of a window's title; the title
  // joins the class only where it leaves fewer windows.
  auto narrowed = [&](SelectorStep s, bool& titled) {
    std::vector<size_t> matches = MatchingTops(s);
    titled = false;
    if (matches.size() > 1 && !title.empty()) {
      s.hasTitle = s.titlePrefix = true;
      s.title = title;
      std::vector<size_t> fewer = MatchingTops(s);
      if (fewer.size() < matches.size()) {
        titled = true;
        return fewer;
      }
    }
    return matches;
  };

  SelectorStep ahk;
  ahk.hasClass = true;
  ahk.className = cls;
  ahk.hasExe = !exe.empty();
  ahk.exe = exe;
  bool titled = false;
  f.ahkMatches = count(narrowed(ahk, titled), nth);
  f.ahk = (titled ? title + " " : std::string()) + "ahk_class " + cls + (exe.empty() ? "" : " ahk_exe " + exe);

  SelectorStep autoit;
  autoit.hasClass = true;
  autoit.className = cls;
  f.autoitMatches = count(narrowed(autoit, titled), nth);
  f.autoit = "[CLASS:" + AutoItValue(cls) + (titled ? "; TITLE:" + AutoItValue(title) : "") + "]";
  if (control) f.autoit += " [CLASS:" + AutoItValue(nth.className) + "; INSTANCE:" + std::to_string(nth.instance) + "]";

  SelectorStep py;
  py.hasClass = py.hasTitle = true;
  py.className = cls;
  py.title = title;
  f.pywinautoMatches = count(MatchingTops(py), idUnique ? byId : nth);
  f.pywinauto = "Desktop(backend=\"win32\").window(class_name=" + PythonString(cls) + ", title=" + PythonString(title) + ")";
  if (control) {
    f.pywinauto += ".child_window(class_name=" + PythonString(nth.className) +
                   (idUnique ? ", control_id=" + std::to_string(byId.id)
                             : ", found_index=" + std::to_string(nth.instance - 1)) +
                   ")";
  }
  return f;
}

SelectorFacts WindowSelectors(const WindowSystem& ws, Hwnd w, const ExeNameSource& exeName) {
  return DesktopSelectors(ws, exeName).Selectors(w);
}
