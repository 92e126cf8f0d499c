#include "selectors/SystemSelectors.h"

#include "exeinfo/ExeInfo.h"
#include "platform/CodePages.h"

ExeNameSource SystemExeNames() {
  return [](uint32_t processId) {
    // Split in UTF-8, where no byte of a character is a backslash.
    const std::string path = AnsiToUtf8(QueryProcessImagePath(processId));
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
  };
}

SelectorFacts SystemWindowSelectors(const WindowSystem& ws, Hwnd w) {
  return WindowSelectors(ws, w, SystemExeNames());
}

ReadingSources WithSelectors(ReadingSources sources, const WindowSystem& ws) {
  sources.selectors = [&ws](Hwnd w) { return SystemWindowSelectors(ws, w); };
  return sources;
}
