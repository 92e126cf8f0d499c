// Save and Print from the main window, with the dialog and message boxes
// answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "platform/Win32WindowSystem.h"
#include "report/Report.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Files.h"
#include "support/Wait.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class ReportCommandsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    StartMainWindow(true);  // idle: Save and Print act on a fixed target
    target = CreateWindowExA(0, "BUTTON", "report target", WS_POPUP, 900, 100, 100, 50, nullptr, nullptr,
                             nullptr, nullptr);
    frm->InspectWindow(FromHwnd(target), true);
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    folder = std::string(dir) + "tarvisk-report-test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    frm->SaveDialogHook = [this](std::string& name) {
      proposed.push_back(name);
      if (chosen.empty()) return false;
      name = chosen;
      return true;
    };
    frm->MessageBoxHook = [this](const std::string& text, unsigned style) {
      asked.push_back(text);
      styles.push_back(style);
      return answer;
    };
  }
  void TearDown() override {
    DeleteFileA((folder + "report.txt").c_str());
    DeleteFileA((folder + "other.txt").c_str());
    RemoveDirectoryA(folder.c_str());
    DestroyWindow(target);
    MainWindowFixture::TearDown();
  }
  HWND target = nullptr;
  std::string folder, chosen;
  std::vector<std::string> proposed, asked;
  std::vector<unsigned> styles;
  int answer = IDYES;
};

TEST_F(ReportCommandsTest, SaveWritesExactlyTheReportAndRemembersTheName) {
  chosen = folder + "report.txt";
  frm->btnSaveClick();
  ASSERT_EQ(proposed.size(), 1u);
  EXPECT_EQ(proposed[0], "Tarvisk.txt");
  EXPECT_TRUE(asked.empty()) << "a new file is written without a question";
  std::string saved = FileContents(chosen);
  EXPECT_EQ(saved, ReportText(frm->GatherReport()));
  EXPECT_NE(saved.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(saved.find("report target"), std::string::npos);
  EXPECT_NE(saved.find("\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("\n\n"), std::string::npos) << "every line end is CR LF";

  chosen.clear();  // cancelled: nothing written, the name is still proposed
  frm->btnSaveClick();
  ASSERT_EQ(proposed.size(), 2u);
  EXPECT_EQ(proposed[1], folder + "report.txt");
}

TEST_F(ReportCommandsTest, OverwriteAsksFirstWithTheStopIcon) {
  chosen = folder + "report.txt";
  WriteFile(chosen, "old content");
  answer = IDNO;
  frm->btnSaveClick();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "File \"" + chosen + "\" already exists.\rOverwrite?");
  EXPECT_EQ(styles[0], 0x14u);
  EXPECT_EQ(FileContents(chosen), "old content");

  answer = IDYES;
  frm->btnSaveClick();
  EXPECT_EQ(FileContents(chosen), ReportText(frm->GatherReport()));
}

TEST_F(ReportCommandsTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  chosen = folder + "missing\\report.txt";
  frm->btnSaveClick();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find("missing"), std::string::npos) << asked[0];
  EXPECT_EQ(GetFileAttributesA(chosen.c_str()), INVALID_FILE_ATTRIBUTES);

  chosen = folder + "other.txt";
  WriteFile(chosen, "keep me");
  SetFileAttributesA(chosen.c_str(), FILE_ATTRIBUTE_READONLY);
  asked.clear();
  frm->btnSaveClick();  // asks to overwrite (Yes), then fails on the read-only file
  EXPECT_EQ(asked.size(), 2u);
  SetFileAttributesA(chosen.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileContents(chosen), "keep me");
}

TEST_F(ReportCommandsTest, PrintWithoutPrinterSaysSo) {
  char printer[256];
  DWORD size = sizeof printer;
  if (GetDefaultPrinterA(printer, &size)) GTEST_SKIP() << "a default printer is installed";
  frm->btnPrintClick();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "There is no default printer currently selected");
}

}  // namespace
