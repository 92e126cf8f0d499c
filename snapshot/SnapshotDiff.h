#pragma once
// The difference of two snapshots: windows added, removed and moved in the
// tree, and for each window found in both the fields that changed.
//
// Windows are matched by handle when both snapshots come from the same desktop
// session and have the same root (the desktop, or one window): a handle names
// one window only while that window lives, so the process and class must agree
// as well. Otherwise, or when handles are ignored, they are matched by their
// path: from the root down, a top-level window by executable and class, a
// child by class and control id, each with its number among the siblings that
// share those, counted in z-order from the top.
#include <string>
#include <vector>

#include "snapshot/SnapshotModel.h"

enum class ChangeKind { Added, Removed, Moved, Changed };

struct SnapshotChange {
  ChangeKind kind = ChangeKind::Changed;
  std::string path;     // in the newer snapshot; in the older one for a removed window
  std::string oldPath;  // Moved: where it was
  Hwnd handle = 0;      // in the snapshot `path` is of
  int windowsBelow = 0;  // Added, Removed: the windows that came or went with it
  std::string field;     // Changed: a name /ignore takes
  std::string oldText, newText;  // Changed: the values as the text output shows them
  std::string oldJson, newJson;  // and as JSON values
};

struct DiffOptions {
  std::vector<std::string> ignore;  // field names; "handle" matches by path
  int tolerance = 0;  // pixels a rectangle's edge or a size may move unreported
};

struct SnapshotDiff {
  bool byHandle = false;
  std::vector<SnapshotChange> changes;  // the newer tree's order, then the removed windows
};

// The fields compared, in the order they are reported; and "handle".
extern const char* const kDiffFields[];
extern const int kDiffFieldCount;
bool IsDiffField(const std::string& name);

// True when the two headers name one desktop session: the same session id and
// boot times at most two seconds apart.
bool SameSession(const SnapshotHeader& a, const SnapshotHeader& b);

SnapshotDiff DiffSnapshots(const Snapshot& before, const Snapshot& after, const DiffOptions& options);

// Each window's path as the output shows it: steps joined by "/", a child's
// "Class#id", a top-level window's "program.exe:Class", and "[n]" for the n-th
// of siblings alike (n > 1). The desktop at the root has no step of its own.
std::vector<std::string> WindowPaths(const Snapshot& snapshot);

// One line per change, CR LF after each (UTF-8); empty when they are the same.
std::string DiffText(const SnapshotDiff& diff);
// {"matchedBy", "same", "old", "new", "changes": [...]} (docs/tarvisk-diff.schema.json).
std::string DiffJson(const SnapshotDiff& diff, const Snapshot& before, const Snapshot& after,
                     const std::string& beforeFile, const std::string& afterFile);
