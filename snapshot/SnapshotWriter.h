#pragma once
// Writes a snapshot window by window as the tree is walked: the document is
// never held whole, only the record being written and a buffer of them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/WindowSystem.h"
#include "snapshot/SnapshotModel.h"

// Where the document's bytes go: a file, standard output, a string.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes could not be written; the writer stops there.
  virtual bool Write(const char* data, size_t size) = 0;
};

class StringSink : public ByteSink {
 public:
  bool Write(const char* data, size_t size) override {
    text.append(data, size);
    return true;
  }
  std::string text;
};

struct SnapshotSource {
  const WindowSystem* ws = nullptr;
  // The executable file name of a process, in UTF-8; empty when unknown.
  // Asked once per process of a snapshot.
  std::function<std::string(uint32_t processId)> executableName;
  SnapshotHooks hooks;
};

struct SnapshotWritten {
  bool ok = false;     // false: the sink refused bytes (the document is incomplete)
  size_t windows = 0;  // records written
  uint64_t bytes = 0;
};

// The header, then the tree from `root` down, or from the desktop when root
// is 0 or the desktop window (header.desktopRoot follows). With header.details each record carries the details hook's object;
// the caller checks that there is one.
SnapshotWritten WriteSnapshot(const SnapshotSource& source, const SnapshotHeader& header, Hwnd root,
                              ByteSink& sink);
