// The process tree over a fake desktop: owned windows under their owners,
// a frame shown as its app's process, sorting, finding, and a new reading
// that keeps the open rows.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "SchemaCheck.h"
#include "processes/ProcessJson.h"
#include "processes/ProcessModel.h"

namespace {

class FakeProcesses : public ProcessSource {
 public:
  std::vector<ProcessRecord> Processes() override { return processes; }
  std::vector<ThreadRecord> Threads() override { return threads; }
  ProcessStats Stats(uint32_t id) override {
    ProcessStats s;
    s.bits = id == 1 ? 32 : 0;
    s.hasMemory = id != 2;
    s.workingSet = 4096u * id;
    return s;
  }
  GuiState Gui(uint32_t) override { return {}; }
  std::vector<ProcessRecord> processes = {
      {1, 0, "alpha.exe"}, {2, 0, "Beta.exe"}, {3, 0, "idle.exe"}, {4, 0, "FrameHost.exe"}, {5, 0, "app.exe"}};
  std::vector<ThreadRecord> threads = {{11, 1}, {12, 1}, {21, 2}, {31, 3}, {41, 4}, {51, 5}};
};

class ProcessTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w1 = Add("Main", 1, 11, "one");
    w2 = Add("Dialog", 1, 11, "owned", w1);
    w3 = Add("Other", 2, 21);
    w4 = Add("Other", 2, 21);
    frame = Add("ApplicationFrameWindow", 4, 41);
    app = Add("Windows.UI.Core.CoreWindow", 5, 51, "", 0, frame);
  }
  Hwnd Add(const char* cls, uint32_t process, uint32_t thread, const char* text = "", Hwnd owner = 0,
           Hwnd parent = 0) {
    FakeWindow w;
    w.className = cls;
    w.text = text;
    w.processId = process;
    w.threadId = thread;
    w.owner = owner;
    w.parent = parent;
    w.child = parent != 0;
    return desk.Add(w);
  }
  ProcessTree Build(bool all = false) {
    TreeOptions o;
    o.allProcesses = all;
    return BuildProcessTree(desk, source, o);
  }
  FakeDesktop desk;
  FakeProcesses source;
  Hwnd w1 = 0, w2 = 0, w3 = 0, w4 = 0, frame = 0, app = 0;
};

std::vector<RowKey> Keys(const ProcessView& v) {
  std::vector<RowKey> keys;
  for (const ViewRow& r : v.Rows()) keys.push_back(r.key);
  return keys;
}

}  // namespace

TEST_F(ProcessTreeTest, ThreadsHoldTheirWindowsWithOwnedOnesBelowAndAFrameIsItsAppsProcess) {
  const ProcessTree tree = Build();
  // Processes without windows are left out; the frame's host has none of its own.
  ASSERT_EQ(tree.processes.size(), 3u);
  const ProcessNode* alpha = tree.FindProcess(1);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->windowCount, 2u);
  ASSERT_EQ(alpha->threads.size(), 2u);
  const ThreadNode* t11 = tree.FindThread(11);
  ASSERT_EQ(t11->windows.size(), 1u);
  EXPECT_EQ(t11->windows[0].handle, w1);
  ASSERT_EQ(t11->windows[0].owned.size(), 1u);
  EXPECT_EQ(t11->windows[0].owned[0].text, "owned");
  EXPECT_EQ(tree.FindThread(12)->windowCount, 0u);
  EXPECT_EQ(tree.FindProcess(3), nullptr);
  EXPECT_EQ(tree.FindProcess(4), nullptr);
  const ProcessNode* shown = tree.FindProcess(5);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->hostProcessId, 4u);
  EXPECT_EQ(shown->hostExecutable, "FrameHost.exe");
  ASSERT_EQ(tree.FindThread(51)->windows.size(), 1u);
  EXPECT_EQ(tree.FindThread(51)->windows[0].handle, frame);
  EXPECT_EQ(tree.windowCount, 5u);
  EXPECT_EQ(Build(true).processes.size(), 5u);

  // The same window as an app of its own process is no frame.
  desk[app].processId = 4;
  EXPECT_EQ(Build().FindProcess(4)->hostProcessId, 0u);

  ExpectValid(ProcessesJson(tree), "tarvisk-processes.schema.json");
  ExpectValid(ThreadsJson(*shown), "tarvisk-processes.schema.json");
  EXPECT_EQ(ProcessesText(tree).substr(0, 42), "1 alpha.exe 32-bit: 2 threads, 2 windows; ");
}

TEST_F(ProcessTreeTest, SortFindAndANewReadingKeepTheOpenRows) {
  ProcessView view;
  view.SetTree(Build());
  EXPECT_EQ(view.Rows().size(), 3u);
  EXPECT_EQ(CellText(view.Rows()[0], ProcessColumn::Name), "alpha.exe");
  view.SortBy(ProcessColumn::WorkingSet, true);
  // The process whose memory is unknown sorts last either way.
  EXPECT_EQ(view.Rows()[0].key.id, 5u);
  EXPECT_EQ(view.Rows()[2].key.id, 2u);
  view.SortBy(ProcessColumn::Name, false);
  EXPECT_EQ(view.Rows()[1].key.id, 5u);
  EXPECT_EQ(view.Rows()[2].key.id, 2u) << "names compare in any case";

  // Reveal opens every row above the owned window.
  ASSERT_TRUE(view.Reveal({RowKind::Window, w2}));
  const std::vector<RowKey> open = Keys(view);
  ASSERT_EQ(open.size(), 7u);
  EXPECT_EQ(view.Rows()[view.IndexOf({RowKind::Window, w2})].depth, 3);
  view.SetTree(Build());
  EXPECT_EQ(Keys(view), open);
  view.SetExpanded({RowKind::Process, 1}, false);
  EXPECT_EQ(view.Rows().size(), 3u);

  const std::vector<RowKey> byName = view.Find("A");
  EXPECT_EQ(byName.size(), 3u);  // alpha.exe, Beta.exe, app.exe
  const std::vector<RowKey> byId = view.Find("0xB");
  ASSERT_EQ(byId.size(), 1u);
  EXPECT_TRUE(byId[0] == (RowKey{RowKind::Thread, 11}));
  EXPECT_TRUE(view.Find("").empty());
  EXPECT_FALSE(view.Reveal({RowKind::Thread, 99}));
}
