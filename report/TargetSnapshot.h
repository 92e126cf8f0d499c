#pragma once
// One reading of one target: everything the information pages show about it,
// as the platform gave the values. The text report and the JSON report render
// it; the command line gathers it without any window of its own.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exeinfo/ModuleList.h"
#include "inspect/WindowInfo.h"
#include "platform/WindowSystem.h"
#include "relations/WindowRows.h"
#include "report/Report.h"

// What the Graphics page reads at the probe point.
struct GraphicFacts {
  WinPoint screen;            // the probe point
  bool hasWindowRect = false; // false: no window to measure from; "Pos in window" stays empty
  WinPoint inWindow;          // from the window rectangle's top-left corner
  WinPoint inClient;          // ScreenToClient of the target
  bool hasColor = false;      // false: the pixel could not be read
  uint32_t color = 0;         // 0x00BBGGRR
};

struct TargetSnapshot {
  WindowFacts window;  // Window and Class pages
  // The lists in fill order, numbered from 1; the pages show them sorted.
  std::vector<WindowRow> parents, children, digger;
  bool showSubchildren = false, digChildren = true;  // how the lists were filled
  ProcessInfo process;  // Executable and Modules pages
  GraphicFacts graphic;
};

// How the parts that need more than the window seam are read: the process's
// executable and modules, and a pixel of the screen (false when unreadable).
struct SnapshotSources {
  std::function<ProcessInfo(uint32_t processId)> process;
  std::function<bool(WinPoint screen, uint32_t& color)> pixel;
};

struct SnapshotOptions {
  WinPoint point;  // the probe point: the Digger lists the windows under it
  bool showSubchildren = false;
  bool digChildren = true;
};

// Reads the target in the order an inspection does. The list rows keep their
// handle texts empty: the display options come in when a view renders them.
TargetSnapshot GatherTargetSnapshot(const WindowSystem& ws, Hwnd target, const SnapshotOptions& options,
                                    const SnapshotSources& sources);

// What the GUI's report would gather from its pages for this snapshot: the
// same texts in the same display options, the lists in the given order.
ReportInput SnapshotReportInput(const TargetSnapshot& snapshot, const DisplayOptions& opts,
                                const SortState& sort, const CellCompare& compare,
                                const std::string& title);

// The names of a decoded constant list, without their separators.
std::vector<std::string> SplitConstantNames(const std::string& decoded);
