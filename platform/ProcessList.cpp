#include "platform/ProcessList.h"

#include <memory>
#include <unordered_map>

#include "platform/CodePages.h"
#include "platform/SystemDlls.h"
#include "platform/ToolHelp.h"

namespace {

// The ANSI record of a 32-bit process; a 64-bit build has its own size.
static_assert(sizeof(void*) != 4 || sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 layout");

template <typename F>
void Bind(F& f, const char* name) {
  f = SystemFunction<F>("kernel32.dll", name);
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
    // Older systems give the whole path; split in UTF-8, where no byte of a
    // character is a backslash.
    std::string file = AnsiToUtf8(entry.szExeFile);
    const size_t slash = file.find_last_of("\\/");
    if (slash != std::string::npos) file.erase(0, slash + 1);
    ProcessEntry process;
    process.id = entry.th32ProcessID;
    process.parentId = entry.th32ParentProcessID;
    process.threads = entry.cntThreads;
    process.exeFile = std::move(file);
    processes.push_back(std::move(process));
  }
  CloseHandle(list);
  return processes;
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
      for (ProcessEntry& p : ListProcesses()) table->names[p.id] = std::move(p.exeFile);
      it = table->names.find(processId);
    }
    return it == table->names.end() ? std::string() : it->second;
  };
}
