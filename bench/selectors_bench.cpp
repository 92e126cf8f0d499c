// Resolving a Tarvisk selector on a desktop of 5,000 real windows, against
// enumerating that desktop once, interleaved in the same run; and naming every
// window of the desktop through one index, as a snapshot of it would.
//   selectors_bench
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchDesktop.h"
#include "platform/Win32WindowSystem.h"
#include "selectors/SystemSelectors.h"

namespace {

double Now() { return NowSeconds() * 1000.0; }

}  // namespace

int main() {
  std::vector<HWND> frames = MakeBenchDesktop();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  Win32WindowSystem ws;
  const ExeNameSource exe = SystemExecutableNames();

  // The last control of the last frame, and of the first: the selector steps
  // through the frame (class, exe, title), a panel, a group and an instance.
  HWND deepest = frames.back();
  for (int level = 0; level < 3; ++level) deepest = GetWindow(deepest, GW_CHILD);
  deepest = GetWindow(deepest, GW_HWNDLAST);
  const std::string selector = DesktopSelectors(ws, exe).TarviskSelector(FromHwnd(deepest));
  const SelectorParse parsed = ParseSelector(selector);
  if (!parsed.ok || DesktopSelectors(ws, exe).Resolve(parsed.query) != std::vector<Hwnd>{FromHwnd(deepest)}) {
    std::printf("the selector %s does not name its window\n", selector.c_str());
    return 1;
  }

  size_t windows = 0;
  std::vector<double> enumerate, resolve, ratio;
  for (int round = 0; round < 15; ++round) {
    double start = Now();
    windows = ws.ChildWindows(ws.Desktop()).size();
    const double e = Now() - start;
    start = Now();
    // A new name source each round, as each command takes one: its list of the processes is timed too.
    const std::vector<Hwnd> found =
        DesktopSelectors(ws, SystemExecutableNames()).Resolve(ParseSelector(selector).query);
    const double r = Now() - start;
    if (found.size() != 1) return 1;
    enumerate.push_back(e);
    resolve.push_back(r);
    ratio.push_back(r / std::max(e, 1e-9));
  }
  std::printf("Selectors under Wine, %zu windows in the desktop's enumeration\n", windows);
  std::printf("selector: %s\n", selector.c_str());
  std::printf("enumerate the desktop (median)      %10.3f ms\n", Median(enumerate));
  std::printf("resolve the selector (median)       %10.3f ms  %.3f x enumerating (median of 15 interleaved rounds,"
              " at most 2 x)\n",
              Median(resolve), Median(ratio));

  const std::vector<Hwnd> all = ws.ChildWindows(ws.Desktop());
  double start = Now();
  DesktopSelectors index(ws, exe);
  size_t named = 0;
  for (Hwnd h : all) named += index.TarviskSelector(h).empty() ? 0 : 1;
  const double everyMs = Now() - start;
  std::printf("Tarvisk selector of every window    %10.3f ms  %.2f x enumerating, %zu of %zu named\n", everyMs,
              everyMs / std::max(Median(enumerate), 1e-9), named, all.size());

  for (HWND h : frames) DestroyWindow(h);
  return Median(ratio) <= 2.0 ? 0 : 1;
}
