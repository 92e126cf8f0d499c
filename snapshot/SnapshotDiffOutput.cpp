// The two forms of a difference: lines for people and scripts that grep, and
// JSON for tools.
#include <cstdio>

#include <nlohmann/json.hpp>

#include "snapshot/SnapshotDiff.h"

using Json = nlohmann::ordered_json;

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

Json Side(const Snapshot& s, const std::string& file) {
  return {{"file", file},
          {"taken", s.header.taken},
          {"root", s.header.desktopRoot ? "desktop" : "window"},
          {"windows", s.windows.size()}};
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
  Json j;
  j["matchedBy"] = diff.byHandle ? "handle" : "path";
  j["same"] = diff.changes.empty();
  j["old"] = Side(before, beforeFile);
  j["new"] = Side(after, afterFile);
  Json changes = Json::array();
  for (const SnapshotChange& c : diff.changes) {
    Json e;
    e["change"] = KindName(c.kind);
    e["path"] = c.path;
    e["handle"] = c.handle;
    if (c.kind == ChangeKind::Moved) e["oldPath"] = c.oldPath;
    if (c.kind == ChangeKind::Added || c.kind == ChangeKind::Removed) e["windowsBelow"] = c.windowsBelow;
    if (c.kind == ChangeKind::Changed) {
      e["field"] = c.field;
      e["old"] = Json::parse(c.oldJson);
      e["new"] = Json::parse(c.newJson);
    }
    changes.push_back(std::move(e));
  }
  j["changes"] = std::move(changes);
  return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
