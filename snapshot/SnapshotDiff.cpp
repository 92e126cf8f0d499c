#include "snapshot/SnapshotDiff.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "inspect/StyleTables.h"
#include "platform/JsonWriter.h"
#include "reading/Reading.h"

const char* const kDiffFields[] = {"handle", "text",  "executable", "controlId", "rect",
                                   "clientSize", "style", "exStyle", "visible", "enabled"};
const int kDiffFieldCount = static_cast<int>(sizeof kDiffFields / sizeof kDiffFields[0]);

bool IsDiffField(const std::string& name) {
  for (const char* f : kDiffFields) {
    if (name == f) return true;
  }
  return false;
}

namespace {

const DisplayOptions kUpperNames{kFormatHexadecimal, kCaseUpper};
// Reported as the visible and enabled fields, not as style bits.
constexpr uint32_t kOwnFlags = kStyleVisible | kStyleDisabled;

bool TopLevel(const SnapshotWindow& w) { return (w.style & kStyleChild) == 0; }

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// Class names may hold the characters the path uses.
std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '/' || c == '[' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

struct Paths {
  std::vector<std::string> keys, shown;
};

Paths MakePaths(const Snapshot& s) {
  Paths p;
  const size_t n = s.windows.size();
  p.keys.resize(n);
  p.shown.resize(n);
  // Per parent: how many siblings of each kind were met so far.
  std::unordered_map<std::string, int> counts;
  for (size_t i = 0; i < n; ++i) {
    const SnapshotWindow& w = s.windows[i];
    std::string base, step;
    if (TopLevel(w)) {
      base = Lower(w.executable) + '\x1F' + w.className;
      step = (w.executable.empty() ? std::string() : w.executable + ":") + Escaped(w.className);
    } else {
      base = w.className + '\x1F' + std::to_string(w.controlId);
      step = Escaped(w.className) + (w.controlId != 0 ? "#" + std::to_string(w.controlId) : std::string());
    }
    const std::string parentKey = w.parent >= 0 ? p.keys[static_cast<size_t>(w.parent)] : std::string();
    const int number = ++counts[std::to_string(w.parent) + '\x1D' + base];
    if (number > 1) step += "[" + std::to_string(number) + "]";
    p.keys[i] = parentKey + '\x1E' + base + '\x1F' + std::to_string(number);
    if (w.parent < 0) {
      p.shown[i] = s.header.desktopRoot ? std::string() : step;
    } else {
      const std::string& above = p.shown[static_cast<size_t>(w.parent)];
      p.shown[i] = above.empty() ? step : above + "/" + step;
    }
  }
  if (n > 0 && p.shown[0].empty()) p.shown[0] = "(desktop)";
  return p;
}

// Seconds since 1970 of "YYYY-MM-DDTHH:MM:SSZ"; false when it is not one.
bool EpochSeconds(const std::string& t, long long& out) {
  int y, mo, d, h, mi, s;
  char z = 0;
  if (std::sscanf(t.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &z) != 7 || z != 'Z')
    return false;
  // Days from the civil date (proleptic Gregorian).
  y -= mo <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  out = (era * 146097 + doe - 719468) * 86400 + h * 3600 + mi * 60 + s;
  return true;
}

std::string Quoted(const std::string& text) {
  std::string out;
  AppendJsonString(out, text, JsonStrings::Snapshot);
  return out;
}

std::string TextValue(const SnapshotWindow& w, bool json) {
  if (w.isResourceId) {
    return json ? "{\"resourceId\": " + std::to_string(w.resourceId) + "}"
                : "resource " + std::to_string(w.resourceId);
  }
  return Quoted(w.text);
}

std::string RectValue(const WinRect& r, bool json) {
  char text[128];
  std::snprintf(text, sizeof text,
                json ? "{\"left\": %ld, \"top\": %ld, \"right\": %ld, \"bottom\": %ld}" : "(%ld, %ld)-(%ld, %ld)",
                static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                static_cast<long>(r.bottom));
  return text;
}

std::string SizeValue(const SnapshotWindow& w, bool json) {
  char text[64];
  std::snprintf(text, sizeof text, json ? "{\"width\": %ld, \"height\": %ld}" : "%ld x %ld",
                static_cast<long>(w.clientWidth), static_cast<long>(w.clientHeight));
  return text;
}

std::vector<std::string> StyleNames(uint32_t value, bool ex) {
  return SplitConstantNames(ex ? DecodeExStyle(value, kUpperNames) : DecodeWindowStyle(value, kUpperNames));
}

std::string StyleJson(uint32_t value, bool ex) {
  std::string out = "{\"value\": " + std::to_string(value) + ", \"constants\": [";
  bool first = true;
  for (const std::string& name : StyleNames(value, ex)) {
    if (!first) out += ", ";
    first = false;
    out += Quoted(name);
  }
  return out + "]}";
}

std::string Hex(uint32_t v) {
  char text[12];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(v));
  return text;
}

bool Near(int32_t a, int32_t b, int tolerance) {
  return std::llabs(static_cast<long long>(a) - static_cast<long long>(b)) <= tolerance;
}

class Differ {
 public:
  Differ(const Snapshot& a, const Snapshot& b, const DiffOptions& o) : m_a(a), m_b(b), m_o(o) {}

  SnapshotDiff Run() {
    m_pa = MakePaths(m_a);
    m_pb = MakePaths(m_b);
    Match();
    ReportNewer();
    ReportRemoved();
    return std::move(m_diff);
  }

 private:
  bool Ignored(const char* field) const {
    return std::find(m_o.ignore.begin(), m_o.ignore.end(), field) != m_o.ignore.end();
  }

  void Match() {
    const size_t na = m_a.windows.size(), nb = m_b.windows.size();
    m_toB.assign(na, -1);
    m_toA.assign(nb, -1);
    const bool sameRoot = na > 0 && nb > 0 &&
                          ((m_a.header.desktopRoot && m_b.header.desktopRoot) ||
                           (!m_a.header.desktopRoot && !m_b.header.desktopRoot &&
                            m_a.windows[0].handle == m_b.windows[0].handle));
    m_diff.byHandle = !Ignored("handle") && sameRoot && SameSession(m_a.header, m_b.header);
    std::unordered_map<std::string, int> index;
    for (size_t j = 0; j < nb; ++j) {
      index.emplace(m_diff.byHandle ? std::to_string(m_b.windows[j].handle) : m_pb.keys[j], static_cast<int>(j));
    }
    for (size_t i = 0; i < na; ++i) {
      const auto it = index.find(m_diff.byHandle ? std::to_string(m_a.windows[i].handle) : m_pa.keys[i]);
      if (it == index.end() || m_toA[static_cast<size_t>(it->second)] >= 0) continue;
      const SnapshotWindow& x = m_a.windows[i];
      const SnapshotWindow& y = m_b.windows[static_cast<size_t>(it->second)];
      if (m_diff.byHandle && (x.processId != y.processId || x.className != y.className)) continue;
      m_toB[i] = it->second;
      m_toA[static_cast<size_t>(it->second)] = static_cast<int>(i);
    }
  }

  // The windows below `i` (depth first) for which `matched` holds no partner.
  static int UnmatchedBelow(const Snapshot& s, const std::vector<int>& matched, size_t i) {
    int count = 0;
    for (size_t k = i + 1; k < s.windows.size() && s.windows[k].depth > s.windows[i].depth; ++k) {
      if (matched[k] < 0) ++count;
    }
    return count;
  }

  void ReportNewer() {
    for (size_t j = 0; j < m_b.windows.size(); ++j) {
      const SnapshotWindow& y = m_b.windows[j];
      const int i = m_toA[j];
      if (i < 0) {
        // Only the top of what came: the windows below it came with it.
        if (y.parent >= 0 && m_toA[static_cast<size_t>(y.parent)] < 0) continue;
        SnapshotChange c;
        c.kind = ChangeKind::Added;
        c.path = m_pb.shown[j];
        c.handle = y.handle;
        c.windowsBelow = UnmatchedBelow(m_b, m_toA, j);
        m_diff.changes.push_back(std::move(c));
        continue;
      }
      const SnapshotWindow& x = m_a.windows[static_cast<size_t>(i)];
      const int oldParent = x.parent, newParent = y.parent;
      const bool moved = (oldParent < 0) != (newParent < 0) ||
                         (oldParent >= 0 && m_toB[static_cast<size_t>(oldParent)] != newParent);
      if (moved) {
        SnapshotChange c;
        c.kind = ChangeKind::Moved;
        c.path = m_pb.shown[j];
        c.oldPath = m_pa.shown[static_cast<size_t>(i)];
        c.handle = y.handle;
        m_diff.changes.push_back(std::move(c));
      }
      Fields(x, y, j);
    }
  }

  void ReportRemoved() {
    for (size_t i = 0; i < m_a.windows.size(); ++i) {
      const SnapshotWindow& x = m_a.windows[i];
      if (m_toB[i] >= 0 || (x.parent >= 0 && m_toB[static_cast<size_t>(x.parent)] < 0)) continue;
      SnapshotChange c;
      c.kind = ChangeKind::Removed;
      c.path = m_pa.shown[i];
      c.handle = x.handle;
      c.windowsBelow = UnmatchedBelow(m_a, m_toB, i);
      m_diff.changes.push_back(std::move(c));
    }
  }

  void Changed(size_t j, const char* field, std::string oldText, std::string newText, std::string oldJson,
               std::string newJson) {
    if (Ignored(field)) return;
    SnapshotChange c;
    c.kind = ChangeKind::Changed;
    c.path = m_pb.shown[j];
    c.handle = m_b.windows[j].handle;
    c.field = field;
    c.oldText = std::move(oldText);
    c.newText = std::move(newText);
    c.oldJson = std::move(oldJson);
    c.newJson = std::move(newJson);
    m_diff.changes.push_back(std::move(c));
  }

  void StyleChange(size_t j, const char* field, uint32_t before, uint32_t after, bool ex) {
    const uint32_t mask = ex ? 0xFFFFFFFFu : ~kOwnFlags;
    if ((before & mask) == (after & mask)) return;
    // The text names the constants that came and went.
    const std::vector<std::string> a = StyleNames(before & mask, ex), b = StyleNames(after & mask, ex);
    std::string names;
    for (const std::string& n : b) {
      if (std::find(a.begin(), a.end(), n) == a.end()) names += " +" + n;
    }
    for (const std::string& n : a) {
      if (std::find(b.begin(), b.end(), n) == b.end()) names += " -" + n;
    }
    Changed(j, field, Hex(before), Hex(after) + (names.empty() ? std::string() : " (" + names.substr(1) + ")"),
            StyleJson(before, ex), StyleJson(after, ex));
  }

  void Fields(const SnapshotWindow& x, const SnapshotWindow& y, size_t j) {
    if (x.isResourceId != y.isResourceId || x.resourceId != y.resourceId || x.text != y.text) {
      Changed(j, "text", TextValue(x, false), TextValue(y, false), TextValue(x, true), TextValue(y, true));
    }
    if (x.executable != y.executable) {
      Changed(j, "executable", Quoted(x.executable), Quoted(y.executable), Quoted(x.executable),
              Quoted(y.executable));
    }
    // A top-level window's identifier slot holds its menu, which differs from run to run.
    if (!TopLevel(y) && x.controlId != y.controlId) {
      Changed(j, "controlId", std::to_string(x.controlId), std::to_string(y.controlId),
              std::to_string(x.controlId), std::to_string(y.controlId));
    }
    const int t = m_o.tolerance;
    const WinRect &r = x.parentRect, &s = y.parentRect;
    if (!Near(r.left, s.left, t) || !Near(r.top, s.top, t) || !Near(r.right, s.right, t) ||
        !Near(r.bottom, s.bottom, t)) {
      Changed(j, "rect", RectValue(r, false), RectValue(s, false), RectValue(r, true), RectValue(s, true));
    }
    if (!Near(x.clientWidth, y.clientWidth, t) || !Near(x.clientHeight, y.clientHeight, t)) {
      Changed(j, "clientSize", SizeValue(x, false), SizeValue(y, false), SizeValue(x, true), SizeValue(y, true));
    }
    StyleChange(j, "style", x.style, y.style, false);
    StyleChange(j, "exStyle", x.exStyle, y.exStyle, true);
    if (x.visible != y.visible && !VisibilityInherited(x, y)) {
      Changed(j, "visible", x.visible ? "true" : "false", y.visible ? "true" : "false", x.visible ? "true" : "false",
              y.visible ? "true" : "false");
    }
    if (x.enabled != y.enabled) {
      Changed(j, "enabled", x.enabled ? "true" : "false", y.enabled ? "true" : "false", x.enabled ? "true" : "false",
              y.enabled ? "true" : "false");
    }
  }

  // A window shown or hidden with its parent, its own WS_VISIBLE unchanged:
  // the parent's line tells it.
  bool VisibilityInherited(const SnapshotWindow& x, const SnapshotWindow& y) const {
    if ((x.style & kStyleVisible) != (y.style & kStyleVisible) || y.parent < 0) return false;
    const int pb = y.parent;
    const int pa = m_toA[static_cast<size_t>(pb)];
    return pa >= 0 && m_a.windows[static_cast<size_t>(pa)].visible != m_b.windows[static_cast<size_t>(pb)].visible;
  }

  const Snapshot& m_a;
  const Snapshot& m_b;
  const DiffOptions& m_o;
  Paths m_pa, m_pb;
  std::vector<int> m_toB, m_toA;
  SnapshotDiff m_diff;
};

}  // namespace

bool SameSession(const SnapshotHeader& a, const SnapshotHeader& b) {
  long long ta = 0, tb = 0;
  if (a.sessionId != b.sessionId || !EpochSeconds(a.bootTime, ta) || !EpochSeconds(b.bootTime, tb)) return false;
  return std::llabs(ta - tb) <= 2;
}

SnapshotDiff DiffSnapshots(const Snapshot& before, const Snapshot& after, const DiffOptions& options) {
  return Differ(before, after, options).Run();
}

std::vector<std::string> WindowPaths(const Snapshot& snapshot) { return MakePaths(snapshot).shown; }
