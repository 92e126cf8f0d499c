// The message log against a window of another process: what the hooks record,
// how the log window shows it, and how the log ends.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "msglog/MessageLogWindow.h"
#include "support/Files.h"
#include "support/Wait.h"

using msglog::MessageLogOptions;
using msglog::MessageLogWindow;

namespace {

constexpr int kBits = sizeof(void*) * 8;

class MessageLog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_fixture.Start(BuildPath("fixtures/LogFixture.exe") + " 700 120"));
    // The button comes a moment after its visible parent.
    ASSERT_TRUE(WaitUntil([&] {
      target = FindProcessWindow(m_fixture.Id(), "TarviskLogFixture", nullptr);
      button = target ? FindWindowExA(target, nullptr, "Button", nullptr) : nullptr;
      return button != nullptr;
    }));
  }
  void TearDown() override {
    log.reset();
    PumpMessages();
  }

  void Open(MessageLogOptions options = MessageLogOptions()) {
    log = std::make_unique<MessageLogWindow>();
    const std::string error = log->Open(target, options);
    ASSERT_EQ(error, "");
  }
  // Index of the first row at or after `from` whose text matches, -1 if none.
  int Row(const std::string& pattern, int from = 0) const {
    const std::regex re(pattern);
    for (size_t r = static_cast<size_t>(from); r < log->Store().RowCount(); ++r) {
      if (std::regex_search(log->Store().RowText(r), re)) return static_cast<int>(r);
    }
    return -1;
  }
  bool WaitRow(const std::string& pattern, int from = 0) {
    return WaitUntil([&] { return Row(pattern, from) >= 0; });
  }
  std::string Dump() const {
    std::string s;
    for (size_t r = 0; r < log->Store().RowCount() && r < 200; ++r) s += log->Store().RowText(r) + "\n";
    return s;
  }
  static std::string Hex(HWND h) {
    char buf[16];
    wsprintfA(buf, "0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
    return buf;
  }

  ChildProcess m_fixture;
  HWND target = nullptr, button = nullptr;
  std::unique_ptr<MessageLogWindow> log;
};

}  // namespace

TEST_F(MessageLog, RecordsSentReturnedAndPostedMessagesInOrder) {
  Open();
  const UINT registered = RegisterWindowMessageA("TarviskLogTestMessage");
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  PostMessageA(target, WM_APP + 1, 7, 9);
  SendMessageA(target, registered, 0, 0);
  const std::string w = Hex(target);
  // The text comes with the return: Wine hands the hook of the sent message
  // the sender's pointer.
  ASSERT_TRUE(WaitRow("\tR\t" + w + "\tWM_SETTEXT\t.*\t\"abc\"\t0x")) << Dump();
  ASSERT_TRUE(WaitRow("\tP\t" + w + "\tWM_APP\\+1\t0x00000007\t0x00000009\t")) << Dump();
  ASSERT_TRUE(WaitRow("\tR\t" + w + "\tTarviskLogTestMessage\t")) << Dump();
  const int sent = Row("\tS\t.*\tWM_SETTEXT\t");
  const int returned = Row("\tR\t.*\tWM_SETTEXT\t.*\t\"abc\"\t");
  const int posted = Row("\tP\t.*\tWM_APP\\+1\t");
  EXPECT_LT(sent, returned) << Dump();
  EXPECT_LT(returned, posted) << Dump();
  // Sequence numbers and times only grow.
  for (size_t r = 1; r < log->Store().RowCount(); ++r) {
    EXPECT_LT(std::stoull(log->Store().Cell(r - 1, msglog::kColNumber)), std::stoull(log->Store().Cell(r, msglog::kColNumber)));
    EXPECT_LE(std::stoul(log->Store().Cell(r - 1, msglog::kColTime)), std::stoul(log->Store().Cell(r, msglog::kColTime)));
  }
  char title[256] = {};
  GetWindowTextA(log->Handle(), title, sizeof title);
  EXPECT_EQ(std::string(title), "Message log - TarviskLogFixture " + w);
}

TEST_F(MessageLog, DescendantsShowTheButtonClickBesideTheParentsCommand) {
  Open();
  SendMessageA(button, BM_CLICK, 0, 0);
  const std::string command = "\tS\t" + Hex(target) + "\tWM_COMMAND\t.*\tBN_CLICKED id=1001 control=" + Hex(button);
  ASSERT_TRUE(WaitRow(command)) << Dump();
  EXPECT_EQ(Row("BM_CLICK"), -1) << "the button is no part of the window alone";

  log->SetDescendants(true);
  const int from = static_cast<int>(log->Store().RowCount());
  SendMessageA(button, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitRow(command, from)) << Dump();
  const int click = Row("\tS\t" + Hex(button) + "\tBM_CLICK\t", from);
  EXPECT_GE(click, 0) << Dump();
  EXPECT_LT(click, Row(command, from));
  EXPECT_GE(Row("\tR\t" + Hex(button) + "\tBM_CLICK\t", from), 0) << Dump();
}

TEST_F(MessageLog, FilterAndPauseChangeWhatIsShownNotWhatWasRecorded) {
  Open();
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one"));
  PostMessageA(target, WM_APP + 1, 0, 0);
  ASSERT_TRUE(WaitRow("WM_APP\\+1"));
  const size_t all = log->Store().RowCount();

  msglog::LogFilter filter;
  filter.exclude.insert(WM_SETTEXT);
  log->ApplyFilter(filter);
  EXPECT_EQ(Row("WM_SETTEXT"), -1);
  EXPECT_GE(Row("WM_APP\\+1"), 0);
  EXPECT_LT(ListView_GetItemCount(log->List()), static_cast<int>(all));
  log->ApplyFilter(msglog::LogFilter());
  EXPECT_EQ(log->Store().RowCount(), all);
  EXPECT_GE(Row("\"one\""), 0);

  log->TogglePause();
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("during pause"));
  PumpFor(150);
  log->TogglePause();
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after pause"));
  ASSERT_TRUE(WaitRow("\"after pause\""));
  EXPECT_EQ(Row("during pause"), -1) << Dump();
  EXPECT_LT(Row("\tPaused"), Row("\tResumed"));
  EXPECT_EQ(log->Store().Filter().exclude.size(), 0u);
}

TEST_F(MessageLog, ASmallRingCountsTheMessagesItCouldNotKeep) {
  MessageLogOptions options;
  options.ringCapacity = 16;
  Open(options);
  // No drain runs while this thread waits in SendMessage, so the ring fills.
  for (int i = 0; i < 100; ++i) SendMessageA(target, WM_USER + 7, i, 0);
  ASSERT_TRUE(WaitRow("messages not recorded"));
  std::smatch m;
  const std::string note = log->Store().RowText(static_cast<size_t>(Row("messages not recorded")));
  ASSERT_TRUE(std::regex_search(note, m, std::regex("(\\d+) messages not recorded")));
  int kept = 0;
  for (size_t r = 0; r < log->Store().RowCount(); ++r) kept += log->Store().Cell(r, msglog::kColMessage) == "WM_USER+7";
  // The fixture's own messages may take some of the 16 places.
  EXPECT_GT(kept, 0);
  EXPECT_LE(kept, 16);
  EXPECT_GE(kept + std::stoi(m[1]), 200);
  EXPECT_NE(log->StatusText().find("messages not recorded"), std::string::npos);
}

TEST_F(MessageLog, TheTargetsEndStopsTheLogAndKeepsItsLines) {
  Open();
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("last words"));
  PostMessageA(target, WM_CLOSE, 0, 0);
  ASSERT_TRUE(m_fixture.WaitExit(10000));
  ASSERT_TRUE(WaitRow("was destroyed; logging stopped")) << Dump();
  EXPECT_FALSE(log->Logging());
  EXPECT_GE(Row("\"last words\""), 0);
  EXPECT_GE(Row("\tWM_DESTROY\t"), 0) << Dump();
  char title[256] = {};
  GetWindowTextA(log->Handle(), title, sizeof title);
  EXPECT_NE(std::string(title).find("(destroyed)"), std::string::npos);
}

TEST_F(MessageLog, SaveWritesTheShownLinesAndCopyTheSelectedOnes) {
  Open();
  SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("saved"));
  ASSERT_TRUE(WaitRow("\"saved\""));
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "tarvisk-log-" + std::to_string(GetCurrentProcessId()) + ".txt";
  log->SaveDialogHook = [&](std::string& name) {
    name = path;
    return true;
  };
  std::string error;
  log->ErrorHook = [&](const std::string& text) { error = text; };
  SendMessageA(log->Handle(), WM_COMMAND, MAKEWPARAM(msglog::IDC_LOG_SAVE, BN_CLICKED), 0);
  EXPECT_EQ(error, "");
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  char bytes[65536] = {};
  DWORD got = 0;
  ReadFile(f, bytes, sizeof bytes - 1, &got, nullptr);
  CloseHandle(f);
  DeleteFileA(path.c_str());
  const std::string text(bytes, got);
  EXPECT_EQ(text.rfind("#\tTime\tType\tWindow\tMessage\twParam\tlParam\tDecoded\tResult\r\n", 0), 0u) << text;
  EXPECT_NE(text.find("\"saved\"\t0x0000000"), std::string::npos) << text;

  const std::string missing = std::string(temp) + "no such folder\\log.txt";
  log->SaveDialogHook = [&](std::string& name) {
    name = missing;
    return true;
  };
  SendMessageA(log->Handle(), WM_COMMAND, MAKEWPARAM(msglog::IDC_LOG_SAVE, BN_CLICKED), 0);
  EXPECT_NE(error.find(missing), std::string::npos) << error;

  const int row = Row("\tR\t.*\"saved\"");
  ListView_SetItemState(log->List(), row, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(log->Handle(), WM_COMMAND, MAKEWPARAM(msglog::IDC_LOG_COPY, BN_CLICKED), 0);
  EXPECT_EQ(ClipboardText(), log->Store().RowText(static_cast<size_t>(row)) + "\r\n");
}

TEST_F(MessageLog, AMillionLinesStayResponsiveAndBounded) {
  MessageLogOptions options;
  options.lineCap = 1000000;
  Open(options);
  std::vector<msglog::RecordData> records(100000);
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].kind = msglog::kKindPosted;
    records[i].message = WM_MOUSEMOVE;
    records[i].lParam = i;
  }
  const DWORD start = GetTickCount();
  for (int batch = 0; batch < 11; ++batch) log->AddRecords(records.data(), records.size());
  const DWORD added = GetTickCount() - start;
  EXPECT_LE(log->Store().Size(), 1000000u);
  EXPECT_TRUE(log->Store().RemovedNoteShown());
  EXPECT_EQ(static_cast<size_t>(ListView_GetItemCount(log->List())), log->Store().RowCount());
  // Following the newest line: the last row is in view.
  const int last = ListView_GetItemCount(log->List()) - 1;
  EXPECT_GE(ListView_GetTopIndex(log->List()) + ListView_GetCountPerPage(log->List()), last);

  const DWORD paintStart = GetTickCount();
  for (int row : {0, last / 2, last}) {
    ListView_EnsureVisible(log->List(), row, FALSE);
    RedrawWindow(log->List(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  const DWORD painted = GetTickCount() - paintStart;
  EXPECT_LT(added, 10000u);
  EXPECT_LT(painted, 1000u);
  RecordProperty("add_ms", static_cast<int>(added));
  RecordProperty("paint_ms", static_cast<int>(painted));
}

TEST_F(MessageLog, AWindowOfTheOtherBitnessGetsTheTarviskToUse) {
  const std::string other = kBits == 64 ? "win" : "win64";
  const std::string exe = BuildPath("../" + other + "/fixtures/LogFixture.exe");
  if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << other << " build here";
  ChildProcess fixture;
  if (!fixture.Start(exe + " 720 360")) GTEST_SKIP() << "this machine cannot start " << other << " programs";
  HWND foreign = nullptr;
  if (!WaitUntil([&] { return (foreign = FindProcessWindow(fixture.Id(), "TarviskLogFixture", nullptr)); }))
    GTEST_SKIP() << "the " << other << " fixture did not start";
  MessageLogWindow other_log;
  const std::string error = other_log.Open(foreign);
  const int otherBits = kBits == 64 ? 32 : 64;
  EXPECT_NE(error.find("belongs to a " + std::to_string(otherBits) + "-bit program"), std::string::npos) << error;
  EXPECT_NE(error.find("with the " + std::to_string(otherBits) + "-bit Tarvisk"), std::string::npos) << error;
  EXPECT_EQ(other_log.Handle(), nullptr);
}
