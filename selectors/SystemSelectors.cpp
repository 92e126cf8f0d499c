#include "selectors/SystemSelectors.h"

SelectorFacts SystemWindowSelectors(const WindowSystem& ws, Hwnd w) {
  return WindowSelectors(ws, w, SystemExecutableNames());
}

ReadingSources WithSelectors(ReadingSources sources, const WindowSystem& ws) {
  sources.selectors = [&ws](Hwnd w) { return SystemWindowSelectors(ws, w); };
  return sources;
}
