#include "snapshot/DesktopSnapshot.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "details/DetailsJson.h"
#include "reading/DetailsReader.h"
#include "platform/CodePages.h"
#include "platform/SystemDlls.h"
#include "platform/Win32WindowSystem.h"
#include "selectors/SelectorGrammar.h"
#include "selectors/SystemSelectors.h"
#include "platform/ReportFile.h"

namespace {

std::string IsoTime(const FILETIME& ft) {
  SYSTEMTIME st = {};
  if (!FileTimeToSystemTime(&ft, &st)) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", st.wYear, st.wMonth, st.wDay, st.wHour,
                st.wMinute, st.wSecond);
  return text;
}

// GetTickCount64 from Vista on; before it the 32-bit count, which wraps
// after 49 days.
unsigned long long TickMilliseconds() {
  using Tick64 = ULONGLONG(WINAPI*)();
  static const auto tick64 = SystemFunction<Tick64>("kernel32.dll", "GetTickCount64");
  return tick64 ? tick64() : GetTickCount();
}

class ReplacingSink : public ByteSink {
 public:
  explicit ReplacingSink(ReplacingFile& file) : m_file(file) {}
  bool Write(const char* data, size_t size) override { return m_file.Write(data, size); }

 private:
  ReplacingFile& m_file;
};

}  // namespace

SnapshotHeader SystemSnapshotHeader(bool desktopRoot, bool details) {
  SnapshotHeader h;
  h.bits = static_cast<int>(sizeof(void*) * 8);
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  h.taken = IsoTime(now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  t.QuadPart -= TickMilliseconds() * 10000ull;
  FILETIME boot = {t.LowPart, t.HighPart};
  h.bootTime = IsoTime(boot);
  DWORD session = 0;
  if (ProcessIdToSessionId(GetCurrentProcessId(), &session)) h.sessionId = session;
  h.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  h.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  HDC dc = GetDC(nullptr);
  if (dc) {
    h.dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
  }
  h.desktopRoot = desktopRoot;
  h.details = details;
  return h;
}

SnapshotHooks SystemSnapshotHooks() {
  SnapshotHooks hooks;
  // One index of the desktop for the whole snapshot: asking the desktop
  // afresh for each window would make a snapshot quadratic in its windows.
  auto index = std::make_shared<std::unique_ptr<DesktopSelectors>>();
  hooks.selector = [index](const WindowSystem& ws, Hwnd window) {
    if (!*index) *index = std::make_unique<DesktopSelectors>(ws, SystemExecutableNames());
    return (*index)->TarviskSelector(window);
  };
  hooks.details = [](Hwnd window) { return DetailsJsonText(ReadWindowDetails(ToHwnd(window))); };
  hooks.resolve = [](const std::string& selector, Hwnd& window, std::string* error) {
    // The command line's arguments come in the ANSI code page.
    const SelectorParse parse = ParseSelector(AnsiToUtf8(selector));
    if (!parse.ok) {
      if (error) *error = SelectorErrorText(parse);
      return false;
    }
    const Win32WindowSystem ws;
    const std::vector<Hwnd> found = DesktopSelectors(ws, SystemExecutableNames()).Resolve(parse.query);
    window = found.empty() ? 0 : found.front();
    return true;
  };
  return hooks;
}

bool SaveSnapshotFile(const WindowSystem& ws, const std::string& path, Hwnd root, bool details,
                      std::string* error) {
  ReplacingFile file(path);
  if (!file.Open(error)) return false;
  SnapshotSource source;
  source.ws = &ws;
  source.executableName = SystemExecutableNames();
  source.hooks = SystemSnapshotHooks();
  ReplacingSink sink(file);
  const SnapshotWritten written = WriteSnapshot(source, SystemSnapshotHeader(root == 0, details), root, sink);
  // A failed write keeps its reason for Commit, which then leaves the file be.
  (void)written;
  return file.Commit(error);
}
