// Window events of another process's windows, recorded under Wine where the
// system announces only their creation and the focus: the rest is found by
// the recorder's poll. Also /watch and /wait, and the Events window's rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "events/EventSession.h"
#include "events/EventsWindow.h"
#include "platform/Win32WindowSystem.h"
#include "support/TarviskRun.h"
#include "support/Wait.h"

namespace {

const std::string kFixture = "fixtures/EventsFixture.exe";

// Polls the session as the Events window's timer does, keeping what it records.
class Recording {
 public:
  Recording() { EXPECT_TRUE(m_session.Start(nullptr, nullptr)); }
  bool WaitFor(const std::function<bool(const WindowEvent&)>& wanted, DWORD timeoutMs = 5000) {
    return WaitUntil(
        [&] {
          Step();
          for (const WindowEvent& e : events) {
            if (wanted(e)) return true;
          }
          return false;
        },
        timeoutMs);
  }
  void Step() {
    Sleep(kPollMs / 2);
    PumpMessages();
    m_session.Poll();
    for (WindowEvent& e : m_session.Take()) events.push_back(e);
  }
  std::vector<WindowEvent> events;

 private:
  EventSession m_session;
};

std::function<bool(const WindowEvent&)> Is(EventKind kind, HWND w) {
  return [kind, w](const WindowEvent& e) { return e.kind == kind && e.window.handle == FromHwnd(w); };
}

class NoHost : public EventsHost {
 public:
  HWND Owner() const override { return nullptr; }
  std::unique_ptr<SettingsStore> OpenSettings() const override { return nullptr; }
  bool Inspect(Hwnd) override { return true; }
};

}  // namespace

TEST(EventsWine, RecordsAnotherProcessesWindowsEachChangeOnceInOrder) {
  Recording rec;
  ChildProcess a, b;
  ASSERT_TRUE(a.Start(BuildPath(kFixture)));
  HWND frame = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (frame = FindProcessWindow(a.Id(), "EventsFixtureMain", nullptr)) != nullptr; }));
  ASSERT_TRUE(rec.WaitFor(Is(EventKind::Created, frame)));

  // A pop-up that lives 50 ms, with its facts.
  PostMessageA(frame, WM_APP + 7, 0, 0);
  ASSERT_TRUE(rec.WaitFor([](const WindowEvent& e) {
    return e.kind == EventKind::Destroyed && e.window.className == "EventsFlash";
  }));
  const auto flash = std::find_if(rec.events.begin(), rec.events.end(), [](const WindowEvent& e) {
    return e.kind == EventKind::Created && e.window.className == "EventsFlash";
  });
  ASSERT_NE(flash, rec.events.end());
  EXPECT_EQ(flash->window.text, "Flash 50");
  EXPECT_EQ(flash->window.processId, a.Id());
  EXPECT_EQ(flash->window.exe, "EventsFixture.exe");

  // Each change in its turn, waited for before the next.
  const struct {
    UINT message;
    EventKind kind;
  } steps[] = {{WM_APP + 1, EventKind::Retitled}, {WM_APP + 2, EventKind::Hidden}, {WM_APP + 3, EventKind::Shown},
               {WM_APP + 4, EventKind::Moved}};
  for (const auto& step : steps) {
    PostMessageA(frame, step.message, 0, 0);
    ASSERT_TRUE(rec.WaitFor(Is(step.kind, frame))) << EventKindName(step.kind);
  }

  // The foreground moves from one process's window to another's.
  PostMessageA(frame, WM_APP + 5, 0, 0);
  ASSERT_TRUE(rec.WaitFor(Is(EventKind::Foreground, frame)));
  ASSERT_TRUE(b.Start(BuildPath(kFixture) + " hidden"));
  HWND other = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (other = FindProcessWindow(b.Id(), "EventsFixtureMain", nullptr)) != nullptr; }));
  PostMessageA(other, WM_APP + 5, 0, 0);
  ASSERT_TRUE(rec.WaitFor(Is(EventKind::Foreground, other)));
  const WindowEvent& fg = *std::find_if(rec.events.begin(), rec.events.end(), Is(EventKind::Foreground, other));
  EXPECT_EQ(fg.previous.handle, FromHwnd(frame));
  EXPECT_EQ(fg.previous.processId, a.Id());
  EXPECT_EQ(fg.window.processId, b.Id());
  EXPECT_EQ(fg.previous.exe, "EventsFixture.exe");

  PostMessageA(frame, WM_APP + 6, 0, 0);
  ASSERT_TRUE(rec.WaitFor(Is(EventKind::Destroyed, frame)));
  PumpFor(300);
  rec.Step();

  std::string kinds;
  for (const WindowEvent& e : rec.events) {
    if (e.window.handle == FromHwnd(frame) && e.kind != EventKind::Focus && e.kind != EventKind::Foreground) {
      kinds += std::string(kinds.empty() ? "" : " ") + EventKindName(e.kind);
    }
  }
  // A window made visible is announced before it is shown: its showing may
  // follow its creation as an event of its own.
  const std::string changes = "retitled hidden shown moved destroyed";
  EXPECT_TRUE(kinds == "created " + changes || kinds == "created shown " + changes) << kinds;
  // The foreground changed hands several times; no change is recorded twice.
  Hwnd last = 0;
  for (const WindowEvent& e : rec.events) {
    if (e.kind != EventKind::Foreground) continue;
    EXPECT_NE(e.window.handle, last);
    EXPECT_EQ(e.previous.handle, last ? last : e.previous.handle);
    last = e.window.handle;
  }
}

TEST(EventsWine, WatchWritesLinesAndWaitMeetsEachCondition) {
  const std::string file = BuildPath("events-watch.jsonl");
  DeleteFileA(file.c_str());
  ChildProcess flashing;
  ASSERT_TRUE(flashing.Start(BuildPath(kFixture) + " flash 1200"));
  const TarviskRun watch = RunTarvisk("/watch \"" + file + "\" /for 3 /process EventsFixture /events created,destroyed");
  EXPECT_EQ(watch.status, 0u) << watch.err;
  std::ifstream in(file);
  std::string line, kinds;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(nlohmann::json::parse(line)["event"], "started");
  while (std::getline(in, line)) {
    const nlohmann::json j = nlohmann::json::parse(line);
    EXPECT_EQ(j["exe"], "EventsFixture.exe");
    if (j["class"] == "EventsFlash") kinds += j["event"].get<std::string>() + " ";
  }
  EXPECT_EQ(kinds, "created destroyed ");
  DeleteFileA(file.c_str());

  const std::string sel = " \"class:EventsFixtureMain exe:EventsFixture.exe\"";
  EXPECT_EQ(RunTarvisk("/wait" + sel + " /timeout 0").status, 2u);
  EXPECT_EQ(RunTarvisk("/wait class:'open").status, 1u);
  ChildProcess fixture;
  ASSERT_TRUE(fixture.Start(BuildPath(kFixture) + " hidden"));
  const TarviskRun exists = RunTarvisk("/wait" + sel + " /timeout 10");
  EXPECT_EQ(exists.status, 0u);
  EXPECT_NE(exists.out.find("\tEventsFixtureMain\t0\tEvents fixture"), std::string::npos) << exists.out;
  HWND frame = FindProcessWindow(fixture.Id(), "EventsFixtureMain", nullptr);
  ASSERT_TRUE(frame);
  EXPECT_EQ(RunTarvisk("/wait" + sel + " /visible /timeout 0.3").status, 2u);

  // Each condition comes true while /wait runs.
  const struct {
    const char* option;
    UINT message;
  } conditions[] = {{" /visible", WM_APP + 3}, {" /foreground", WM_APP + 5}, {" /gone", WM_APP + 6}};
  for (const auto& c : conditions) {
    ChildProcess wait;
    ASSERT_TRUE(wait.Start(BuildPath("Tarvisk.exe") + " /wait" + sel + c.option + " /timeout 15"));
    PumpFor(700);
    DWORD status = 99;
    EXPECT_FALSE(wait.WaitExit(0, &status)) << c.option << " returned before the change";
    PostMessageA(frame, c.message, 0, 0);
    ASSERT_TRUE(wait.WaitExit(10000, &status)) << c.option;
    EXPECT_EQ(status, 0u) << c.option;
  }
}

// The window's rows: a gone window's row says so, and a save that fails loses nothing.
TEST(EventsWine, WindowListsRowsAndKeepsThemWhenASaveFails) {
  NoHost host;
  EventsWindow window(host);
  ASSERT_TRUE(window.Open());
  ChildProcess fixture;
  ASSERT_TRUE(fixture.Start(BuildPath(kFixture) + " flash 100"));
  ASSERT_TRUE(WaitUntil([&] {
    const EventStore& s = window.Store();
    for (size_t i = 0; i < s.Size(); ++i) {
      if (s.At(i).kind == EventKind::Destroyed && s.At(i).window.className == "EventsFlash") return true;
    }
    return false;
  }));
  EXPECT_EQ(static_cast<size_t>(SendMessageA(window.List(), LVM_GETITEMCOUNT, 0, 0)), window.Store().RowCount());
  size_t flashRow = 0;
  while (window.Store().Row(flashRow).window.className != "EventsFlash") ++flashRow;
  EXPECT_FALSE(window.Activate(flashRow));
  EXPECT_NE(window.StatusText().find("is gone"), std::string::npos);

  const size_t kept = window.Store().Size();
  std::string error;
  window.ErrorHook = [&](const std::string& text) { error = text; };
  window.SaveDialogHook = [](std::string& name, bool& json) {
    name = "Z:\\no\\such\\folder\\events.jsonl";
    json = true;
    return true;
  };
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_EVENTS_SAVE, BN_CLICKED), 0);
  EXPECT_FALSE(error.empty());
  EXPECT_GE(window.Store().Size(), kept);
  window.Close();
}
