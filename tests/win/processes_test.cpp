// The Processes window and the model under it, against a fixture process
// with two GUI threads; the message log of a whole thread; and a frame that
// holds another process's app window.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <regex>
#include <string>

#include "msglog/MessageLogWindow.h"
#include "platform/Win32WindowSystem.h"
#include "processes/ProcessesWindow.h"
#include "processes/SystemProcessSource.h"
#include "reading/WindowFacts.h"
#include "support/TarviskRun.h"
#include "support/Wait.h"

namespace {

constexpr UINT kHang = WM_APP + 1;

class TestHost final : public ProcessesHost {
 public:
  HWND Owner() const override { return nullptr; }
  HWND CurrentTarget() const override { return target; }
  void Inspect(HWND window) override { inspected = window; }
  void OpenThreadLog(HWND window) override { logged = window; }
  std::unique_ptr<SettingsStore> OpenSettings() const override { return std::make_unique<MemorySettingsStore>(); }
  HWND target = nullptr, inspected = nullptr, logged = nullptr;
};

std::string Hex(HWND h) {
  char buf[16];
  wsprintfA(buf, "0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
  return buf;
}

DWORD ThreadOf(HWND h) { return GetWindowThreadProcessId(h, nullptr); }

// The thread's top-level windows as the system lists them: those of the test
// and those the system makes for the thread (an input method's, say).
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<size_t*>(count);
  return TRUE;
}

size_t ThreadWindowCount(DWORD thread) {
  size_t n = 0;
  EnumThreadWindows(thread, CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

const OwnedWindow* Top(const ThreadNode& t, HWND w) {
  for (const OwnedWindow& o : t.windows) {
    if (ToHwnd(o.handle) == w) return &o;
  }
  return nullptr;
}

class Processes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_fixture.Start(BuildPath("fixtures/ProcessesFixture.exe") + " threads"));
    ASSERT_TRUE(WaitUntil([&] {
      a = FindProcessWindow(m_fixture.Id(), "TarviskProcA", "A");
      owned = FindProcessWindow(m_fixture.Id(), "TarviskProcA", "A owned");
      b1 = FindProcessWindow(m_fixture.Id(), "TarviskProcB", "B one");
      b2 = FindProcessWindow(m_fixture.Id(), "TarviskProcB", "B two");
      return a && owned && b1 && b2;
    }));
  }
  void TearDown() override {
    window.reset();
    PumpMessages();
  }
  void Open() {
    window = std::make_unique<ProcessesWindow>(host);
    ASSERT_TRUE(window->Open());
  }
  void SetFindText(const std::string& text) {
    SetWindowTextA(GetDlgItem(window->Handle(), IDC_PROC_FIND_TEXT), text.c_str());
  }
  RowKey SelectedKey() const {
    RowKey key;
    EXPECT_TRUE(window->Selected(key));
    return key;
  }
  const ThreadNode* Thread(HWND w) const { return window->View().Tree().FindThread(ThreadOf(w)); }

  ChildProcess m_fixture;
  HWND a = nullptr, owned = nullptr, b1 = nullptr, b2 = nullptr;
  TestHost host;
  std::unique_ptr<ProcessesWindow> window;
};

}  // namespace

TEST_F(Processes, ShowBothThreadsWithTheirWindowsFindThemAndInspectARow) {
  host.target = b2;
  Open();
  // It opens on the target's thread, shown and selected.
  EXPECT_TRUE(SelectedKey() == (RowKey{RowKind::Thread, ThreadOf(b2)}));
  const ProcessNode* process = window->View().Tree().FindProcess(m_fixture.Id());
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->record.exeFile, "ProcessesFixture.exe");
  EXPECT_EQ(process->windowCount, ThreadWindowCount(ThreadOf(a)) + ThreadWindowCount(ThreadOf(b1)));
  EXPECT_EQ(process->stats.bits, static_cast<int>(sizeof(void*) * 8));
  EXPECT_NE(process->stats.path.find("ProcessesFixture.exe"), std::string::npos);
  const ThreadNode* first = Thread(a);
  const ThreadNode* second = Thread(b1);
  ASSERT_TRUE(first && second);
  ASSERT_NE(first, second);
  // The owned window sits under its owner; the other thread has two
  // top-level windows of its own.
  EXPECT_EQ(first->windowCount, ThreadWindowCount(ThreadOf(a)));
  const OwnedWindow* top = Top(*first, a);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(Top(*first, owned), nullptr);
  ASSERT_FALSE(top->owned.empty());
  EXPECT_EQ(ToHwnd(top->owned[0].handle), owned);
  EXPECT_EQ(top->owned[0].text, "A owned");
  EXPECT_EQ(second->windowCount, ThreadWindowCount(ThreadOf(b1)));
  EXPECT_TRUE(Top(*second, b1) && Top(*second, b2));
  EXPECT_TRUE(second->gui.known);

  // Find by part of the name in any case, then by a thread's id, then Next
  // comes back round to it.
  SetFindText("processesfix");
  ASSERT_TRUE(window->FindFirst());
  EXPECT_TRUE(SelectedKey() == (RowKey{RowKind::Process, m_fixture.Id()}));
  SetFindText(std::to_string(ThreadOf(a)));
  ASSERT_TRUE(window->FindStep(1));
  EXPECT_TRUE(SelectedKey() == (RowKey{RowKind::Thread, ThreadOf(a)}));
  ASSERT_TRUE(window->FindStep(1));
  EXPECT_TRUE(SelectedKey() == (RowKey{RowKind::Thread, ThreadOf(a)}));
  SetFindText("no such program");
  EXPECT_FALSE(window->FindFirst());

  // Sorting and a refresh keep the rows open and the selection; Enter on a
  // window row inspects it.
  window->Select({RowKind::Window, FromHwnd(b1)});
  const size_t shown = window->View().Rows().size();
  SendMessageW(window->Handle(), WM_COMMAND, IDC_PROC_REFRESH, 0);
  EXPECT_EQ(window->View().Rows().size(), shown);
  EXPECT_TRUE(SelectedKey() == (RowKey{RowKind::Window, FromHwnd(b1)}));
  MSG enter = {GetDlgItem(window->Handle(), IDC_PROC_LIST), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(window->PreTranslate(enter));
  EXPECT_EQ(host.inspected, b1);
}

TEST_F(Processes, AThreadThatStopsAnsweringIsMarkedHungWhileTheWindowAnswers) {
  host.target = a;
  Open();
  ASSERT_TRUE(WaitUntil([&] { return Thread(b1) && Thread(b1)->hung == Hung::No; }));
  PostMessageA(b1, kHang, 0, 0);
  const DWORD start = GetTickCount();
  window->Refresh();
  const DWORD refresh = GetTickCount() - start;
  EXPECT_LT(refresh, 150u) << "a refresh waits on no thread";
  const unsigned checks = window->HungChecks();
  // Within one time-out of the round that asked (and a round may be out).
  ASSERT_TRUE(WaitUntil([&] {
    if (window->HungChecks() == checks) return false;
    if (Thread(b1)->hung != Hung::Yes) window->Refresh();
    return Thread(b1)->hung == Hung::Yes;
  }, 3000));
  EXPECT_EQ(Thread(a)->hung, Hung::No);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(window->Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 100, &answer));
  m_fixture.Kill();
}

TEST_F(Processes, AThreadsMessageLogSeesEveryWindowOfItsThreadAndNoOther) {
  msglog::MessageLogWindow log;
  msglog::MessageLogOptions options;
  options.wholeThread = true;
  ASSERT_EQ(log.Open(a, options), "");
  const UINT mark = WM_APP + 7;
  for (HWND w : {a, owned, b1, b2}) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, mark, 0, 0, SMTO_NORMAL, 1000, &r);
  }
  const auto row = [&](HWND w) {
    const std::regex re("\tR\t" + Hex(w) + "\tWM_APP\\+7\t");
    for (size_t r = 0; r < log.Store().RowCount(); ++r) {
      if (std::regex_search(log.Store().RowText(r), re)) return true;
    }
    return false;
  };
  EXPECT_TRUE(WaitUntil([&] { return row(a) && row(owned); }));
  PumpFor(200);
  EXPECT_FALSE(row(b1) || row(b2));
  char title[128] = {};
  GetWindowTextA(log.Handle(), title, sizeof title);
  EXPECT_EQ(std::string(title), "Message log - thread " + std::to_string(ThreadOf(a)));
}

TEST(ProcessesFrame, AFrameIsShownAsItsAppsProcessWithTheHostBeside) {
  ChildProcess host, app;
  ASSERT_TRUE(host.Start(BuildPath("fixtures/ProcessesFixture.exe") + " frame"));
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = FindProcessWindow(host.Id(), "ApplicationFrameWindow", nullptr)); }));
  char arg[32];
  wsprintfA(arg, " app %lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(frame)));
  ASSERT_TRUE(app.Start(BuildPath("fixtures/ProcessesFixture.exe") + arg));
  HWND inside = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (inside = FindWindowExA(frame, nullptr, "Windows.UI.Core.CoreWindow", nullptr)); }));

  Win32WindowSystem ws;
  const WindowFacts f = ReadWindowFacts(ws, FromHwnd(frame), Facts::Process | Facts::Thread);
  EXPECT_EQ(f.processId, app.Id());
  EXPECT_EQ(f.threadId, ThreadOf(inside));
  EXPECT_EQ(f.hostProcessId, host.Id());
  EXPECT_EQ(f.hostThreadId, ThreadOf(frame));
  // The app's own window is no frame: it names itself.
  EXPECT_EQ(ReadWindowFacts(ws, FromHwnd(inside), Facts::Process).hostProcessId, 0u);

  auto source = MakeSystemProcessSource();
  const ProcessTree tree = BuildProcessTree(ws, *source, TreeOptions{});
  const ProcessNode* shown = tree.FindProcess(app.Id());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->hostProcessId, host.Id());
  EXPECT_EQ(shown->hostExecutable, "ProcessesFixture.exe");
  const ThreadNode* thread = tree.FindThread(ThreadOf(inside));
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(Top(*thread, frame), nullptr);
  // The report names the app for the frame, and the host beside it.
  const TarviskRun run = RunTarvisk("/report /window " + std::to_string(reinterpret_cast<UINT_PTR>(frame)) +
                                    " /format json");
  ASSERT_EQ(run.status, 0u) << run.err;
  const nlohmann::json report = nlohmann::json::parse(run.out)["window"];
  EXPECT_EQ(report["processId"], app.Id());
  EXPECT_EQ(report["hostProcessId"], host.Id());
  EXPECT_EQ(report["hostExecutable"], "ProcessesFixture.exe");
  const TarviskRun snapshot = RunTarvisk("/snapshot /window " + std::to_string(reinterpret_cast<UINT_PTR>(frame)));
  ASSERT_EQ(snapshot.status, 0u) << snapshot.err;
  const nlohmann::json record = nlohmann::json::parse(snapshot.out)["window"];
  EXPECT_EQ(record["processId"], app.Id());
  EXPECT_EQ(record["hostProcessId"], host.Id());
  EXPECT_EQ(record["hostExecutable"], "ProcessesFixture.exe");
  if (const ProcessNode* frameHost = tree.FindProcess(host.Id())) {
    for (const ThreadNode& t : frameHost->threads) EXPECT_EQ(Top(t, frame), nullptr) << "the frame is the app's";
  }
}
