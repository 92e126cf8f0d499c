// The snapshot reader takes any bytes: it reads a snapshot or refuses the
// file with the line and column where it stopped, which lie inside the text.
// A snapshot it reads compares as the same with itself, by handle and by
// path, and a changed copy differs in exactly the changed window.
#include <string>

#include "FuzzSupport.h"
#include "snapshot/SnapshotDiff.h"
#include "snapshot/SnapshotReader.h"

namespace {

void CheckRefusal(const std::string& text, const std::string& error) {
  size_t line = 0, column = 0;
  FUZZ_CHECK(std::sscanf(error.c_str(), "line %zu, column %zu: ", &line, &column) == 2, error);
  size_t lines = 1, lastLine = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') ++lines, lastLine = i + 1;
  }
  FUZZ_CHECK(line >= 1 && line <= lines && column >= 1, error + " in '" + Shown(text) + "'");
  if (line == lines) FUZZ_CHECK(column <= text.size() - lastLine + 1, error);
}

void CheckSnapshot(const Snapshot& s) {
  FUZZ_CHECK(!s.windows.empty());
  for (size_t i = 0; i < s.windows.size(); ++i) {
    const int p = s.windows[i].parent;
    FUZZ_CHECK((i == 0) == (p < 0) && p < static_cast<int>(i), "parent " + std::to_string(p));
    if (p >= 0) FUZZ_CHECK(s.windows[i].depth == s.windows[static_cast<size_t>(p)].depth + 1);
  }
  DiffOptions byPath;
  byPath.ignore = {"handle"};
  FUZZ_CHECK(DiffSnapshots(s, s, {}).changes.empty(), DiffText(DiffSnapshots(s, s, {})));
  const SnapshotDiff self = DiffSnapshots(s, s, byPath);
  FUZZ_CHECK(self.changes.empty() && !self.byHandle, DiffText(self));

  Snapshot changed = s;
  SnapshotWindow& last = changed.windows.back();
  last.text += "!";
  last.isResourceId = false;
  const SnapshotDiff diff = DiffSnapshots(s, changed, {});
  bool named = false;
  for (const SnapshotChange& c : diff.changes) named = named || (c.kind == ChangeKind::Changed && c.field == "text");
  FUZZ_CHECK(named, DiffText(diff));
  DiffJson(diff, s, changed, "a", "b");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Snapshot s;
  std::string error;
  if (ReadSnapshot(text, s, &error)) {
    CheckSnapshot(s);
  } else {
    CheckRefusal(text, error);
  }
  return 0;
}
