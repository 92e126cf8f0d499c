// Window relations benchmark: the tree build against the joining rule as
// written and against one plain enumeration, the Digger under a crowded point,
// and a full sort of a list with one row per window.
//
// Built as it is, it runs natively over an in-memory desktop of 5,000 windows.
// With TARVISK_RELATIONS_BENCH_NO_MAIN defined it provides RunRelationsBench
// only, for a Win32 driver that creates real windows and passes user32.
#include "bench/relations_bench.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "relations/WinTree.h"
#include "reading/WindowLists.h"
#include "tests/unit/relations_desktops.h"

namespace {

double FastestMs(int repeats, const std::function<void()>& run, const std::function<void()>& prepare = {}) {
  double best = 1e300;
  for (int i = 0; i < std::max(repeats, 1); ++i) {
    if (prepare) prepare();
    auto start = std::chrono::steady_clock::now();
    run();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

RelationsBenchFigures RunRelationsBench(const WindowSystem& ws, WinPoint digPoint, const CellCompare& compare,
                                        const HandleFormatter& format, int repeats) {
  RelationsBenchFigures f;
  std::vector<Hwnd> all;
  f.floorMs = FastestMs(repeats, [&] { all = ws.ChildWindows(ws.Desktop()); });
  f.windows = static_cast<int>(all.size());

  WindowTree tree;
  f.buildMs = FastestMs(repeats, [&] { tree = BuildWindowTree(ws); });
  f.nodes = tree.Count();
  std::vector<WindowNode> rule;
  f.literalMs = FastestMs(repeats, [&] { rule = literal::BuildTree(ws); });

  std::vector<WindowRow> dug;
  f.diggerMs = FastestMs(repeats, [&] { dug = DiggerRows(ws, digPoint, true, format); });
  f.diggerRows = static_cast<int>(dug.size());

  const std::vector<WindowRow> filled = MakeWindowRows(ws, all, format);
  std::vector<WindowRow> rows;
  SortState byText{kColumnText, kColumnText, false};
  f.sortMs = FastestMs(repeats, [&] { SortRows(rows, byText, compare); }, [&] { rows = filled; });
  return f;
}

void PrintRelationsBench(const RelationsBenchFigures& f, std::FILE* out) {
  std::fprintf(out, "windows %d, tree nodes %d, digger rows %d\n", f.windows, f.nodes, f.diggerRows);
  std::fprintf(out, "enumeration of the desktop (floor) %10.3f ms\n", f.floorMs);
  std::fprintf(out, "tree model build                   %10.3f ms  %.2f x floor\n", f.buildMs,
               f.buildMs / std::max(f.floorMs, 1e-9));
  std::fprintf(out, "joining rule as written            %10.3f ms  %.2f x model\n", f.literalMs,
               f.literalMs / std::max(f.buildMs, 1e-9));
  std::fprintf(out, "digger windows and rows            %10.3f ms\n", f.diggerMs);
  std::fprintf(out, "sort of %d rows by text           %10.3f ms\n", f.windows, f.sortMs);
}

#ifndef TARVISK_RELATIONS_BENCH_NO_MAIN

// 200 frames, each with 4 panels of 5 controls: 5,000 windows, all frames and
// panels and one control of each panel under the dig point.
static void BuildBenchDesktop(RealisticDesktop& d) {
  for (int i = 0; i < 200; ++i) {
    FakeWindow frame;
    frame.className = "BenchFrame";
    frame.text = "Frame " + std::to_string(i);
    frame.rect = {i, i, 900 + i, 700 + i};
    Hwnd f = d.Add(frame);
    for (int p = 0; p < 4; ++p) {
      FakeWindow panel;
      panel.child = true;
      panel.parent = f;
      panel.className = "BenchPanel";
      panel.rect = {i + p * 10, i, i + 600, i + 500};
      Hwnd ph = d.Add(panel);
      for (int c = 0; c < 5; ++c) {
        FakeWindow control;
        control.child = true;
        control.parent = ph;
        control.className = c % 2 ? "Edit" : "Button";
        control.text = "Control " + std::to_string(c);
        control.rect = c == 0 ? WinRect{0, 0, 1000, 1000} : WinRect{c * 10, 0, c * 10 + 5, 5};
        d.Add(control);
      }
    }
  }
}

int main() {
  RealisticDesktop desktop;
  BuildBenchDesktop(desktop);
  auto hex = [](uint32_t v) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(v));
    return std::string(text);
  };
  PrintRelationsBench(RunRelationsBench(desktop, {400, 300}, OrdinalCompare, hex), stdout);
  return 0;
}

#endif
