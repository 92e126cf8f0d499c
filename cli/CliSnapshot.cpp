#include "cli/CliSnapshot.h"

#include "snapshot/SnapshotReader.h"

namespace {

CliOutcome Failed(int status, const std::string& error) {
  CliOutcome o;
  o.status = status;
  o.error = error;
  return o;
}

bool Load(const std::string& file, const ReadFileBytes& read, Snapshot& s, std::string* error) {
  std::string bytes, reason;
  if (!read(file, bytes, &reason)) {
    *error = file + ": " + reason;
    return false;
  }
  if (!ReadSnapshot(bytes, s, &reason)) {
    *error = file + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace

CliOutcome RunDiffRequest(const SnapshotCliRequest& r, const ReadFileBytes& read) {
  Snapshot before, after;
  std::string error;
  if (!Load(r.oldFile, read, before, &error) || !Load(r.newFile, read, after, &error)) {
    return Failed(kCliFailed, error);
  }
  const SnapshotDiff diff = DiffSnapshots(before, after, r.diff);
  CliOutcome o;
  o.status = diff.changes.empty() ? kCliOk : kCliDiffers;
  o.output = r.json ? DiffJson(diff, before, after, r.oldFile, r.newFile) : DiffText(diff);
  return o;
}

CliOutcome SnapshotRoot(const SnapshotCliRequest& r, const WindowSystem& ws, const SnapshotHooks& hooks, Hwnd& root) {
  root = 0;
  if (r.details && !hooks.details) return Failed(kCliFailed, "/details is not available in this build");
  if (!r.select.empty()) {
    if (!hooks.resolve) return Failed(kCliFailed, "/select is not available in this build");
    std::string error;
    if (!hooks.resolve(r.select, root, &error)) return Failed(kCliFailed, error);
    if (root == 0) return Failed(kCliNoMatch, "no window matches /select " + r.select);
    return CliOutcome();
  }
  if (!r.windowText.empty()) {
    if (!ws.IsWindow(r.window)) return Failed(kCliNoMatch, "no window matches " + r.windowText);
    root = r.window;
  }
  return CliOutcome();
}
