#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "platform/ReportFile.h"
#include "report/ReportPrinter.h"
#include "report/SaveAndPrint.h"

namespace {

std::string ReadFileBytes(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(f, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  return bytes;
}

class ReportSave : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    m_folder = std::string(temp) + "tarvisk-report-test-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
  }
  void TearDown() override {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((m_folder + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string path = m_folder + "\\" + fd.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &fd));
      FindClose(find);
    }
    EXPECT_TRUE(RemoveDirectoryA(m_folder.c_str()));
  }
  int FilesInFolder() {
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((m_folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return n;
  }

  std::string m_folder;
};

}  // namespace

TEST_F(ReportSave, WritesExactlyTheBytesAndReplacesWholly) {
  const std::string path = m_folder + "\\Tarvisk.txt";
  const std::string report = "*** A\r\n\r\nWS_BORDER\xA0|\r\nend\r\n";
  std::string error;
  ASSERT_TRUE(SaveFileReplacing(path, report, &error)) << error;
  EXPECT_EQ(ReadFileBytes(path), report);  // no BOM, no end-of-file marker, CR LF kept

  ASSERT_TRUE(SaveFileReplacing(path, "short\r\n", &error)) << error;
  EXPECT_EQ(ReadFileBytes(path), "short\r\n");
  EXPECT_EQ(FilesInFolder(), 1);  // no temporary file left behind
}

TEST_F(ReportSave, AFailedSaveReportsItAndKeepsTheOldFile) {
  std::string error;
  const std::string missing = m_folder + "\\no such folder\\r.txt";
  EXPECT_FALSE(SaveFileReplacing(missing, "x", &error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  EXPECT_GT(error.size(), missing.size() + 20) << error;  // with the system's reason

  const std::string path = m_folder + "\\kept.txt";
  ASSERT_TRUE(SaveFileReplacing(path, "old contents", &error));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  error.clear();
  EXPECT_FALSE(SaveFileReplacing(path, "new", &error));
  EXPECT_NE(error.find("kept.txt"), std::string::npos) << error;
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST(ReportPrint, NoDefaultPrinterIsReported) {
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (PrintDlgA(&pd)) {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    GTEST_SKIP() << "a default printer is installed in this prefix";
  }
  std::string error;
  EXPECT_FALSE(PrintReportText("report\r\n", &error));
  EXPECT_EQ(error, kNoDefaultPrinter);
}
