#include "reading/WindowWalk.h"

Hwnd WindowWalk::Parent(Hwnd w) {
  Info& info = InfoOf(w);
  if (!info.hasParent) {
    info.parent = m_ws.Parent(w);
    info.hasParent = true;
  }
  return info.parent;
}

bool WindowWalk::HasChildStyle(Hwnd w) {
  Info& info = InfoOf(w);
  if (!info.hasStyle) {
    info.style = m_ws.WindowLong(w, WinLong::Style);
    info.hasStyle = true;
  }
  return (info.style & kStyleChild) != 0;
}

WindowSpan WindowWalk::Descendants(Hwnd w) {
  if (w == 0 || w == m_desktop) return DesktopWindows();
  auto it = m_runs.find(w);
  if (it == m_runs.end()) {
    Enumerate(w);
    it = m_runs.find(w);
  }
  const Run& run = it->second;
  return {run.list->data() + run.begin, run.end - run.begin};
}

WindowSpan WindowWalk::DesktopWindows() {
  if (m_desktopList == nullptr) {
    m_desktopList = &Enumerate(m_desktop);
    // Some desktops (and test doubles) report only the top-level windows here;
    // their runs would look empty, so they are used only when the list
    // evidently reaches below the top level.
    std::vector<Hwnd> top = m_ws.TopLevelWindows();
    if (m_desktopList->size() > top.size()) {
      std::unordered_set<Hwnd> topLevel(top.begin(), top.end());
      IndexRuns(*m_desktopList, m_desktop, &topLevel);
    }
  }
  return {m_desktopList->data(), m_desktopList->size()};
}

const std::vector<Hwnd>& WindowWalk::Enumerate(Hwnd w) {
  ++m_enumerations;
  m_lists.push_back(m_ws.ChildWindows(w));
  const std::vector<Hwnd>& list = m_lists.back();
  m_runs[w] = Run{&list, 0, static_cast<uint32_t>(list.size())};
  if (w != 0 && w != m_desktop) IndexRuns(list, w, nullptr);
  return list;
}

// Rebuilds the nesting of a depth-first list from the known parents. `open`
// holds the chain of windows whose runs may still go on; a window whose parent
// is unknown could close any of them, so none of those runs is trusted.
void WindowWalk::IndexRuns(const std::vector<Hwnd>& list, Hwnd owner,
                           const std::unordered_set<Hwnd>* topLevel) {
  struct Open {
    uint32_t index;
    bool trusted;
  };
  std::vector<Open> open;
  auto closeAbove = [&](size_t keep, uint32_t end) {
    while (open.size() > keep) {
      Open o = open.back();
      open.pop_back();
      if (o.trusted) m_runs.emplace(list[o.index], Run{&list, o.index + 1, end});
    }
  };
  const uint32_t count = static_cast<uint32_t>(list.size());
  for (uint32_t k = 0; k < count; ++k) {
    Hwnd w = list[k];
    bool placed = false;
    if (topLevel != nullptr && topLevel->count(w) != 0) {
      closeAbove(0, k);
      placed = true;
    } else if (HasChildStyle(w)) {
      Hwnd parent = Parent(w);
      if (parent == owner) {
        closeAbove(0, k);
        placed = true;
      } else {
        for (size_t j = open.size(); j-- > 0;) {
          if (list[open[j].index] == parent) {
            closeAbove(j + 1, k);
            placed = true;
            break;
          }
        }
      }
    }
    if (!placed) {
      for (Open& o : open) o.trusted = false;
    }
    open.push_back({k, true});
  }
  closeAbove(0, count);
}
