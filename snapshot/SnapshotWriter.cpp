#include "snapshot/SnapshotWriter.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "inspect/StyleTables.h"
#include "selectors/DesktopSelectors.h"
#include "selectors/SelectorGrammar.h"
#include "reading/Reading.h"

namespace {

constexpr size_t kFlushBytes = 64 * 1024;
// Most of the platform's time-out for a text (200 ms): an answer this slow
// is taken for none.
constexpr std::chrono::milliseconds kNotAnswering{150};
// The names as the platform's headers spell them, as the JSON report has them.
const DisplayOptions kUpperNames{kFormatHexadecimal, kCaseUpper};

void AppendInt(std::string& out, int64_t v) {
  char text[24];
  const int n = std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v));
  out.append(text, static_cast<size_t>(n));
}

void AppendRect(std::string& out, const WinRect& r) {
  out += "{\"left\": ";
  AppendInt(out, r.left);
  out += ", \"top\": ";
  AppendInt(out, r.top);
  out += ", \"right\": ";
  AppendInt(out, r.right);
  out += ", \"bottom\": ";
  AppendInt(out, r.bottom);
  out += '}';
}

// Length of the UTF-8 sequence starting at s[i], 0 when it is none.
size_t Utf8SequenceLength(const std::string& s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = 0;
  unsigned min = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  unsigned cp = c & (0xFF >> (n + 1));
  for (size_t k = 1; k < n; ++k) {
    const unsigned char t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

class RecordWriter {
 public:
  RecordWriter(const SnapshotSource& source, const SnapshotHeader& header, ByteSink& sink)
      : m_src(source), m_ws(*source.ws), m_header(header), m_sink(sink), m_text(kUtf8TextBufferSize, 0) {}

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
    m_out += "\n}\n";
    Flush();
    m_result.ok = m_ok;
    return m_result;
  }

 private:
  struct Open_ {
    Hwnd handle;
    bool visible;
    bool anyChild;
  };

  void WriteHeader() {
    m_out += "{\n  \"format\": \"";
    m_out += kSnapshotFormat;
    m_out += "\",\n  \"formatVersion\": ";
    AppendInt(m_out, kSnapshotFormatVersion);
    m_out += ",\n  \"tarvisk\": {\"version\": ";
    AppendJsonString(m_out, m_header.tarviskVersion);
    m_out += ", \"bits\": ";
    AppendInt(m_out, m_header.bits);
    m_out += "},\n  \"taken\": ";
    AppendJsonString(m_out, m_header.taken);
    m_out += ",\n  \"screen\": {\"width\": ";
    AppendInt(m_out, m_header.screenWidth);
    m_out += ", \"height\": ";
    AppendInt(m_out, m_header.screenHeight);
    m_out += ", \"dpi\": ";
    AppendInt(m_out, m_header.dpi);
    m_out += "},\n  \"session\": {\"bootTime\": ";
    AppendJsonString(m_out, m_header.bootTime);
    m_out += ", \"id\": ";
    AppendInt(m_out, m_header.sessionId);
    m_out += "},\n  \"root\": ";
    m_out += m_header.desktopRoot ? "\"desktop\"" : "\"window\"";
    m_out += ",\n  \"details\": ";
    m_out += m_header.details ? "true" : "false";
    m_out += ",\n  \"window\": ";
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
    const size_t base = m_open.size();
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
    w.processId = m_ws.ProcessId(h);
    std::memset(m_text.data(), 0, 4);
    // A program that let one question time out is not asked for texts again
    // during this snapshot: each of its windows would wait the time-out anew.
    if (m_notAnswering.count(w.processId) == 0) {
      const auto start = std::chrono::steady_clock::now();
      m_ws.SendGetText(h, m_text.data(), kUtf8TextBufferSize);
      if (std::chrono::steady_clock::now() - start >= kNotAnswering) m_notAnswering.insert(w.processId);
    }
    m_text[kUtf8TextBufferSize - 1] = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
    w.isResourceId = bytes[0] == 0xFF;
    if (w.isResourceId) {
      w.resourceId = bytes[1] + 256u * bytes[2];
    } else {
      w.text.assign(m_text.data(), std::strlen(m_text.data()));
    }
    w.className = m_ws.ClassName(h);
    w.className.resize(std::strlen(w.className.c_str()));
    w.controlId = m_ws.WindowLong(h, WinLong::Id);
    w.style = m_ws.WindowLong(h, WinLong::Style);
    w.exStyle = m_ws.WindowLong(h, WinLong::ExStyle);
    w.rect = m_ws.WindowRect(h);
    w.parentRect = topLevel ? w.rect : m_ws.ScreenToClientRect(treeParent, w.rect);
    const WinRect client = m_ws.ClientRect(h);
    w.clientWidth = static_cast<int32_t>(static_cast<uint32_t>(client.right) - static_cast<uint32_t>(client.left));
    w.clientHeight = static_cast<int32_t>(static_cast<uint32_t>(client.bottom) - static_cast<uint32_t>(client.top));
    w.visible = parentVisible && (w.style & kStyleVisible) != 0;
    w.enabled = (w.style & kStyleDisabled) == 0;
    auto known = m_executables.find(w.processId);
    if (known == m_executables.end()) {
      const std::string name = m_src.executableName ? m_src.executableName(w.processId) : std::string();
      known = m_executables.emplace(w.processId, name).first;
    }
    w.executable = known->second;
    return w;
  }

  const std::string& StyleJson(std::unordered_map<uint32_t, std::string>& cache, uint32_t value, bool ex) {
    auto it = cache.find(value);
    if (it != cache.end()) return it->second;
    std::string json = "{\"value\": ";
    AppendInt(json, value);
    json += ", \"constants\": [";
    const std::string decoded = ex ? DecodeExStyle(value, kUpperNames) : DecodeWindowStyle(value, kUpperNames);
    bool first = true;
    for (const std::string& name : SplitConstantNames(decoded)) {
      if (!first) json += ", ";
      first = false;
      AppendJsonString(json, name);
    }
    json += "]}";
    return cache.emplace(value, std::move(json)).first->second;
  }

  void Indent(int depth) { m_out.append(static_cast<size_t>(2 * depth), ' '); }

  // Writes the record up to its open children array. A record at level L of
  // the tree opens at indent 1 + 2L, its keys one further.
  void Open(const SnapshotWindow& w) {
    const int depth = 1 + 2 * static_cast<int>(m_open.size());
    if (!m_open.empty()) {
      m_out += m_open.back().anyChild ? ",\n" : "\n";
      m_open.back().anyChild = true;
      Indent(depth);
    }
    m_out += "{\n";
    const int in = depth + 1;
    auto key = [&](const char* name) {
      Indent(in);
      m_out += '"';
      m_out += name;
      m_out += "\": ";
    };
    key("handle");
    AppendInt(m_out, w.handle);
    m_out += ",\n";
    key("className");
    AppendJsonString(m_out, w.className);
    m_out += ",\n";
    key("text");
    AppendJsonString(m_out, w.text);
    m_out += ",\n";
    key("resourceId");
    if (w.isResourceId) {
      AppendInt(m_out, w.resourceId);
    } else {
      m_out += "null";
    }
    m_out += ",\n";
    key("processId");
    AppendInt(m_out, w.processId);
    m_out += ",\n";
    key("executable");
    if (w.executable.empty()) {
      m_out += "null";
    } else {
      AppendJsonString(m_out, w.executable);
    }
    m_out += ",\n";
    key("controlId");
    AppendInt(m_out, w.controlId);
    m_out += ",\n";
    key("rect");
    AppendRect(m_out, w.rect);
    m_out += ",\n";
    key("parentRect");
    AppendRect(m_out, w.parentRect);
    m_out += ",\n";
    key("clientSize");
    m_out += "{\"width\": ";
    AppendInt(m_out, w.clientWidth);
    m_out += ", \"height\": ";
    AppendInt(m_out, w.clientHeight);
    m_out += "},\n";
    key("style");
    m_out += StyleJson(m_styles, w.style, false);
    m_out += ",\n";
    key("exStyle");
    m_out += StyleJson(m_exStyles, w.exStyle, true);
    m_out += ",\n";
    key("visible");
    m_out += w.visible ? "true" : "false";
    m_out += ",\n";
    key("enabled");
    m_out += w.enabled ? "true" : "false";
    m_out += ",\n";
    if (w.hasSelector) {
      key("selector");
      AppendJsonString(m_out, w.selector);
      m_out += ",\n";
    }
    if (m_header.details && m_src.hooks.details) {
      key("details");
      const std::string details = m_src.hooks.details(w.handle);
      m_out += details.empty() ? std::string("null") : details;
      m_out += ",\n";
    }
    key("children");
    m_out += '[';
    m_open.push_back({w.handle, w.visible, false});
    ++m_result.windows;
    if (m_out.size() >= kFlushBytes) Flush();
  }

  // Closes the open records until `count` remain.
  void CloseTo(size_t count) {
    while (m_open.size() > count) {
      const int depth = 2 * static_cast<int>(m_open.size()) - 1;
      if (m_open.back().anyChild) {
        m_out += '\n';
        Indent(depth + 1);
      }
      m_out += "]\n";
      Indent(depth);
      m_out += '}';
      m_open.pop_back();
    }
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
  std::vector<char> m_text;
  std::string m_out;
  std::vector<Open_> m_open;
  std::unordered_map<uint32_t, std::string> m_executables, m_styles, m_exStyles;
  std::unordered_set<Hwnd> m_written;
  std::unordered_set<uint32_t> m_notAnswering;  // process ids
  SnapshotWritten m_result;
  bool m_ok = true;
};

}  // namespace

void AppendJsonString(std::string& out, const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const size_t n = Utf8SequenceLength(text, i);
      if (n == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(text, i, n);
        i += n;
      }
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  out += '"';
}

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
