#pragma once
// Snapshots of this desktop: the header facts the system gives, the
// executable names of processes (platform/ProcessList.h), and the file the
// snapshot is written to.
#include <functional>
#include <string>

#include "platform/ProcessList.h"
#include "platform/WindowSystem.h"
#include "snapshot/SnapshotWriter.h"

// This Tarvisk, the time, the screen and the session, as of now.
SnapshotHeader SystemSnapshotHeader(bool desktopRoot, bool details);

// What the selectors and the details add to a snapshot in this build. This is
// the one place they are handed in: the command line and the window both ask here.
SnapshotHooks SystemSnapshotHooks();

// Writes the snapshot of the tree from `root` (0: the desktop) to `path`
// through a temporary file, so that a failure leaves the file as it was.
bool SaveSnapshotFile(const WindowSystem& ws, const std::string& path, Hwnd root, bool details,
                      std::string* error);

// Writes to standard output or another open handle.
class HandleSink : public ByteSink {
 public:
  explicit HandleSink(std::function<bool(const std::string&)> write) : m_write(std::move(write)) {}
  bool Write(const char* data, size_t size) override { return m_write(std::string(data, size)); }

 private:
  std::function<bool(const std::string&)> m_write;
};
