#include "snapshot/SnapshotReader.h"

#include <cstdint>
#include <unordered_set>

#include "platform/JsonCursor.h"

namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : m_in(text.data(), text.size()) {}

  void Document(Snapshot& s) {
    m_in.BeginObject();
    std::string key;
    bool format = false, window = false;
    while (m_in.NextMember(key)) {
      if (key == "format") {
        if (m_in.String() != kSnapshotFormat) Fail("not a Tarvisk snapshot (\"format\" is not \"tarvisk-snapshot\")");
        format = true;
      } else if (key == "formatVersion") {
        const int64_t v = m_in.Integer(1, INT32_MAX);
        if (v > kSnapshotFormatVersion) {
          Fail("a snapshot of format version " + std::to_string(v) + ", which this Tarvisk cannot read");
        }
      } else if (key == "tarvisk") {
        Members([&](const std::string& k) {
          if (k == "version") {
            s.header.tarviskVersion = m_in.String();
          } else if (k == "bits") {
            s.header.bits = static_cast<int>(m_in.Integer(32, 64));
          } else {
            m_in.Skip();
          }
        });
      } else if (key == "taken") {
        s.header.taken = m_in.String();
      } else if (key == "screen") {
        Members([&](const std::string& k) {
          if (k == "width") {
            s.header.screenWidth = Int32();
          } else if (k == "height") {
            s.header.screenHeight = Int32();
          } else if (k == "dpi") {
            s.header.dpi = Int32();
          } else {
            m_in.Skip();
          }
        });
      } else if (key == "session") {
        Members([&](const std::string& k) {
          if (k == "bootTime") {
            s.header.bootTime = m_in.String();
          } else if (k == "id") {
            s.header.sessionId = UInt32();
          } else {
            m_in.Skip();
          }
        });
      } else if (key == "root") {
        const std::string root = m_in.String();
        if (root != "desktop" && root != "window") Fail("\"root\" is \"desktop\" or \"window\"");
        s.header.desktopRoot = root == "desktop";
      } else if (key == "details") {
        s.header.details = m_in.Boolean();
      } else if (key == "window") {
        if (window) Fail("a second \"window\"");
        if (!format) Fail("not a Tarvisk snapshot (no \"format\" before the windows)");
        Record(s, -1, 0);
        window = true;
      } else {
        m_in.Skip();
      }
    }
    m_in.ExpectEnd();
    if (!format) Fail("not a Tarvisk snapshot (no \"format\": \"tarvisk-snapshot\")");
    if (!window) Fail("the snapshot holds no \"window\"");
  }

 private:
  [[noreturn]] void Fail(const std::string& what) { m_in.Fail(what); }

  template <typename Each>
  void Members(Each each) {
    m_in.BeginObject();
    std::string key;
    while (m_in.NextMember(key)) each(key);
  }

  int32_t Int32() { return static_cast<int32_t>(m_in.Integer(INT32_MIN, INT32_MAX)); }
  uint32_t UInt32() { return static_cast<uint32_t>(m_in.Integer(0, UINT32_MAX)); }

  WinRect Rect() {
    WinRect r;
    int seen = 0;
    Members([&](const std::string& k) {
      if (k == "left") {
        r.left = Int32(), seen |= 1;
      } else if (k == "top") {
        r.top = Int32(), seen |= 2;
      } else if (k == "right") {
        r.right = Int32(), seen |= 4;
      } else if (k == "bottom") {
        r.bottom = Int32(), seen |= 8;
      } else {
        m_in.Skip();
      }
    });
    if (seen != 15) Fail("a rectangle needs \"left\", \"top\", \"right\" and \"bottom\"");
    return r;
  }

  uint32_t StyleValue() {
    uint32_t value = 0;
    bool seen = false;
    Members([&](const std::string& k) {
      if (k == "value") {
        value = UInt32();
        seen = true;
      } else {
        m_in.Skip();
      }
    });
    if (!seen) Fail("a style needs its \"value\"");
    return value;
  }

  void Record(Snapshot& s, int parent, int depth) {
    m_in.Peek();
    const size_t start = m_in.Offset();
    const int index = static_cast<int>(s.windows.size());
    s.windows.emplace_back();
    s.windows[index].parent = parent;
    s.windows[index].depth = depth;
    bool handle = false, className = false;
    m_in.BeginObject();
    std::string key;
    while (m_in.NextMember(key)) {
      // Reading the children adds records, so the record is found again each time.
      SnapshotWindow& w = s.windows[index];
      if (key == "handle") {
        w.handle = UInt32();
        handle = true;
        // Handles tell windows apart; a file that repeats one has been changed.
        if (!m_handles.insert(w.handle).second) {
          m_in.FailAt(start, "a second window with the handle " + std::to_string(w.handle));
        }
      } else if (key == "className") {
        w.className = m_in.String();
        className = true;
      } else if (key == "text") {
        w.text = m_in.String();
      } else if (key == "resourceId") {
        w.isResourceId = !m_in.TakeNull();
        if (w.isResourceId) w.resourceId = static_cast<uint32_t>(m_in.Integer(0, 0xFFFF));
      } else if (key == "processId") {
        w.processId = UInt32();
      } else if (key == "executable") {
        if (!m_in.TakeNull()) w.executable = m_in.String();
      } else if (key == "hostProcessId") {
        w.hostProcessId = UInt32();
      } else if (key == "hostExecutable") {
        if (!m_in.TakeNull()) w.hostExecutable = m_in.String();
      } else if (key == "controlId") {
        w.controlId = UInt32();
      } else if (key == "rect") {
        w.rect = Rect();
      } else if (key == "parentRect") {
        w.parentRect = Rect();
      } else if (key == "clientSize") {
        Members([&](const std::string& k) {
          if (k == "width") {
            w.clientWidth = Int32();
          } else if (k == "height") {
            w.clientHeight = Int32();
          } else {
            m_in.Skip();
          }
        });
      } else if (key == "style") {
        w.style = StyleValue();
      } else if (key == "exStyle") {
        w.exStyle = StyleValue();
      } else if (key == "visible") {
        w.visible = m_in.Boolean();
      } else if (key == "enabled") {
        w.enabled = m_in.Boolean();
      } else if (key == "selector") {
        w.selector = m_in.String();
        w.hasSelector = true;
      } else if (key == "children") {
        m_in.BeginArray();
        while (m_in.NextElement()) Record(s, index, depth + 1);
      } else {
        m_in.Skip();
      }
    }
    if (!handle || !className) {
      m_in.FailAt(start, "a window needs its \"handle\" and \"className\"");
    }
  }

  JsonCursor m_in;
  std::unordered_set<Hwnd> m_handles;
};

}  // namespace

bool ReadSnapshot(const std::string& text, Snapshot& snapshot, std::string* error) {
  snapshot = Snapshot();
  try {
    Reader(text).Document(snapshot);
    return true;
  } catch (const JsonError& e) {
    if (error) {
      *error = "line " + std::to_string(e.position.line) + ", column " + std::to_string(e.position.column) +
               ": " + e.what();
    }
    snapshot = Snapshot();
    return false;
  }
}
