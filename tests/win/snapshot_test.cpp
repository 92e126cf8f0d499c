// Snapshots of real windows in another process, taken and compared by
// Tarvisk.exe as a script would run it, and saved from the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/FrameFeatures.h"
#include "fixtures/SnapshotFixtureIds.h"
#include "platform/Win32WindowSystem.h"
#include "selectors/DesktopSelectors.h"
#include "selectors/SystemSelectors.h"
#include "snapshot/SnapshotReader.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"
#include "support/TarviskRun.h"
#include "support/Wait.h"

namespace {

std::string TempFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "tarvisk-snapshot-test-" + name;
}

std::string Hex(HWND h) {
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(h)));
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    out.push_back(text.substr(start, at - start));
  }
  return out;
}

TarviskRun Tarvisk(const std::string& args) { return RunTarvisk(args, 60000); }

Snapshot ReadFile(const std::string& path) {
  Snapshot s;
  std::string error;
  EXPECT_TRUE(ReadSnapshot(FileContents(path), s, &error)) << path << ": " << error;
  return s;
}

class SnapshotFixtureProcess {
 public:
  HWND Start(const std::string& args, const char* cls, const char* title) {
    if (!m_process.Start("\"" + BuildPath("fixtures\\SnapshotFixture.exe") + "\" " + args)) return nullptr;
    HWND w = nullptr;
    WaitUntil([&] { return (w = FindProcessWindow(m_process.Id(), cls, title)) != nullptr; }, 10000);
    return w;
  }

 private:
  ChildProcess m_process;
};

// A window with three children whose thread has stopped taking messages, in
// this process; for Tarvisk.exe it is another program's window.
class HungWindows {
 public:
  HungWindows() {
    m_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(m_ready, 10000);
  }
  ~HungWindows() {
    SetEvent(m_release);
    WaitForSingleObject(m_thread, 10000);
    for (HANDLE h : {m_thread, m_ready, m_release}) CloseHandle(h);
  }
  HWND Window() const { return m_window; }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* me = static_cast<HungWindows*>(self);
    me->m_window = CreateWindowExA(0, "STATIC", "hung", WS_POPUP | WS_VISIBLE, 20, 700, 120, 40, nullptr, nullptr,
                                   nullptr, nullptr);
    for (int i = 0; i < 3; ++i) {
      CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE, 0, i * 10, 50, 10, me->m_window, nullptr, nullptr,
                      nullptr);
    }
    SetEvent(me->m_ready);
    WaitForSingleObject(me->m_release, 60000);  // hangs: no message is taken meanwhile
    DestroyWindow(me->m_window);
    return 0;
  }
  HANDLE m_release = nullptr, m_ready = nullptr, m_thread = nullptr;
  HWND m_window = nullptr;
};

class SnapshotTest : public MainWindowFixture {
 protected:
  void TearDown() override {
    for (const std::string& f : m_files) DeleteFileA(f.c_str());
    MainWindowFixture::TearDown();
  }
  std::string File(const std::string& name) {
    m_files.push_back(TempFile(name));
    return m_files.back();
  }
  std::vector<std::string> m_files;
};

}  // namespace

TEST_F(SnapshotTest, TheDifferenceNamesExactlyTheFiveChangesOfAnotherProgram) {
  SnapshotFixtureProcess fixture;
  const HWND frame = fixture.Start("", kSnapFrameClass, nullptr);
  ASSERT_TRUE(frame);
  const std::string a = File("a.json"), b = File("b.json");
  TarviskRun r = Tarvisk("/snapshot \"" + a + "\" /window " + Hex(frame));
  ASSERT_EQ(r.status, 0u) << r.err;
  EXPECT_EQ(r.out, "");
  const Snapshot before = ReadFile(a);
  ASSERT_EQ(before.windows.size(), 6u);
  EXPECT_EQ(before.windows[0].className, kSnapFrameClass);
  EXPECT_EQ(before.windows[0].executable, "SnapshotFixture.exe");
  EXPECT_FALSE(before.header.desktopRoot);
  // To standard output alike.
  r = Tarvisk("/snapshot /window " + Hex(frame));
  Snapshot out;
  std::string error;
  EXPECT_TRUE(ReadSnapshot(r.out, out, &error)) << error;
  EXPECT_EQ(out.windows.size(), 6u);

  PostMessageA(frame, WM_APP + 1, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(frame, kSnapAdded) && !GetDlgItem(frame, kSnapDestroyed); }));
  ASSERT_EQ(Tarvisk("/snapshot \"" + b + "\" /window " + Hex(frame)).status, 0u);

  r = Tarvisk("/diff \"" + a + "\" \"" + b + "\"");
  EXPECT_EQ(r.status, 3u) << r.err;
  const std::string top = "SnapshotFixture.exe:SnapFixtureFrame/";
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 5u) << r.out;
  // In the tree's order: child windows are made at the bottom of the z-order.
  EXPECT_EQ(lines[0], "changed " + top + "Edit#101: text \"before\" -> \"after\"");
  EXPECT_EQ(lines[1], "changed " + top + "Button#102: visible true -> false");
  EXPECT_EQ(lines[2], "changed " + top + "Static#103: rect (10, 100)-(130, 124) -> (40, 100)-(160, 124)");
  EXPECT_EQ(lines[3], "added   " + top + "Button#106 (handle " + Hex(GetDlgItem(frame, kSnapAdded)) + ")");
  EXPECT_EQ(lines[4].rfind("removed " + top + "Static#104 (handle $", 0), 0u) << lines[4];

  r = Tarvisk("/diff \"" + a + "\" \"" + b + "\" /format json /ignore text,visible /tolerance 30");
  EXPECT_EQ(r.status, 3u);
  EXPECT_NE(r.out.find("\"matchedBy\": \"handle\""), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\"changed\""), std::string::npos) << "ignored, and within the tolerance";

  r = Tarvisk("/diff \"" + a + "\" \"" + a + "\"");
  EXPECT_EQ(r.status, 0u) << "a snapshot is the same as itself";
  EXPECT_EQ(r.out, "");

  // Broken files name themselves and the place.
  const std::string cut = File("cut.json"), bad = File("bad.json");
  const std::string bytes = FileContents(a);
  const std::string broken = "{\"format\": \"tarvisk-snapshot\",\r\n \"window\": x}";
  for (const auto& [file, content] :
       {std::make_pair(cut, bytes.substr(0, bytes.size() / 2)), std::make_pair(bad, broken)}) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
  }
  r = Tarvisk("/diff \"" + a + "\" \"" + cut + "\"");
  EXPECT_EQ(r.status, 1u);
  EXPECT_EQ(r.err.rfind(cut + ": line ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("the file ends"), std::string::npos) << r.err;
  r = Tarvisk("/diff \"" + bad + "\" \"" + a + "\"");
  EXPECT_EQ(r.status, 1u);
  EXPECT_EQ(r.err, bad + ": line 2, column 12: expected an object, found 'x'\r\n");
  const std::string nowhere = TempFile("no such folder\\s.json");
  r = Tarvisk("/snapshot \"" + nowhere + "\" /window " + Hex(frame));
  EXPECT_EQ(r.status, 1u);
  EXPECT_NE(r.err.find(nowhere), std::string::npos) << r.err;
  // The window named by its selector, every window with its own selector and
  // its details; a selector that names nothing finds no window to snapshot.
  r = Tarvisk("/snapshot /select \"class:'SnapFixtureFrame' exe:'SnapshotFixture.exe'\" /details");
  EXPECT_EQ(r.status, 0u) << r.err;
  EXPECT_NE(r.out.find("\"selector\": \"class:'SnapFixtureFrame' exe:'SnapshotFixture.exe'"), std::string::npos)
      << r.out.substr(0, 2000);
  EXPECT_NE(r.out.find("\"windowExtra\""), std::string::npos) << r.out.substr(0, 2000);
  // Below the root the snapshot names each window from the siblings it read;
  // the names must be those the selectors give each window on its own.
  Snapshot taken;
  ASSERT_TRUE(ReadSnapshot(r.out, taken, &error)) << error;
  ASSERT_EQ(taken.windows.size(), 6u);
  const Win32WindowSystem ws;
  DesktopSelectors selectors(ws, SystemExecutableNames());
  for (const SnapshotWindow& w : taken.windows) EXPECT_EQ(w.selector, selectors.TarviskSelector(w.handle));
  r = Tarvisk("/snapshot /select \"class:'NoSuchClass'\"");
  EXPECT_EQ(r.status, 2u) << r.err;
  r = Tarvisk("/snapshot /select \"class:\"");
  EXPECT_EQ(r.status, 1u);
  EXPECT_NE(r.err.find("position"), std::string::npos) << r.err;
}

TEST_F(SnapshotTest, TheSameDialogStartedTwiceComparesAsTheSame) {
  SnapshotFixtureProcess first, second;
  const HWND one = first.Start("dialog", "#32770", kSnapDialogTitle);
  const HWND two = second.Start("dialog", "#32770", kSnapDialogTitle);
  ASSERT_TRUE(one && two);
  ASSERT_NE(one, two);
  const std::string a = File("dialog1.json"), b = File("dialog2.json");
  ASSERT_EQ(Tarvisk("/snapshot \"" + a + "\" /window " + Hex(one)).status, 0u);
  ASSERT_EQ(Tarvisk("/snapshot \"" + b + "\" /window " + Hex(two)).status, 0u);
  TarviskRun r = Tarvisk("/diff \"" + a + "\" \"" + b + "\" /format json");
  EXPECT_EQ(r.status, 0u) << r.out;
  EXPECT_NE(r.out.find("\"matchedBy\": \"path\""), std::string::npos) << r.out;
}

TEST_F(SnapshotTest, SaveSnapshotWritesTheTargetsTopLevelWindowOrWithShiftTheDesktop) {
  SnapshotFixtureProcess fixture;
  const HWND frame = fixture.Start("", kSnapFrameClass, nullptr);
  ASSERT_TRUE(frame);
  StartMainWindow(true);
  frm->InspectWindow(FromHwnd(GetDlgItem(frame, kSnapEdit)), true);
  const std::string file = File("gui.json");
  int dialogs = 0;
  frm->SaveDialogHook = [&](std::string& name) {
    ++dialogs;
    name = file;
    return true;
  };
  frm->MessageBoxHook = [](const std::string&, unsigned) { return IDYES; };
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, frame_ids::kSysSaveSnapshot, 0);
  EXPECT_EQ(dialogs, 1);
  Snapshot s = ReadFile(file);
  ASSERT_FALSE(s.windows.empty());
  EXPECT_EQ(s.windows[0].handle, FromHwnd(frame));
  EXPECT_EQ(s.windows.size(), 6u);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, frame_ids::kSysSaveSnapshot, 0);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  s = ReadFile(file);
  EXPECT_TRUE(s.header.desktopRoot);
  bool hasFrame = false, hasMain = false;
  for (const SnapshotWindow& w : s.windows) {
    hasFrame = hasFrame || w.handle == FromHwnd(frame);
    hasMain = hasMain || w.handle == FromHwnd(frm->Handle());
  }
  EXPECT_TRUE(hasFrame && hasMain) << "the whole desktop, Tarvisk's own window too";
}

TEST_F(SnapshotTest, ASnapshotOfHungWindowsEndsWithinTheTimeOuts) {
  HungWindows hung;
  ASSERT_TRUE(hung.Window());
  const std::string file = File("hung.json");
  const DWORD start = GetTickCount();
  const TarviskRun r = Tarvisk("/snapshot \"" + file + "\" /window " + Hex(hung.Window()));
  EXPECT_EQ(r.status, 0u) << r.err;
  // One time-out, not four; and the start of a program under Wine.
  EXPECT_LT(GetTickCount() - start, 3000u);
  const Snapshot s = ReadFile(file);
  ASSERT_EQ(s.windows.size(), 4u);
  EXPECT_EQ(s.windows[0].className, "Static");
  EXPECT_EQ(s.windows[0].text, "") << "the text did not come; everything else did";
  EXPECT_EQ(s.windows[1].text, "") << "the same program is not asked again";
  EXPECT_EQ(s.windows[3].rect.top - s.windows[0].rect.top, 20);
}
