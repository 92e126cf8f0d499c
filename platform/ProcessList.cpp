#include "platform/ProcessList.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/CodePages.h"
#include "platform/SystemDlls.h"
#include "platform/ToolHelp.h"

namespace {

// The ANSI record of a 32-bit process; a 64-bit build has its own size.
static_assert(sizeof(void*) != 4 || sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 layout");

constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION

// Under Wine one list of the processes costs 4 to 10 ms against 0.2 to 0.6 ms
// for one process's image name: the selectors of one window ask about a few
// processes, a snapshot of the desktop about many (hence the default of 16
// queries before one list).

template <typename F>
void Bind(F& f, const char* name) {
  f = SystemFunction<F>("kernel32.dll", name);
}

// Split in UTF-8, where no byte of a character is a backslash.
std::string FileNamePart(std::string path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) path.erase(0, slash + 1);
  return path;
}

}  // namespace

const ToolHelpFunctions& ToolHelp() {
  static const ToolHelpFunctions functions = [] {
    ToolHelpFunctions f;
    Bind(f.createSnapshot, "CreateToolhelp32Snapshot");
    Bind(f.processFirst, "Process32First");
    Bind(f.processNext, "Process32Next");
    Bind(f.moduleFirst, "Module32First");
    Bind(f.moduleNext, "Module32Next");
    Bind(f.threadFirst, "Thread32First");
    Bind(f.threadNext, "Thread32Next");
    return f;
  }();
  return functions;
}

std::vector<ProcessEntry> ListProcesses() {
  std::vector<ProcessEntry> processes;
  const ToolHelpFunctions& th = ToolHelp();
  if (!th.createSnapshot || !th.processFirst || !th.processNext) return processes;
  HANDLE list = th.createSnapshot(TH32CS_SNAPPROCESS, 0);
  if (list == INVALID_HANDLE_VALUE) return processes;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = th.processFirst(list, &entry); more; more = th.processNext(list, &entry)) {
    entry.szExeFile[MAX_PATH - 1] = 0;
    ProcessEntry process;
    process.id = entry.th32ProcessID;
    process.parentId = entry.th32ParentProcessID;
    process.threads = entry.cntThreads;
    // Older systems give the whole path.
    process.exeFile = FileNamePart(AnsiToUtf8(entry.szExeFile));
    processes.push_back(std::move(process));
  }
  CloseHandle(list);
  return processes;
}

std::vector<ThreadEntry> ListThreads() {
  std::vector<ThreadEntry> threads;
  const ToolHelpFunctions& th = ToolHelp();
  if (!th.createSnapshot || !th.threadFirst || !th.threadNext) return threads;
  // The snapshot holds every thread of the system whatever process is named.
  HANDLE list = th.createSnapshot(TH32CS_SNAPTHREAD, 0);
  if (list == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = th.threadFirst(list, &entry); more; more = th.threadNext(list, &entry)) {
    threads.push_back({entry.th32ThreadID, entry.th32OwnerProcessID});
  }
  CloseHandle(list);
  return threads;
}

std::string QueryProcessImagePath(uint32_t processId) {
  using QueryFn = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, DWORD*);
  static const QueryFn query = SystemFunction<QueryFn>("kernel32.dll", "QueryFullProcessImageNameA");
  if (processId == 0 || !query) return std::string();
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
  if (!process) return std::string();
  // An ended process stays open while anyone holds a handle to it; it must
  // not be taken for a running one.
  char path[1024];
  DWORD size = sizeof path;
  DWORD exitCode = 0;
  const bool ok =
      GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE && query(process, 0, path, &size);
  CloseHandle(process);
  return ok ? std::string(path, std::min<DWORD>(size, sizeof path)) : std::string();
}

std::function<std::string(uint32_t)> SystemExecutableNames(int queriesBeforeListing) {
  struct Table {
    std::unordered_map<uint32_t, std::string> names;
    int queries = 0;
    int lists = 0;
  };
  auto table = std::make_shared<Table>();
  return [table, queriesBeforeListing](uint32_t processId) {
    auto it = table->names.find(processId);
    if (it != table->names.end()) return it->second;
    // A process whose image cannot be read (a protected one) is looked up in
    // the list, which names it all the same.
    if (table->queries < queriesBeforeListing) {
      ++table->queries;
      std::string name = FileNamePart(AnsiToUtf8(QueryProcessImagePath(processId)));
      if (!name.empty()) return table->names[processId] = std::move(name);
    }
    // A process that started after the list was taken: one more list.
    if (table->lists < 2) {
      ++table->lists;
      for (ProcessEntry& p : ListProcesses()) table->names.emplace(p.id, std::move(p.exeFile));
      it = table->names.find(processId);
    }
    return it == table->names.end() ? std::string() : it->second;
  };
}
