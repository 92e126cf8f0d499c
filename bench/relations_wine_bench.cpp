// Window relations under Wine over 5,000 real windows: the tree build (model,
// and model with the control) beside one plain enumeration of the desktop and
// the joining rule as written, the Digger at a crowded point, and a sort of a
// 5,000-row list, each the fastest of five runs.
//   relations_wine_bench
#include <windows.h>

#include "bench/BenchClock.h"
#include "bench/BenchDesktop.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandStates.h"
#include "bench/relations_bench.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationControls.h"
#include "relations/RelationPages.h"
#include "relations/TreePage.h"
#include "reading/WindowLists.h"
#include "ui/PageControl.h"

namespace {

double Now() { return NowSeconds() * 1000.0; }

double FastestMs(const std::function<void()>& run, const std::function<void()>& prepare = {}) {
  double best = 1e300;
  for (int i = 0; i < 5; ++i) {
    if (prepare) prepare();
    double start = Now();
    run();
    best = std::min(best, Now() - start);
  }
  return best;
}

// The main window's state, as far as the pages ask for it.
class BenchHost : public RelationsHost {
 public:
  WinPoint probe;
  Hwnd target = 0;
  SortState sort;
  DisplayOptions CurrentDisplayOptions() const override { return {}; }
  bool Probing() const override { return false; }
  // Read as the reading of the target reads them.
  const std::vector<WindowRow>& Rows(int list) override {
    const auto none = [](uint32_t) { return std::string(); };
    rows = list == kListChildren ? ChildRows(ws, target, true, none) : DiggerRows(ws, probe, true, none);
    return rows;
  }
  SortState Sort() const override { return sort; }
  void SetSort(const SortState& s) override { sort = s; }
  void InspectWindow(Hwnd, bool) override {}
  void ShowWindowPage() override {}
  void UpdateDetailButton() override {}

 private:
  Win32WindowSystem ws;
  std::vector<WindowRow> rows;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main() {
  std::vector<HWND> frames = MakeBenchDesktop();
  Pump();
  const WinPoint dig{400, 300};
  auto hex = [](uint32_t v) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(v));
    return std::string(text);
  };
  Win32WindowSystem ws;
  RelationsBenchFigures f = RunRelationsBench(ws, dig, LocaleCompare, hex, 5);
  std::printf("Window relations under Wine, %d windows in the desktop's enumeration\n", f.windows);
  PrintRelationsBench(f, stdout);

  // The pages on a hidden frame, as the main window holds them.
  HWND host = CreateWindowExA(0, "BenchFrame", "bench host", WS_POPUP, 0, 0, 436, 445, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  PageControl pgc;
  pgc.Create(host, 100, 0, 0, 436, 445, {"Window", "Class", "Parents", "Children", "Digger", "Tree"});
  BenchHost state;
  TreePage tree(state);
  tree.Create(pgc.Sheet(kPageTree));
  WindowListsPage lists(state);
  for (int list = 0; list < kWindowListCount; ++list) lists.Page(list).Create(pgc.Sheet(kPageParents + list));

  double treeMs = FastestMs([&] { tree.BuildWindowTree(); });
  int inserted = static_cast<int>(SendMessageA(tree.trvWindows(), TVM_GETCOUNT, 0, 0));
  HWND deepest = GetWindow(GetWindow(GetWindow(frames.back(), GW_CHILD), GW_CHILD), GW_CHILD);
  double selectMs = FastestMs([&] { tree.SelectTreeNode(FromHwnd(deepest)); }, [&] { tree.BuildWindowTree(); });

  int moves = 0;
  double diggerMs = FastestMs([&] { lists.ShowList(kListDigger); },
                              [&] { state.probe = {dig.x, dig.y + (++moves % 2)}; });
  int diggerRows = static_cast<int>(lists.Rows(kListDigger).size());

  state.target = FromHwnd(GetDesktopWindow());
  double fillMs = FastestMs([&] { lists.ShowList(kListChildren); });
  int listRows = static_cast<int>(lists.Rows(kListChildren).size());
  double sortMs = FastestMs([&] { lists.lsvColumnClick(kColumnText); }, [&] { state.sort = SortState{}; });

  std::printf("tree page build (model and control) %10.3f ms  %.2f x floor, %.2f x faster than the rule as written"
              ", %d of %d nodes in the control\n",
              treeMs, treeMs / std::max(f.floorMs, 1e-9), f.literalMs / std::max(treeMs, 1e-9), inserted, f.nodes);
  std::printf("select the deepest node of the last frame %7.3f ms\n", selectMs);
  std::printf("RefreshDigger (%d rows)               %10.3f ms\n", diggerRows, diggerMs);
  std::printf("Children list of the desktop (%d rows) %9.3f ms\n", listRows, fillMs);
  std::printf("header click sorting it by text      %10.3f ms\n", sortMs);

  DestroyWindow(host);
  for (HWND h : frames) DestroyWindow(h);
  return 0;
}
