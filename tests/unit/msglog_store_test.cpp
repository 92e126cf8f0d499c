#include <gtest/gtest.h>

#include <cstring>

#include "msglog/LogSettings.h"
#include "msglog/LogStore.h"

using namespace msglog;

namespace {
RecordData Rec(uint32_t message, uint32_t tick, const char* cls = "TFixture", const char* text = nullptr) {
  RecordData r{};
  r.kind = kKindSent;
  r.hwnd = 0x10020;
  r.message = message;
  r.tick = tick;
  std::strcpy(r.windowClass, cls);
  if (text) {
    r.flags = kHasText;
    std::strcpy(r.text, text);
  }
  return r;
}
}  // namespace

TEST(MessageLogFilter, GroupsAndSingleMessagesDecideTogether) {
  EXPECT_EQ(GroupOf(0x0200, ControlFamily::None), MessageGroup::Mouse);
  EXPECT_EQ(GroupOf(0x0100, ControlFamily::None), MessageGroup::Keyboard);
  EXPECT_EQ(GroupOf(0x0046, ControlFamily::None), MessageGroup::WindowManagement);
  EXPECT_EQ(GroupOf(0x000F, ControlFamily::None), MessageGroup::Painting);
  EXPECT_EQ(GroupOf(0x0084, ControlFamily::None), MessageGroup::NonClient);
  EXPECT_EQ(GroupOf(0x0111, ControlFamily::None), MessageGroup::ControlNotifications);
  EXPECT_EQ(GroupOf(0x0113, ControlFamily::None), MessageGroup::Timer);
  EXPECT_EQ(GroupOf(0x00F5, ControlFamily::Button), MessageGroup::Other);
  EXPECT_EQ(GroupOf(0x8001, ControlFamily::None), MessageGroup::Other);

  LogFilter f;
  EXPECT_TRUE(f.ShowsEverything());
  f.groups[static_cast<int>(MessageGroup::Mouse)] = false;
  f.include.insert(0x0201);  // WM_LBUTTONDOWN, though mouse is off
  f.exclude.insert(0x000C);  // WM_SETTEXT
  EXPECT_FALSE(f.Passes(0x0200, ControlFamily::None));
  EXPECT_TRUE(f.Passes(0x0201, ControlFamily::None));
  EXPECT_FALSE(f.Passes(0x000C, ControlFamily::None));
  EXPECT_TRUE(f.Passes(0x000D, ControlFamily::None));

  const LogFilter back = LogFilter::Decode(f.Encode());
  EXPECT_EQ(back.groups, f.groups);
  EXPECT_EQ(back.include, f.include);
  EXPECT_EQ(back.exclude, f.exclude);
  // A damaged value keeps the defaults of the parts it damages.
  const LogFilter damaged = LogFilter::Decode("groups=10x;exclude=0x0200,zz,;junk");
  EXPECT_TRUE(damaged.groups[0] && damaged.groups[7]);
  EXPECT_EQ(damaged.exclude, std::set<uint32_t>{0x0200});

  std::set<uint32_t> list;
  std::string bad;
  EXPECT_TRUE(ParseMessageList("WM_MOUSEMOVE, wm_app+1\r\n0x0118", &list, &bad));
  EXPECT_EQ(list, (std::set<uint32_t>{0x0200, 0x8001, 0x0118}));
  EXPECT_EQ(MessageListText(list), "0x0118, WM_MOUSEMOVE, WM_APP+1");
  EXPECT_FALSE(ParseMessageList("WM_PAINT WM_BOGUS", &list, &bad));
  EXPECT_EQ(bad, "WM_BOGUS");
}

TEST(MessageLogStore, FilteringHidesLinesWithoutLosingThem) {
  LogStore store;
  store.Add(Rec(0x0200, 1010), 1000);
  store.Add(Rec(0x000C, 1020, "TFixture", "abc"), 1000);
  store.AddNote("3 messages not recorded", 25);
  ASSERT_EQ(store.RowCount(), 3u);
  EXPECT_EQ(store.Cell(1, kColMessage), "WM_SETTEXT");
  EXPECT_EQ(store.Cell(1, kColDecoded), "\"abc\"");
  EXPECT_EQ(store.Cell(1, kColTime), "20");
  EXPECT_EQ(store.Cell(1, kColKind), "S");
  EXPECT_EQ(store.Cell(1, kColWindow), "0x00010020");
  EXPECT_EQ(store.RowText(2), "3\t25\tN\t\t\t\t\t3 messages not recorded\t");

  LogFilter f;
  f.groups[static_cast<int>(MessageGroup::Mouse)] = false;
  store.SetFilter(f);
  ASSERT_EQ(store.RowCount(), 2u);  // notes always show
  EXPECT_EQ(store.Cell(0, kColNumber), "2");
  store.SetFilter(LogFilter());
  EXPECT_EQ(store.RowCount(), 3u);
  store.Clear();
  EXPECT_EQ(store.RowCount(), 0u);
  store.Add(Rec(0x0201, 1030), 1000);
  EXPECT_EQ(store.Cell(0, kColNumber), "4");  // numbers go on after a clear
}

TEST(MessageLogStore, PastTheCapTheOldestGoWithANoteAndTextsStayRight) {
  LogStore store(32);
  for (int i = 0; i < 100; ++i) {
    const std::string text = "t" + std::to_string(i);
    store.Add(Rec(0x000C, static_cast<uint32_t>(i), "TFixture", text.c_str()), 0);
  }
  EXPECT_LE(store.Size(), 32u);
  EXPECT_EQ(store.Added(), 100u);
  EXPECT_EQ(store.Removed() + store.Size(), 100u);
  ASSERT_TRUE(store.RemovedNoteShown());
  EXPECT_NE(store.Cell(0, kColDecoded).find(std::to_string(store.Removed()) + " older lines removed"),
            std::string::npos);
  const size_t last = store.RowCount() - 1;
  EXPECT_EQ(store.Cell(last, kColNumber), "100");
  EXPECT_EQ(store.Cell(last, kColDecoded), "\"t99\"");
  EXPECT_EQ(store.Cell(1, kColDecoded), "\"t" + std::to_string(store.Removed()) + "\"");
}

TEST(MessageLogSettings, SizeAndFilterUnderTheirOwnNames) {
  MemorySettingsStore store;
  MessageLogSettings defaults = ReadLogSettings(store, "Tarvisk");
  EXPECT_EQ(defaults.width, 760);
  EXPECT_TRUE(defaults.filter.ShowsEverything());

  MessageLogSettings s;
  s.width = 900;
  s.height = 500;
  s.filter.exclude.insert(0x0200);
  ASSERT_TRUE(WriteLogSettings(store, "Tarvisk", s));
  EXPECT_EQ(store.Size(), 3u);
  EXPECT_EQ(store.Text("Tarvisk", "MessageLogWidth"), "900");
  const MessageLogSettings back = ReadLogSettings(store, "Tarvisk");
  EXPECT_EQ(back.height, 500);
  EXPECT_EQ(back.filter.exclude, s.filter.exclude);

  store.Set("Tarvisk", "MessageLogHeight", kRegSz, "99999999");
  EXPECT_EQ(ReadLogSettings(store, "Tarvisk").height, 10000);
  store.failSetData.insert("MessageLogFilter");
  EXPECT_FALSE(WriteLogSettings(store, "Tarvisk", s));
}
