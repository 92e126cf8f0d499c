// The two forms of a difference: lines for people and scripts that grep, and
// JSON for tools.
#include <cstdio>

#include "platform/JsonCursor.h"
#include "platform/JsonWriter.h"
#include "snapshot/SnapshotDiff.h"

namespace {

std::string HandleText(Hwnd h) {
  char text[12];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(h));
  return text;
}

const char* KindName(ChangeKind k) {
  switch (k) {
    case ChangeKind::Added: return "added";
    case ChangeKind::Removed: return "removed";
    case ChangeKind::Moved: return "moved";
    case ChangeKind::Changed: break;
  }
  return "changed";
}

void Side(JsonWriter& w, const Snapshot& s, const std::string& file) {
  w.BeginObject().Key("file").String(file).Key("taken").String(s.header.taken);
  w.Key("root").String(s.header.desktopRoot ? "desktop" : "window").Key("windows").Number(s.windows.size());
  w.EndObject();
}

// A change's value, kept as compact JSON text, laid out where it stands in
// the document. The values are the difference's own: whole numbers, strings,
// true and false, and objects and arrays of them.
void Relay(JsonCursor& in, JsonWriter& out) {
  switch (in.Peek()) {
    case JsonCursor::Kind::Object: {
      in.BeginObject();
      out.BeginObject();
      std::string key;
      while (in.NextMember(key)) {
        out.Key(key.c_str());
        Relay(in, out);
      }
      out.EndObject();
      return;
    }
    case JsonCursor::Kind::Array:
      in.BeginArray();
      out.BeginArray();
      while (in.NextElement()) Relay(in, out);
      out.EndArray();
      return;
    case JsonCursor::Kind::String: out.String(in.String()); return;
    case JsonCursor::Kind::Number: out.Number(in.Integer(INT64_MIN, INT64_MAX)); return;
    case JsonCursor::Kind::Boolean: out.Bool(in.Boolean()); return;
    default: in.TakeNull(); out.Null(); return;
  }
}

void Relay(const std::string& json, JsonWriter& out) {
  JsonCursor in(json.data(), json.size());
  Relay(in, out);
}

}  // namespace

std::string DiffText(const SnapshotDiff& diff) {
  std::string out;
  for (const SnapshotChange& c : diff.changes) {
    std::string line = KindName(c.kind);
    line.resize(8, ' ');
    switch (c.kind) {
      case ChangeKind::Added:
      case ChangeKind::Removed:
        line += c.path + " (handle " + HandleText(c.handle);
        if (c.windowsBelow > 0) {
          line += ", " + std::to_string(c.windowsBelow) + (c.windowsBelow == 1 ? " window" : " windows") + " below";
        }
        line += ")";
        break;
      case ChangeKind::Moved: line += c.oldPath + " -> " + c.path; break;
      case ChangeKind::Changed: line += c.path + ": " + c.field + " " + c.oldText + " -> " + c.newText; break;
    }
    out += line + "\r\n";
  }
  return out;
}

std::string DiffJson(const SnapshotDiff& diff, const Snapshot& before, const Snapshot& after,
                     const std::string& beforeFile, const std::string& afterFile) {
  std::string out;
  JsonWriter w(out);
  w.BeginObject();
  w.Key("matchedBy").String(diff.byHandle ? "handle" : "path");
  w.Key("same").Bool(diff.changes.empty());
  Side(w.Key("old"), before, beforeFile);
  Side(w.Key("new"), after, afterFile);
  w.Key("changes").BeginArray();
  for (const SnapshotChange& c : diff.changes) {
    w.BeginObject();
    w.Key("change").String(KindName(c.kind));
    w.Key("path").String(c.path);
    w.Key("handle").Number(c.handle);
    if (c.kind == ChangeKind::Moved) w.Key("oldPath").String(c.oldPath);
    if (c.kind == ChangeKind::Added || c.kind == ChangeKind::Removed) w.Key("windowsBelow").Number(c.windowsBelow);
    if (c.kind == ChangeKind::Changed) {
      w.Key("field").String(c.field);
      Relay(c.oldJson, w.Key("old"));
      Relay(c.newJson, w.Key("new"));
    }
    w.EndObject();
  }
  w.EndArray().EndObject();
  return out + "\n";
}
