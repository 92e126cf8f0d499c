// The recorder's model against an in-memory desktop, the bounded store, the
// filters over recorded windows, and the JSON line against its schema.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "FakeDesktop.h"
#include "cli/CliArgs.h"
#include "events/EventRecorder.h"
#include "events/EventSettings.h"
#include "events/EventStore.h"

namespace {

struct Clock {
  uint32_t ms = 1000;
  Hwnd foreground = 0, focus = 0;
};

RecorderSystem FakeSystem(Clock& c) {
  RecorderSystem s;
  s.clockMs = [&c] { return c.ms; };
  s.foreground = [&c] { return c.foreground; };
  s.focus = [&c] { return c.focus; };
  s.exeName = [](uint32_t pid) { return pid == 7 ? std::string("app.exe") : std::string("other.exe"); };
  s.ownProcess = 99;
  return s;
}

std::string Kinds(const std::vector<WindowEvent>& events) {
  std::string s;
  for (const WindowEvent& e : events) s += std::string(s.empty() ? "" : " ") + EventKindName(e.kind);
  return s;
}

FakeWindow Top(const char* cls, const char* text, uint32_t pid) {
  FakeWindow w;
  w.className = cls;
  w.text = text;
  w.processId = pid;
  w.rect = {10, 10, 200, 100};
  return w;
}

void ExpectLinesValid(const std::vector<std::string>& lines) {
  char path[] = "/tmp/tarvisk-events-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& l : lines) out << l << "\n";
  }
  const std::string command =
      "python3 -c 'import json, sys, jsonschema\n"
      "v = jsonschema.Draft202012Validator(json.load(open(sys.argv[1])))\n"
      "[v.validate(json.loads(l)) for l in open(sys.argv[2], encoding=\"utf-8\")]' "
      "'" TARVISK_SOURCE_DIR "/docs/tarvisk-event.schema.json' " + std::string(path);
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::remove(path);
}

}  // namespace

// Whichever of the system's announcements and the poll sees a change first,
// it is recorded once, in order, with the facts read while the window lived.
TEST(EventsRecorder, RecordsEachChangeOnceWhateverSawItFirst) {
  FakeDesktop d;
  Clock clock;
  const Hwnd a = d.Add(Top("Frame", "First", 5));
  d.Add(Top("Mine", "Tarvisk", 99));
  clock.foreground = a;
  EventRecorder r(d, FakeSystem(clock));
  const WindowEvent started = r.Start();
  EXPECT_EQ(started.kind, EventKind::Started);
  r.Poll();
  EXPECT_EQ(Kinds(r.Take()), "");  // what existed is the model, not events

  const Hwnd b = d.Add(Top("Popup", "Hello", 7));
  clock.ms += 5;
  r.Announce(Announcement::Created, b);
  r.Poll();
  std::vector<WindowEvent> got = r.Take();
  ASSERT_EQ(Kinds(got), "created");
  EXPECT_EQ(got[0].timeMs, 5u);
  EXPECT_EQ(got[0].window.className, "Popup");
  EXPECT_EQ(got[0].window.text, "Hello");
  EXPECT_EQ(got[0].window.exe, "app.exe");
  EXPECT_EQ(got[0].window.known, Known::All);
  EXPECT_EQ(got[0].window.selector, "class:'Popup' exe:'app.exe'");

  d[b].text = "Renamed";
  r.Poll();
  r.Announce(Announcement::NameChanged, b);
  d[b].visible = false;
  r.Announce(Announcement::Hidden, b);
  r.Poll();
  d[b].visible = true;
  r.Poll();
  d[b].rect = {50, 60, 250, 160};
  r.Announce(Announcement::LocationChanged, b);
  r.Poll();
  clock.foreground = b;
  r.Announce(Announcement::Foreground, b);
  r.Poll();
  d.Remove(b);
  r.Poll();
  r.Announce(Announcement::Destroyed, b);
  r.Announce(Announcement::Created, b);  // a late announcement of the window recorded gone
  got = r.Take();
  ASSERT_EQ(Kinds(got), "retitled hidden shown moved foreground destroyed");
  EXPECT_EQ(got[0].window.text, "Renamed");
  EXPECT_TRUE(got[3].hasRect);
  EXPECT_EQ(got[3].rect.left, 50);
  EXPECT_EQ(got[4].previous.handle, a);
  EXPECT_EQ(got[4].previous.exe, "other.exe");
  EXPECT_EQ(got[4].window.exe, "app.exe");
  EXPECT_EQ(got[5].window.className, "Popup");  // the facts it had, its selector kept
  EXPECT_EQ(got[5].window.selector, "class:'Popup' exe:'app.exe'");

  // Announced, but gone before anything could be read: recorded with what is
  // known (its handle), the rest unknown, and its end with it.
  r.Announce(Announcement::Created, 0x7770);
  got = r.Take();
  ASSERT_EQ(Kinds(got), "created destroyed");
  EXPECT_EQ(got[0].window.known, 0u);
  EXPECT_NE(EventJsonLine(got[0]).find("\"class\":null"), std::string::npos);

  // A child window announced is followed; it ends with its top-level window.
  FakeWindow child;
  child.child = true;
  child.parent = a;
  child.className = "Edit";
  child.processId = 5;
  const Hwnd c = d.Add(child);
  r.Announce(Announcement::Created, c);
  d.Remove(a);
  r.Poll();
  got = r.Take();
  ASSERT_EQ(Kinds(got), "created destroyed destroyed");
  EXPECT_FALSE(got[0].window.topLevel);
  EXPECT_EQ(got[0].window.top, a);
  EXPECT_EQ(got[1].window.handle, a);
  EXPECT_EQ(got[2].window.handle, c);
}

TEST(EventsStore, DropsTheOldestCountsThemAndFiltersWithoutLoss) {
  EventStore store(3);
  for (int i = 0; i < 5; ++i) {
    WindowEvent e;
    e.kind = i % 2 ? EventKind::Destroyed : EventKind::Created;
    e.window.handle = static_cast<Hwnd>(0x100 + i);
    e.window.known = Known::All;
    e.window.topLevel = i != 4;
    store.Add(e);
  }
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_EQ(store.Dropped(), 2u);
  EXPECT_EQ(store.At(0).window.handle, 0x102u);
  EXPECT_EQ(store.Count(EventKind::Created), 3u);
  EXPECT_EQ(store.Count(EventKind::Destroyed), 2u);
  EXPECT_EQ(store.TakeRowsRemoved(), 2u);

  EventFilter f;
  f.kinds = KindBit(EventKind::Created);
  f.topLevelOnly = true;
  store.SetFilter(f);
  ASSERT_EQ(store.RowCount(), 1u);
  EXPECT_EQ(store.Row(0).window.handle, 0x102u);
  store.SetFilter(EventFilter());
  EXPECT_EQ(store.RowCount(), 3u);
  store.Clear();
  EXPECT_EQ(store.Size() + store.Dropped() + store.Count(EventKind::Created), 0u);
}

// A selector or process filter judges the window as recorded, so it finds
// windows that are gone too.
TEST(EventsFilter, MatchesWindowsAsRecorded) {
  EventWindow w;
  w.known = Known::All;
  w.className = "Edit";
  w.processId = 7;
  w.exe = "App.exe";
  w.selector = "class:Frame exe:app.exe / class:Edit id:15";
  w.top = 0x30;
  WindowEvent e;
  e.window = w;
  const auto matches = [&e](const char* selector, const char* process = "") {
    EventFilter f;
    f.selector = selector;
    f.process = process;
    return EventMatcher(f).Matches(e);
  };
  EXPECT_TRUE(matches("class:frame / id:15"));
  EXPECT_TRUE(matches("class:Frame exe:APP.EXE / class:Edit", "app"));
  EXPECT_TRUE(matches("", "7"));
  EXPECT_FALSE(matches("", "8"));
  EXPECT_FALSE(matches("class:Frame / id:16"));
  EXPECT_FALSE(matches("class:Frame"));  // names the top-level window, not its edit
  EventFilter bad;
  bad.selector = "class:'open";
  EXPECT_TRUE(EventMatcher(bad).Matches(e));
  EXPECT_FALSE(EventMatcher(bad).SelectorError().empty());

  // Every kind of line, facts known and unknown, is what the schema describes.
  std::vector<std::string> lines;
  WindowEvent started;
  started.kind = EventKind::Started;
  started.clock = "2026-12-10T12:30:00.000Z";
  lines.push_back(EventJsonLine(started));
  for (int k = 0; k < kEventKindCount; ++k) {
    e.kind = static_cast<EventKind>(k);
    e.hasRect = e.kind == EventKind::Moved;
    e.hasPrevious = e.kind == EventKind::Foreground || e.kind == EventKind::Focus;
    e.previous = k % 2 ? EventWindow() : w;
    e.previous.handle = k % 2 ? 0 : 0x20;
    e.window.handle = 0x10;
    e.window.known = k % 2 ? 0 : Known::All;
    e.window.text = "tab\there \xC3\xA9";
    lines.push_back(EventJsonLine(e));
  }
  ExpectLinesValid(lines);
}

TEST(EventsCommandLine, ParsesWatchAndWait) {
  CliParse p = ParseCliArguments({"/watch", "out.jsonl", "/for", "2.5", "/events", "Created,destroyed", "/process",
                                  "notepad.exe", "/select", "class:Notepad"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Watch);
  EXPECT_EQ(p.request.events.watch.file, "out.jsonl");
  EXPECT_EQ(p.request.events.watch.forMs, 2500);
  EXPECT_EQ(p.request.events.watch.kinds, KindBit(EventKind::Created) | KindBit(EventKind::Destroyed));
  EXPECT_FALSE(ParseCliArguments({"/watch", "/events", "opened"}).ok);
  EXPECT_FALSE(ParseCliArguments({"/watch", "/for", "-1"}).ok);

  p = ParseCliArguments({"/wait", "class:Notepad", "/gone", "/timeout", "0"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.events.wait.condition, WaitCondition::Gone);
  EXPECT_EQ(p.request.events.wait.timeoutMs, 0);
  p = ParseCliArguments({"/wait", "class:'Note"});
  EXPECT_FALSE(p.ok);
  EXPECT_NE(p.error.find("malformed selector"), std::string::npos);
  EXPECT_FALSE(ParseCliArguments({"/wait", "class:A", "/gone", "/visible"}).ok);
}

// The Events window's place, filters and columns come back as kept; a
// damaged value keeps its default rather than hiding the window or its rows.
TEST(EventsSettings, KeepsPlaceFiltersAndColumns) {
  MemorySettingsStore store;
  EventsWindowSettings s;
  s.hasPosition = true;
  s.left = -20;
  s.top = 30;
  s.width = 900;
  s.filter.kinds = KindBit(EventKind::Focus) | KindBit(EventKind::Moved);
  s.filter.topLevelOnly = true;
  s.filter.process = "notepad.exe";
  s.filter.selector = "class:'it''s'";
  s.columns[2] = 333;
  ASSERT_TRUE(WriteEventsSettings(store, "Tarvisk", s));
  const EventsWindowSettings back = ReadEventsSettings(store, "Tarvisk");
  EXPECT_TRUE(back.hasPosition);
  EXPECT_EQ(back.left, -20);
  EXPECT_EQ(back.width, 900);
  EXPECT_EQ(EventKindsText(back.filter.kinds), "moved,focus");
  EXPECT_TRUE(back.filter.topLevelOnly);
  EXPECT_EQ(back.filter.selector, s.filter.selector);
  EXPECT_EQ(back.columns, s.columns);

  store.Set("Tarvisk", "EventsHeight", kRegSz, "5");
  store.Set("Tarvisk", "EventsKinds", kRegSz, "created,exploded");
  store.Set("Tarvisk", "EventsColumns", kRegSz, "1,2,x");
  const EventsWindowSettings damaged = ReadEventsSettings(store, "Tarvisk");
  EXPECT_EQ(damaged.height, 150);
  EXPECT_EQ(damaged.filter.kinds, kAllEventKinds);
  EXPECT_EQ(damaged.columns, EventsWindowSettings().columns);
}
