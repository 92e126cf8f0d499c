// The system functions Tarvisk loads when a command first needs them: each
// must reach the real function, and a bare start must not split its command
// line through shell32.
#include <windows.h>

#include <gtest/gtest.h>

#include <cderr.h>

#include "platform/OnDemandDlls.h"

TEST(OnDemandDllsTest, EachFunctionReachesTheSystemsOwn) {
  // A structure of size 0 is refused by the dialog functions themselves, with
  // their own error, without showing anything.
  OPENFILENAMEA ofn = {};
  EXPECT_FALSE(SaveFileDialog(&ofn));
  EXPECT_EQ(static_cast<DWORD>(CDERR_STRUCTSIZE), CommDlgExtendedError());
  EXPECT_FALSE(OpenFileDialog(&ofn));
  EXPECT_EQ(static_cast<DWORD>(CDERR_STRUCTSIZE), CommDlgExtendedError());
  PRINTDLGA pd = {};
  EXPECT_FALSE(PrintDialog(&pd));
  EXPECT_EQ(static_cast<DWORD>(CDERR_STRUCTSIZE), CommDlgExtendedError());

  char self[MAX_PATH];
  GetModuleFileNameA(GetModuleHandleA("kernel32.dll"), self, MAX_PATH);
  DWORD handle = 0;
  DWORD size = FileVersionInfoSize(self, &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(FileVersionInfo(self, handle, size, &block[0]));
  void* value = nullptr;
  UINT length = 0;
  EXPECT_TRUE(VersionValue(block.data(), "\\", &value, &length));
  EXPECT_EQ(sizeof(VS_FIXEDFILEINFO), length);

  int count = 0;
  LPWSTR* argv = SplitCommandLine(L"\"C:\\a b\\Tarvisk.exe\" /report \"x y\"", &count);
  ASSERT_NE(nullptr, argv);
  ASSERT_EQ(3, count);
  EXPECT_STREQ(L"x y", argv[2]);
  LocalFree(argv);
}

TEST(OnDemandDllsTest, OnlyACommandLineWithArgumentsIsSplit) {
  EXPECT_TRUE(NamesOnlyTheProgram(L"\"C:\\a b\\Tarvisk.exe\""));
  EXPECT_TRUE(NamesOnlyTheProgram(L"\"C:\\a b\\Tarvisk.exe\"  \t"));
  EXPECT_TRUE(NamesOnlyTheProgram(L"C:\\Tarvisk.exe "));
  EXPECT_TRUE(NamesOnlyTheProgram(L""));
  EXPECT_FALSE(NamesOnlyTheProgram(L"\"C:\\a b\\Tarvisk.exe\" /report"));
  EXPECT_FALSE(NamesOnlyTheProgram(L"\"C:\\a b\\Tarvisk.exe\"/report"));
  EXPECT_FALSE(NamesOnlyTheProgram(L"C:\\a b\\Tarvisk.exe"));  // unquoted: "b\\Tarvisk.exe" is an argument
  EXPECT_TRUE(NamesOnlyTheProgram(L"\"C:\\Tarvisk.exe"));  // an unclosed quote runs to the end
}
