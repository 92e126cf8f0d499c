#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "exeinfo/ModuleList.h"

namespace {

// Orders as lstrcmpA does under Wine: letters case-insensitively first, and a
// lower-case letter before its upper-case form only when all else is equal.
int LocaleLikeCompare(const char* a, const char* b) {
  for (const char *x = a, *y = b;; ++x, ++y) {
    int cx = std::tolower(static_cast<unsigned char>(*x));
    int cy = std::tolower(static_cast<unsigned char>(*y));
    if (cx != cy) return cx < cy ? -1 : 1;
    if (*x == 0) break;
  }
  for (const char *x = a, *y = b; *x; ++x, ++y) {
    if (*x != *y) return std::islower(static_cast<unsigned char>(*x)) ? -1 : 1;
  }
  return 0;
}

std::vector<std::string> Files(const std::vector<ModuleRow>& rows) {
  std::vector<std::string> files;
  for (const ModuleRow& row : rows) files.push_back(row.file);
  return files;
}

ModuleEntry Module(const std::string& path, uint32_t handle = 0x10000000) {
  return ModuleEntry{path, handle};
}

class ScriptedSource : public ModuleSource {
 public:
  ModuleWalk Walk(uint32_t processId) override {
    ++walks;
    auto it = processes.find(processId);
    return it == processes.end() ? ModuleWalk() : it->second;
  }
  std::string ImagePath(uint32_t processId) override {
    ++imageQueries;
    auto it = images.find(processId);
    return it == images.end() ? std::string() : it->second;
  }
  std::map<uint32_t, ModuleWalk> processes;
  std::map<uint32_t, std::string> images;
  int walks = 0, imageQueries = 0;
};

ModuleWalk Listed(ExecutableRule rule, const std::string& exeName,
                  std::vector<ModuleEntry> modules) {
  ModuleWalk walk;
  walk.processFound = walk.modulesListed = true;
  walk.rule = rule;
  walk.processExeName = exeName;
  walk.modules = std::move(modules);
  return walk;
}

}  // namespace

TEST(ExeInfoPaths, SplitAfterLastBackslashOrColon) {
  EXPECT_EQ(FolderPart("C:\\windows\\system32\\kernel32.dll"), "C:\\windows\\system32\\");
  EXPECT_EQ(FileNamePart("C:\\windows\\system32\\kernel32.dll"), "kernel32.dll");
  EXPECT_EQ(FolderPart("C:notepad.exe"), "C:");
  EXPECT_EQ(FileNamePart("C:notepad.exe"), "notepad.exe");
  EXPECT_EQ(FolderPart("notepad.exe"), "");
  EXPECT_EQ(FileNamePart("notepad.exe"), "notepad.exe");
  EXPECT_EQ(FolderPart("C:\\tools\\"), "C:\\tools\\");
  EXPECT_EQ(FileNamePart("C:\\tools\\"), "");
  // A forward slash is no separator here, a colon further right is.
  EXPECT_EQ(FileNamePart("C:\\a/b.dll"), "a/b.dll");
  EXPECT_EQ(FolderPart("C:\\dir\\file:stream"), "C:\\dir\\file:");
  EXPECT_EQ(FileNamePart(""), "");
}

TEST(ExeInfoRows, KeptInCompareOrderWithEqualRowsInArrivalOrder) {
  std::vector<ModuleRow> rows;
  for (const char* path : {"C:\\w\\user32.dll", "C:\\upper\\Twin.dll", "C:\\w\\Advapi32.dll",
                           "C:\\lower\\twin.dll", "C:\\w\\kernel32.dll", "C:\\again\\twin.dll"})
    InsertModuleRow(rows, MakeModuleRow(Module(path)), LocaleLikeCompare);
  EXPECT_EQ(Files(rows), (std::vector<std::string>{"Advapi32.dll", "kernel32.dll", "twin.dll",
                                                   "twin.dll", "Twin.dll", "user32.dll"}));
  EXPECT_EQ(rows[2].folder, "C:\\lower\\");
  EXPECT_EQ(rows[3].folder, "C:\\again\\");

  // The byte order puts every upper-case name first: the comparison is the caller's.
  rows.clear();
  for (const char* path : {"C:\\w\\user32.dll", "C:\\w\\Advapi32.dll", "C:\\w\\Zeta.dll"})
    InsertModuleRow(rows, MakeModuleRow(Module(path)), OrdinalCompare);
  EXPECT_EQ(Files(rows), (std::vector<std::string>{"Advapi32.dll", "Zeta.dll", "user32.dll"}));
}

TEST(ExeInfoRows, UnreadablePathShowsTheModuleHandle) {
  ModuleRow row = MakeModuleRow(Module("", 0x7B60000));
  EXPECT_EQ(row.file, "07B60000");
  EXPECT_EQ(row.folder, "");
  EXPECT_EQ(row.handle, 0x7B60000u);
}

TEST(ExeInfoSortOut, ByNameKeepsEveryExecutableNamedModuleOutOfTheList) {
  ModuleWalk walk = Listed(ExecutableRule::ByName, "notepad.exe",
                           {Module("C:\\windows\\notepad.exe"), Module("C:\\windows\\ntdll.dll"),
                            Module("C:\\windows\\kernel32.dll"), Module("D:\\copy\\NOTEPAD.EXE")});
  ProcessModules m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  ASSERT_TRUE(m.executableFound);
  EXPECT_EQ(m.executablePath, "D:\\copy\\NOTEPAD.EXE");  // the last one named so
  EXPECT_EQ(Files(m.rows), (std::vector<std::string>{"kernel32.dll", "ntdll.dll"}));

  // A name that no module carries: nothing is taken for the executable.
  walk.processExeName = "other.exe";
  m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_FALSE(m.executableFound);
  EXPECT_EQ(m.rows.size(), 4u);

  // An unreadable module never matches an empty executable name.
  walk = Listed(ExecutableRule::ByName, "", {Module("", 0x400000), Module("C:\\a.dll")});
  m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_FALSE(m.executableFound);
  EXPECT_EQ(Files(m.rows), (std::vector<std::string>{"00400000", "a.dll"}));
}

TEST(ExeInfoSortOut, FirstModuleIsTheExecutable) {
  ModuleWalk walk = Listed(ExecutableRule::FirstModule, "",
                           {Module("C:\\app\\Host.exe"), Module("C:\\w\\kernel32.dll"),
                            Module("C:\\planted\\HOST.EXE"), Module("", 0x10000000)});
  ProcessModules m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  ASSERT_TRUE(m.executableFound);
  EXPECT_EQ(m.executablePath, "C:\\planted\\HOST.EXE");
  EXPECT_EQ(Files(m.rows), (std::vector<std::string>{"10000000", "kernel32.dll"}));

  // An executable whose path could not be read is neither shown nor listed.
  walk.modules[0].path.clear();
  walk.modules.erase(walk.modules.begin() + 2);
  m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_FALSE(m.executableFound);
  EXPECT_EQ(Files(m.rows), (std::vector<std::string>{"10000000", "kernel32.dll"}));

  walk.modulesListed = false;
  m = SortOutModules(walk, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_FALSE(m.executableFound);
  EXPECT_TRUE(m.rows.empty());
}

TEST(ExeInfoCollect, FallsBackToTheImagePathOnlyWhenTheWalkMissedTheExecutable) {
  ScriptedSource source;
  source.processes[8] = Listed(ExecutableRule::ByName, "app.exe",
                               {Module("C:\\app\\app.exe"), Module("C:\\w\\ntdll.dll")});
  source.images[8] = "C:\\elsewhere\\app.exe";
  ProcessModules m = CollectProcessModules(8, source, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_EQ(m.executablePath, "C:\\app\\app.exe");
  EXPECT_EQ(source.imageQueries, 0);

  // A 64-bit process: found, its modules out of reach.
  ModuleWalk unreachable;
  unreachable.processFound = true;
  source.processes[12] = unreachable;
  source.images[12] = "C:\\windows\\regedit.exe";
  m = CollectProcessModules(12, source, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_TRUE(m.executableFound);
  EXPECT_EQ(m.executablePath, "C:\\windows\\regedit.exe");
  EXPECT_TRUE(m.rows.empty());

  // A process that is gone: nothing at all.
  m = CollectProcessModules(16, source, LocaleLikeCompare, AsciiSameFileName);
  EXPECT_FALSE(m.executableFound);
  EXPECT_EQ(m.executablePath, "");
  EXPECT_TRUE(m.rows.empty());
  EXPECT_EQ(source.imageQueries, 2);
}

TEST(ExeInfoPage, FieldTextsFollowTheRowTable) {
  for (int i = 0; i < kVersionKeyCount; ++i)
    EXPECT_STREQ(kExecutableRows[2 + i].versionKey, kVersionKeys[i]);
  EXPECT_EQ(kExecutableRows[0].versionKey, nullptr);
  EXPECT_STREQ(kExecutableRows[11].caption, "Comments");

  ExecutableInfo exe;
  for (const std::string& text : ExecutableFieldTexts(exe)) EXPECT_EQ(text, "");

  exe.known = true;
  exe.path = "C:\\windows\\notepad.exe";
  exe.version[0] = "stale";  // no version block: the strings are not shown
  auto texts = ExecutableFieldTexts(exe);
  EXPECT_EQ(texts[0], "C:\\windows\\");
  EXPECT_EQ(texts[1], "notepad.exe");
  for (int i = 2; i < kExecutableRowCount; ++i) EXPECT_EQ(texts[i], "");

  exe.hasVersion = true;
  for (int i = 0; i < kVersionKeyCount; ++i) exe.version[i] = kVersionKeys[i];
  texts = ExecutableFieldTexts(exe);
  EXPECT_EQ(texts[2], "OriginalFilename");
  EXPECT_EQ(texts[11], "Comments");
}
