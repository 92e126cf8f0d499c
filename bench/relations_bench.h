#pragma once
// Timings of the window relations over any WindowSystem: natively over an
// in-memory desktop, under Wine over user32 with a fixture of real windows.
#include <cstdio>
#include <vector>

#include "platform/WindowSystem.h"
#include "relations/WindowRows.h"

struct RelationsBenchFigures {
  int windows = 0;        // windows in the desktop's enumeration
  int nodes = 0;          // nodes of the tree
  int diggerRows = 0;     // rows of the Digger at the point
  double floorMs = 0;     // one ChildWindows of the desktop
  double buildMs = 0;     // BuildWindowTree, the model
  double literalMs = 0;   // the joining rule as written, over the same desktop
  double diggerMs = 0;    // the Digger's windows and rows at the point
  double sortMs = 0;      // sorting one row per window by "Text", then by "#"
};

// Each figure is the fastest of `repeats` runs. `digPoint` should lie under
// many windows.
RelationsBenchFigures RunRelationsBench(const WindowSystem& ws, WinPoint digPoint, const CellCompare& compare,
                                        const HandleFormatter& format, int repeats = 5);

void PrintRelationsBench(const RelationsBenchFigures& f, std::FILE* out);
