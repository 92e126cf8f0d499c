#include "snapshot/SnapshotWriter.h"

#include <cstdio>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "inspect/StyleTables.h"
#include "platform/JsonWriter.h"
#include "selectors/DesktopSelectors.h"
#include "selectors/SelectorGrammar.h"
#include "reading/Reading.h"
#include "reading/WindowFacts.h"

namespace {

constexpr size_t kFlushBytes = 64 * 1024;
// The names as the platform's headers spell them, as the JSON report has them.
const DisplayOptions kUpperNames{kFormatHexadecimal, kCaseUpper};

class RecordWriter {
 public:
  RecordWriter(const SnapshotSource& source, const SnapshotHeader& header, ByteSink& sink)
      : m_src(source), m_ws(*source.ws), m_header(header), m_sink(sink) {}

  SnapshotWritten Run(Hwnd root) {
    WriteHeader();
    if (root == 0) {
      const Hwnd desktop = m_ws.Desktop();
      m_written.insert(desktop);
      Open(Read(desktop, 0, true, true));
      for (Hwnd top : m_ws.TopLevelWindows()) SubtreeFrom(top, 0, true, true);
    } else {
      const bool topLevel = (m_ws.WindowLong(root, WinLong::Style) & kStyleChild) == 0;
      const Hwnd parent = topLevel ? 0 : m_ws.Parent(root);
      const bool parentVisible = topLevel || m_ws.IsVisible(parent);
      SubtreeFrom(root, parent, parentVisible, topLevel);
    }
    CloseTo(0);
    m_json.EndObject();
    m_out += '\n';
    Flush();
    m_result.ok = m_ok;
    return m_result;
  }

 private:
  void WriteHeader() {
    constexpr auto kInline = JsonWriter::Layout::Inline;
    m_json.BeginObject();
    m_json.Key("format").String(kSnapshotFormat);
    m_json.Key("formatVersion").Number(kSnapshotFormatVersion);
    m_json.Key("tarvisk").BeginObject(kInline).Key("version").String(m_header.tarviskVersion);
    m_json.Key("bits").Number(m_header.bits).EndObject();
    m_json.Key("taken").String(m_header.taken);
    m_json.Key("screen").BeginObject(kInline).Key("width").Number(m_header.screenWidth);
    m_json.Key("height").Number(m_header.screenHeight).Key("dpi").Number(m_header.dpi).EndObject();
    m_json.Key("session").BeginObject(kInline).Key("bootTime").String(m_header.bootTime);
    m_json.Key("id").Number(m_header.sessionId).EndObject();
    m_json.Key("root").String(m_header.desktopRoot ? "desktop" : "window");
    m_json.Key("details").Bool(m_header.details);
    m_json.Key("window");
  }

  // The window and the descendants EnumChildWindows gives, nested by their
  // parents. A window whose parent is not on the path walked (it moved or went
  // away while the list was read) is left out with what hangs below it. The
  // tree is read whole before it is written, since a window's selector
  // depends on the siblings after it; a top-level window's tree is a small
  // part of a desktop's.
  void SubtreeFrom(Hwnd root, Hwnd parent, bool parentVisible, bool topLevel) {
    if (!m_written.insert(root).second) return;
    std::vector<SnapshotWindow> tree{Read(root, parent, parentVisible, topLevel)};
    std::vector<size_t> above{0}, depth{0};
    std::vector<size_t> path{0};
    for (Hwnd c : m_ws.ChildWindows(root)) {
      const Hwnd p = m_ws.Parent(c);
      size_t at = path.size();
      while (at > 0 && tree[path[at - 1]].handle != p) --at;
      // A window moved from one parent to another while the tree was read
      // may be met twice; it is written once.
      if (at == 0 || !m_written.insert(c).second) continue;
      path.resize(at);
      tree.push_back(Read(c, p, tree[path.back()].visible, false));
      above.push_back(path.back());
      depth.push_back(at);
      path.push_back(tree.size() - 1);
    }
    if (m_src.hooks.selector) NameTree(tree, above);
    const size_t base = m_open;
    for (size_t i = 0; i < tree.size(); ++i) {
      CloseTo(base + depth[i]);
      Open(tree[i]);
    }
    CloseTo(base);
  }

  void NameTree(std::vector<SnapshotWindow>& tree, const std::vector<size_t>& above) {
    tree[0].selector = m_src.hooks.selector(m_ws, tree[0].handle);
    if (tree[0].selector.empty()) return;
    tree[0].hasSelector = true;
    std::vector<ListedChild> listed;
    for (size_t i = 1; i < tree.size(); ++i) listed.push_back({tree[above[i]].handle, &tree[i].className, tree[i].controlId});
    const std::vector<SelectorStep> steps = ChildSelectorSteps(listed);
    for (size_t i = 1; i < tree.size(); ++i) {
      tree[i].selector = tree[above[i]].selector + " / " + TarviskSelectorText({steps[i - 1]});
      tree[i].hasSelector = true;
    }
  }

  SnapshotWindow Read(Hwnd h, Hwnd treeParent, bool parentVisible, bool topLevel) {
    SnapshotWindow w;
    w.handle = h;
    const WindowFacts process = ReadWindowFacts(m_ws, h, Facts::Process);
    w.processId = process.processId;
    w.hostProcessId = process.hostProcessId;
    // A program that let one question time out is not asked for texts again
    // during this snapshot: each of its windows would wait the time-out anew.
    FactSet asked = Facts::ClassName | Facts::ControlId | Facts::Styles | Facts::WindowRect | Facts::ClientRect;
    if (m_notAnswering.count(w.processId) == 0) asked |= Facts::Text;
    // A top-level window stands in screen coordinates: nothing to map.
    if (!topLevel) asked |= Facts::ParentCoords;
    const WindowFacts f = ReadWindowFacts(m_ws, h, asked, topLevel ? 0 : treeParent);
    if (f.textUnanswered) m_notAnswering.insert(w.processId);
    w.isResourceId = f.isResourceId;
    w.resourceId = f.resourceId;
    w.text = f.text;
    w.className = f.className;
    w.controlId = f.controlId;
    w.style = f.style;
    w.exStyle = f.exStyle;
    w.rect = f.screenCoords;
    w.parentRect = topLevel ? w.rect : f.parentCoords;
    w.clientWidth = RectWidth(f.clientRect);
    w.clientHeight = RectHeight(f.clientRect);
    w.visible = parentVisible && (w.style & kStyleVisible) != 0;
    w.enabled = (w.style & kStyleDisabled) == 0;
    w.executable = ExecutableOf(w.processId);
    if (w.hostProcessId) w.hostExecutable = ExecutableOf(w.hostProcessId);
    return w;
  }

  const std::string& ExecutableOf(uint32_t processId) {
    auto known = m_executables.find(processId);
    if (known == m_executables.end()) {
      const std::string name = m_src.executableName ? m_src.executableName(processId) : std::string();
      known = m_executables.emplace(processId, name).first;
    }
    return known->second;
  }

  const std::string& StyleJson(std::unordered_map<uint32_t, std::string>& cache, uint32_t value, bool ex) {
    auto it = cache.find(value);
    if (it != cache.end()) return it->second;
    std::string json;
    JsonWriter style(json, JsonStrings::Snapshot, JsonWriter::Layout::Inline);
    const std::string decoded = ex ? DecodeExStyle(value, kUpperNames) : DecodeWindowStyle(value, kUpperNames);
    style.BeginObject().Key("value").Number(value).Key("constants").Strings(SplitConstantNames(decoded));
    style.EndObject();
    return cache.emplace(value, std::move(json)).first->second;
  }

  // Writes the record up to its open children array.
  void Open(const SnapshotWindow& w) {
    constexpr auto kInline = JsonWriter::Layout::Inline;
    JsonWriter& j = m_json;
    j.BeginObject();
    j.Key("handle").Number(w.handle);
    j.Key("className").String(w.className);
    j.Key("text").String(w.text);
    j.Key("resourceId");
    if (w.isResourceId) {
      j.Number(w.resourceId);
    } else {
      j.Null();
    }
    j.Key("processId").Number(w.processId);
    j.Key("executable");
    if (w.executable.empty()) {
      j.Null();
    } else {
      j.String(w.executable);
    }
    // Only a frame has a host: every other record keeps its bytes.
    if (w.hostProcessId) {
      j.Key("hostProcessId").Number(w.hostProcessId);
      j.Key("hostExecutable");
      if (w.hostExecutable.empty()) {
        j.Null();
      } else {
        j.String(w.hostExecutable);
      }
    }
    j.Key("controlId").Number(w.controlId);
    const std::pair<const char*, const WinRect*> rects[] = {{"rect", &w.rect}, {"parentRect", &w.parentRect}};
    for (const auto& [key, r] : rects) {
      j.Key(key).BeginObject(kInline).Key("left").Number(r->left).Key("top").Number(r->top);
      j.Key("right").Number(r->right).Key("bottom").Number(r->bottom).EndObject();
    }
    j.Key("clientSize").BeginObject(kInline).Key("width").Number(w.clientWidth);
    j.Key("height").Number(w.clientHeight).EndObject();
    j.Key("style").Raw(StyleJson(m_styles, w.style, false));
    j.Key("exStyle").Raw(StyleJson(m_exStyles, w.exStyle, true));
    j.Key("visible").Bool(w.visible);
    j.Key("enabled").Bool(w.enabled);
    if (w.hasSelector) j.Key("selector").String(w.selector);
    if (m_header.details && m_src.hooks.details) {
      const std::string details = m_src.hooks.details(w.handle);
      j.Key("details").Raw(details.empty() ? std::string("null") : details);
    }
    j.Key("children").BeginArray();
    ++m_open;
    ++m_result.windows;
    if (m_out.size() >= kFlushBytes) Flush();
  }

  // Closes the open records until `count` remain.
  void CloseTo(size_t count) {
    for (; m_open > count; --m_open) m_json.EndArray().EndObject();
  }

  // The buffer goes out at record boundaries, so that no chunk ends inside a
  // character (a console converts each chunk on its own).
  void Flush() {
    if (m_ok && !m_out.empty()) m_ok = m_sink.Write(m_out.data(), m_out.size());
    m_result.bytes += m_out.size();
    m_out.clear();
  }

  const SnapshotSource& m_src;
  const WindowSystem& m_ws;
  const SnapshotHeader& m_header;
  ByteSink& m_sink;
  std::string m_out;
  JsonWriter m_json{m_out, JsonStrings::Snapshot};
  size_t m_open = 0;  // records whose children are being written
  std::unordered_map<uint32_t, std::string> m_executables, m_styles, m_exStyles;
  std::unordered_set<Hwnd> m_written;
  std::unordered_set<uint32_t> m_notAnswering;  // process ids
  SnapshotWritten m_result;
  bool m_ok = true;
};

}  // namespace

SnapshotWritten WriteSnapshot(const SnapshotSource& source, const SnapshotHeader& header, Hwnd root,
                              ByteSink& sink) {
  // The desktop window named as the root is the whole desktop: its children
  // are the top-level windows, which the enumeration of its descendants does
  // not nest under it.
  if (root == source.ws->Desktop()) root = 0;
  SnapshotHeader h = header;
  h.desktopRoot = root == 0;
  return RecordWriter(source, h, sink).Run(root);
}
