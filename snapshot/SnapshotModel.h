#pragma once
// A snapshot of the window tree as the file holds it: a header saying when and
// on what system it was taken, then the windows from the root down, each with
// the Window page's facts. The writer fills these records from the desktop, the
// reader from a file; the comparison works on the reader's.
// The file's shape is docs/tarvisk-snapshot.schema.json.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/WinConstants.h"
#include "platform/WindowSystem.h"

inline constexpr char kSnapshotFormat[] = "tarvisk-snapshot";
inline constexpr int kSnapshotFormatVersion = 1;
inline constexpr char kTarviskVersion[] = "5.3";

struct SnapshotHeader {
  std::string tarviskVersion = kTarviskVersion;
  int bits = 32;          // of the Tarvisk that took it
  std::string taken;      // UTC, "YYYY-MM-DDTHH:MM:SSZ"
  int screenWidth = 0, screenHeight = 0, dpi = 96;
  // The desktop session: window handles mean the same window only within one.
  // The boot time is the clock less the tick count, so two readings of it may
  // differ by a second or so.
  std::string bootTime;   // UTC, as `taken`
  uint32_t sessionId = 0;
  bool desktopRoot = true;  // false: the tree of one window
  bool details = false;     // the records carry "details"
};

struct SnapshotWindow {
  Hwnd handle = 0;
  std::string className;
  std::string text;  // empty for a resource identifier
  bool isResourceId = false;
  uint32_t resourceId = 0;
  uint32_t processId = 0;
  std::string executable;  // the process's executable file name; empty when unknown
  // A modern app's frame: the host process the frame belongs to (processId is the app's); 0 otherwise.
  uint32_t hostProcessId = 0;
  std::string hostExecutable;
  uint32_t controlId = 0;
  WinRect rect;        // screen coordinates
  WinRect parentRect;  // in the client area of the window above it in the tree (screen for top level)
  int32_t clientWidth = 0, clientHeight = 0;
  uint32_t style = 0, exStyle = 0;
  bool visible = false;  // IsWindowVisible: its own and every ancestor's WS_VISIBLE
  bool enabled = true;   // no WS_DISABLED
  bool hasSelector = false;
  std::string selector;
  // Read back from a file: where the record is in the tree.
  int parent = -1;  // index of the window above it; -1 for the root
  int depth = 0;    // 0 for the root
};

struct Snapshot {
  SnapshotHeader header;
  std::vector<SnapshotWindow> windows;  // depth first, z-order top first; [0] is the root
};

// What other parts of the program add to each record. A hook left empty
// leaves its key out of every record.
struct SnapshotHooks {
  // The Tarvisk selector of a tree's root (each top-level window of a desktop
  // snapshot); the writer steps down from it to every window below from the
  // siblings it has read. An empty answer leaves the key out of the tree.
  std::function<std::string(const WindowSystem& ws, Hwnd window)> selector;
  // The window's details as the text of one JSON object (UTF-8). Without it
  // a snapshot with details cannot be taken.
  std::function<std::string(Hwnd window)> details;
  // Resolves a Tarvisk selector to the first window it matches (0: none);
  // false with *error for a malformed one. Without it /select is refused.
  std::function<bool(const std::string& selector, Hwnd& window, std::string* error)> resolve;
};

