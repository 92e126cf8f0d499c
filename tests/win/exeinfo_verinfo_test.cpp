#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "exeinfo/ExeInfo.h"
#include "exeinfo/VerInfo.h"

namespace {

// The fixture libraries are built beside the test program.
std::string Fixture(const char* name) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "exeinfo_fixtures\\" + name;
}

std::string SystemFile(const char* name) {
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\" + name;
}

}  // namespace

TEST(ExeInfoVersion, ReadsTheFirstTranslationsStrings) {
  TVersionInformation info(Fixture("verinfo_normal.dll"));
  ASSERT_FALSE(info.IsEmpty());
  EXPECT_EQ(info.FileName(), Fixture("verinfo_normal.dll"));
  EXPECT_EQ(info.Prefix(), "\\StringFileInfo\\040904b0\\");
  EXPECT_EQ(info.GetValue("OriginalFilename"), "verinfo_normal.dll");
  EXPECT_EQ(info.GetValue("FileDescription"), "Version reader fixture");
  EXPECT_EQ(info.GetValue("FileVersion"), "1.2.3.4");
  EXPECT_EQ(info.GetValue("ProductName"), "Tarvisk fixtures");
  EXPECT_EQ(info.GetValue("InternalName"), "verinfo_normal");
  EXPECT_EQ(info.GetValue("LegalCopyright"), "Copyright (C) Tarvisk team");
  EXPECT_EQ(info.GetValue("LegalTrademarks"), "No marks");
  EXPECT_EQ(info.GetValue("ProductVersion"), "1.2");
  EXPECT_EQ(info.GetValue("CompanyName"), "Tarvisk team");
  EXPECT_EQ(info.GetValue("Comments"), "Built for the tests");
  EXPECT_EQ(info.GetValue("PrivateBuild"), "");
  EXPECT_EQ(info.GetValue(""), "");

  // The page's reader gives the same strings in the page's order.
  ExecutableInfo exe = ReadExecutableInfo(Fixture("verinfo_normal.dll"));
  EXPECT_TRUE(exe.known);
  EXPECT_TRUE(exe.hasVersion);
  EXPECT_EQ(exe.version[0], "verinfo_normal.dll");
  EXPECT_EQ(exe.version[8], "Tarvisk team");
  EXPECT_EQ(exe.version[9], "Built for the tests");
}

TEST(ExeInfoVersion, NeverReadsTheSecondTranslation) {
  TVersionInformation info(Fixture("verinfo_translations.dll"));
  ASSERT_FALSE(info.IsEmpty());
  EXPECT_EQ(info.Prefix(), "\\StringFileInfo\\040704e4\\");
  EXPECT_EQ(info.GetValue("CompanyName"), "Tarvisk Werkstatt");
  EXPECT_EQ(info.GetValue("FileDescription"), "Deutsche Beschreibung");
  EXPECT_EQ(info.GetValue("ProductName"), "Tarvisk Vorlage");
  EXPECT_EQ(info.GetValue("Comments"), "");  // only the second table has it
}

TEST(ExeInfoVersion, ResourceWithoutTranslationGivesEmptyValues) {
  TVersionInformation info(Fixture("verinfo_notranslation.dll"));
  EXPECT_FALSE(info.IsEmpty());
  EXPECT_EQ(info.Prefix(), "");
  EXPECT_EQ(info.GetValue("CompanyName"), "");
  EXPECT_EQ(info.GetValue("ProductName"), "");
  // Keys that would name blocks of the resource when queried bare.
  EXPECT_EQ(info.GetValue("\\VarFileInfo\\Translation"), "");
  EXPECT_EQ(info.GetValue("\\StringFileInfo\\040904b0\\CompanyName"), "");
}

TEST(ExeInfoVersion, FilesWithoutResourceAreEmpty) {
  for (const std::string& file :
       {Fixture("verinfo_none.dll"), Fixture("no_such_file.dll"), std::string()}) {
    TVersionInformation info(file);
    EXPECT_TRUE(info.IsEmpty()) << file;
    EXPECT_EQ(info.Prefix(), "");
    EXPECT_EQ(info.GetValue("CompanyName"), "");
    EXPECT_EQ(info.GetValue("FileVersion"), "");
  }
  ExecutableInfo exe = ReadExecutableInfo(Fixture("verinfo_none.dll"));
  EXPECT_TRUE(exe.known);
  EXPECT_FALSE(exe.hasVersion);
  auto texts = ExecutableFieldTexts(exe);
  EXPECT_EQ(texts[1], "verinfo_none.dll");
  for (int i = 2; i < kExecutableRowCount; ++i) EXPECT_EQ(texts[i], "");
}

TEST(ExeInfoVersion, SystemFiles) {
  TVersionInformation kernel(SystemFile("kernel32.dll"));
  ASSERT_FALSE(kernel.IsEmpty());
  EXPECT_EQ(kernel.Prefix(), "\\StringFileInfo\\040904b0\\");
  EXPECT_NE(kernel.GetValue("FileVersion"), "");
  EXPECT_NE(kernel.GetValue("ProductName"), "");
  EXPECT_EQ(kernel.GetValue("NoSuchKey"), "");

  // Wine's notepad carries no version resource.
  TVersionInformation notepad(SystemFile("notepad.exe"));
  EXPECT_TRUE(notepad.IsEmpty());
}
