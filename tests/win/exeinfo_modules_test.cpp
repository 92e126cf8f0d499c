#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "exeinfo/ExeInfo.h"

namespace {

std::string TestFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, length);
  return full.substr(0, full.find_last_of('\\') + 1);
}

std::string Fixture(const std::string& name) { return TestFolder() + "exeinfo_fixtures\\" + name; }

std::string SystemFolder() {
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\";
}

// Where the system's 32-bit programs live: the WoW64 folder when there is one.
std::string ProgramFolder32() {
  char folder[MAX_PATH];
  UINT length = GetSystemWow64DirectoryA(folder, MAX_PATH);
  return length ? std::string(folder, length) + "\\" : SystemFolder();
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// A process started by a test; ended and released whatever the test's outcome.
class ChildProcess {
 public:
  explicit ChildProcess(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    m_started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &m_info) != 0;
  }
  ~ChildProcess() { End(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_started; }
  DWORD Id() const { return m_started ? m_info.dwProcessId : 0; }
  HANDLE Handle() const { return m_info.hProcess; }
  void End() {
    if (!m_started) return;
    TerminateProcess(m_info.hProcess, 0);
    WaitForSingleObject(m_info.hProcess, 5000);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_started = false;
  }

 private:
  PROCESS_INFORMATION m_info = {};
  bool m_started = false;
};

// Starts the fixture host with the given libraries and waits until it has loaded
// them; null when it did not get there.
std::unique_ptr<ChildProcess> StartHost(const std::vector<std::string>& libraries) {
  char eventName[64];
  wsprintfA(eventName, "TarviskExeInfoHost%lu", GetCurrentProcessId());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName);
  if (!ready) return nullptr;
  std::string commandLine = "\"" + Fixture("exeinfo_host.exe") + "\" " + eventName;
  for (const std::string& library : libraries) commandLine += " \"" + library + "\"";
  auto host = std::make_unique<ChildProcess>(commandLine);
  bool ok = false;
  if (host->Started()) {
    HANDLE waits[] = {ready, host->Handle()};
    ok = WaitForMultipleObjects(2, waits, FALSE, 15000) == WAIT_OBJECT_0;
  }
  CloseHandle(ready);
  if (!ok) host.reset();
  return host;
}

using RowSet = std::set<std::pair<std::string, std::string>>;

RowSet Rows(const ProcessInfo& info) {
  RowSet rows;
  for (const ModuleRow& row : info.modules) rows.insert({row.file, row.folder});
  return rows;
}

int IndexOf(const ProcessInfo& info, const std::string& file, const std::string& folder = "") {
  for (size_t i = 0; i < info.modules.size(); ++i) {
    if (info.modules[i].file == file &&
        (folder.empty() || SamePath(info.modules[i].folder, folder)))
      return static_cast<int>(i);
  }
  return -1;
}

// Rows ordered by lstrcmpA, the executable's name nowhere among them.
void ExpectListRules(const ProcessInfo& info, const std::string& exeName) {
  for (size_t i = 1; i < info.modules.size(); ++i) {
    EXPECT_LE(lstrcmpA(info.modules[i - 1].file.c_str(), info.modules[i].file.c_str()), 0)
        << info.modules[i - 1].file << " / " << info.modules[i].file;
  }
  for (const ModuleRow& row : info.modules) {
    EXPECT_FALSE(UpperSameFileName(row.file.c_str(), exeName.c_str())) << row.file;
    EXPECT_FALSE(row.folder.empty()) << row.file;
  }
}

}  // namespace

TEST(ExeInfoModules, SourcesPresentUnderWine) {
  EXPECT_TRUE(ToolHelpAvailable());
  ASSERT_TRUE(PsapiAvailable());
  EXPECT_NE(dynamic_cast<ToolHelpModuleSource*>(&ChooseModuleSource()), nullptr);
  // The library comes from the system folder, not from beside the program.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(GetModuleHandleA("PSAPI.DLL"), path, MAX_PATH);
  EXPECT_TRUE(SamePath(FolderPart(path), SystemFolder())) << path;
}

TEST(ExeInfoModules, OwnProcessOnBothWalks) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  // The PSAPI walk loads psapi.dll into this process; load it before either walk
  // so that both see the same modules.
  ASSERT_TRUE(PsapiAvailable());
  ToolHelpModuleSource toolHelp;
  PsapiModuleSource psapi;
  ProcessInfo byToolHelp = LoadProcessInfoData(GetCurrentProcessId(), toolHelp);
  ProcessInfo byPsapi = LoadProcessInfoData(GetCurrentProcessId(), psapi);
  for (const ProcessInfo* info : {&byToolHelp, &byPsapi}) {
    ASSERT_TRUE(info->executable.known);
    EXPECT_TRUE(SamePath(info->executable.path, exe)) << info->executable.path;
    EXPECT_GE(IndexOf(*info, "kernel32.dll"), 0);
    EXPECT_GE(IndexOf(*info, "ntdll.dll"), 0);
    EXPECT_EQ(IndexOf(*info, "win_tests.exe"), -1);
    ExpectListRules(*info, "win_tests.exe");
    auto texts = ExecutableFieldTexts(info->executable);
    EXPECT_EQ(texts[1], "win_tests.exe");
  }
  EXPECT_EQ(Rows(byToolHelp), Rows(byPsapi));
}

TEST(ExeInfoModules, FixtureProcessWithClashingNames) {
  auto host =
      StartHost({Fixture("upper\\Twin.dll"), Fixture("lower\\twin.dll"),
                 Fixture("planted\\EXEINFO_HOST.EXE"), Fixture("verinfo_translations.dll")});
  ASSERT_TRUE(host);

  ToolHelpModuleSource toolHelp;
  PsapiModuleSource psapi;
  ProcessInfo byToolHelp = LoadProcessInfoData(host->Id(), toolHelp);
  ProcessInfo byPsapi = LoadProcessInfoData(host->Id(), psapi);
  for (const ProcessInfo* info : {&byToolHelp, &byPsapi}) {
    // The library named like the executable, loaded after it, takes the page.
    ASSERT_TRUE(info->executable.known);
    EXPECT_TRUE(SamePath(info->executable.path, Fixture("planted\\EXEINFO_HOST.EXE")))
        << info->executable.path;
    EXPECT_TRUE(info->executable.hasVersion);
    EXPECT_EQ(info->executable.version[3], "Tarvisk fixtures");
    ExpectListRules(*info, "exeinfo_host.exe");

    // Case decides only between otherwise equal names, lower case first.
    int lower = IndexOf(*info, "twin.dll", Fixture("lower\\"));
    int upper = IndexOf(*info, "Twin.dll", Fixture("upper\\"));
    EXPECT_GE(lower, 0);
    EXPECT_EQ(upper, lower + 1);
    // Not the byte order, which would put "Twin.dll" before "kernel32.dll".
    EXPECT_LT(IndexOf(*info, "kernel32.dll"), upper);
    EXPECT_GE(IndexOf(*info, "verinfo_translations.dll"), 0);
  }
  EXPECT_EQ(Rows(byToolHelp), Rows(byPsapi));
}

TEST(ExeInfoModules, StartedProgramWithoutVersionResource) {
  ChildProcess notepad("\"" + SystemFolder() + "notepad.exe\"");
  ASSERT_TRUE(notepad.Started());
  ASSERT_EQ(WaitForInputIdle(notepad.Handle(), 15000), 0u);

  ToolHelpModuleSource toolHelp;
  PsapiModuleSource psapi;
  ProcessInfo byToolHelp = LoadProcessInfoData(notepad.Id(), toolHelp);
  ProcessInfo byPsapi = LoadProcessInfoData(notepad.Id(), psapi);
  for (const ProcessInfo* info : {&byToolHelp, &byPsapi}) {
    ASSERT_TRUE(info->executable.known);
    auto texts = ExecutableFieldTexts(info->executable);
    // A 32-bit test's system folder is redirected to the 32-bit one.
    EXPECT_TRUE(SamePath(texts[0], sizeof(void*) == 8 ? SystemFolder() : ProgramFolder32())) << texts[0];
    EXPECT_TRUE(SamePath(texts[1], "notepad.exe"));
    for (int i = 2; i < kExecutableRowCount; ++i) EXPECT_EQ(texts[i], "");
    EXPECT_GE(IndexOf(*info, "user32.dll"), 0);
    ExpectListRules(*info, "notepad.exe");
  }
  EXPECT_EQ(Rows(byToolHelp), Rows(byPsapi));
}

TEST(ExeInfoModules, EndedOrMissingProcessClearsBothPages) {
  auto host = StartHost({});
  ASSERT_TRUE(host);
  DWORD gone = host->Id();
  host->End();

  ToolHelpModuleSource toolHelp;
  PsapiModuleSource psapi;
  for (ModuleSource* source :
       {static_cast<ModuleSource*>(&toolHelp), static_cast<ModuleSource*>(&psapi)}) {
    for (DWORD processId : {gone, 0ul}) {
      ProcessInfo info = LoadProcessInfoData(processId, *source);
      EXPECT_FALSE(info.executable.known) << processId;
      EXPECT_TRUE(info.modules.empty()) << processId;
      for (const std::string& text : ExecutableFieldTexts(info.executable)) EXPECT_EQ(text, "");
    }
  }
}

// A 64-bit process cannot be walked from here; its image path still names it.
TEST(ExeInfoModules, SixtyFourBitProcessShowsItsExecutableOnly) {
  if (sizeof(void*) == 8) GTEST_SKIP() << "a 64-bit Tarvisk walks 64-bit processes";
  std::string native = SystemFolder();
  native =
      native.substr(0, native.find_last_of('\\', native.size() - 2) + 1) + "sysnative\\notepad.exe";
  if (GetFileAttributesA(native.c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no 64-bit system folder";
  ChildProcess notepad("\"" + native + "\"");
  ASSERT_TRUE(notepad.Started());
  ASSERT_EQ(WaitForInputIdle(notepad.Handle(), 15000), 0u);

  ToolHelpModuleSource toolHelp;
  PsapiModuleSource psapi;
  for (ModuleSource* source :
       {static_cast<ModuleSource*>(&toolHelp), static_cast<ModuleSource*>(&psapi)}) {
    ProcessInfo info = LoadProcessInfoData(notepad.Id(), *source);
    ASSERT_TRUE(info.executable.known);
    EXPECT_TRUE(SamePath(FileNamePart(info.executable.path), "notepad.exe"))
        << info.executable.path;
    EXPECT_TRUE(info.modules.empty());
  }
}
