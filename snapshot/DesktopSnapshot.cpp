#include "snapshot/DesktopSnapshot.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <memory>
#include <unordered_map>

#include "details/DetailsJson.h"
#include "details/DetailsReader.h"
#include "platform/CodePages.h"
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
  static const auto tick64 = reinterpret_cast<Tick64>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  return tick64 ? tick64() : GetTickCount();
}

class ReplacingSink : public ByteSink {
 public:
  explicit ReplacingSink(ReplacingFile& file) : m_file(file) {}
  bool Write(const char* data, size_t size) override { return m_file.Write(data, size); }

 private:
  ReplacingFile& m_file;
};

using ProcessFirst = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// pid -> executable file name, from one ToolHelp list of the processes
// (bound by name, as the Executable page binds it).
void ListProcesses(std::unordered_map<uint32_t, std::string>& names) {
  HMODULE k = GetModuleHandleA("kernel32.dll");
  using Create = HANDLE(WINAPI*)(DWORD, DWORD);
  const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(k, "CreateToolhelp32Snapshot")));
  const auto first = reinterpret_cast<ProcessFirst>(reinterpret_cast<void*>(GetProcAddress(k, "Process32First")));
  const auto next = reinterpret_cast<ProcessFirst>(reinterpret_cast<void*>(GetProcAddress(k, "Process32Next")));
  if (!create || !first || !next) return;
  HANDLE list = create(TH32CS_SNAPPROCESS, 0);
  if (list == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = first(list, &entry); ok; ok = next(list, &entry)) {
    std::string file = entry.szExeFile;
    const size_t slash = file.find_last_of("\\/");
    if (slash != std::string::npos) file.erase(0, slash + 1);
    names[entry.th32ProcessID] = AnsiToUtf8(file);
  }
  CloseHandle(list);
}

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

std::function<std::string(uint32_t)> SystemExecutableNames() {
  struct Table {
    std::unordered_map<uint32_t, std::string> names;
    int lists = 0;
  };
  auto table = std::make_shared<Table>();
  return [table](uint32_t processId) {
    auto it = table->names.find(processId);
    // A process that started after the list was taken: one more list.
    if (it == table->names.end() && table->lists < 2) {
      ++table->lists;
      ListProcesses(table->names);
      it = table->names.find(processId);
    }
    return it == table->names.end() ? std::string() : it->second;
  };
}

SnapshotHooks SystemSnapshotHooks() {
  SnapshotHooks hooks;
  // One index of the desktop for the whole snapshot: asking the desktop
  // afresh for each window would make a snapshot quadratic in its windows.
  auto index = std::make_shared<std::unique_ptr<DesktopSelectors>>();
  hooks.selector = [index](const WindowSystem& ws, Hwnd window) {
    if (!*index) *index = std::make_unique<DesktopSelectors>(ws, SystemExeNames());
    return (*index)->TarviskSelector(window);
  };
  hooks.details = [](Hwnd window) { return DetailsJson(ReadWindowDetails(ToHwnd(window))).dump(); };
  hooks.resolve = [](const std::string& selector, Hwnd& window, std::string* error) {
    // The command line's arguments come in the ANSI code page.
    const SelectorParse parse = ParseSelector(AnsiToUtf8(selector));
    if (!parse.ok) {
      if (error) *error = SelectorErrorText(parse);
      return false;
    }
    const Win32WindowSystem ws;
    const std::vector<Hwnd> found = DesktopSelectors(ws, SystemExeNames()).Resolve(parse.query);
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
