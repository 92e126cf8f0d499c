// A window's details: read with the one reading only when a view asks, shown
// as groups of rows in the display options, written as the JSON report's
// "details" object and as the text report's Details section. A fact the
// system did not give is never a zero.
#include <gtest/gtest.h>

#include <cstdio>

#include <nlohmann/json.hpp>

#include "FakeDesktop.h"
#include "SchemaCheck.h"
#include "cli/CliRun.h"
#include "details/DetailsJson.h"
#include "details/DetailsRows.h"
#include "details/DetailsSettings.h"
#include "report/ReadingReport.h"
#include "reading/Reading.h"

namespace {

// What a fixture window of a 64-bit inspector could give: every kind of fact,
// the system's gaps included.
WindowDetails Sample(Hwnd h) {
  WindowDetails d = UnavailableDetails(h, 64);
  d.properties = Fact<std::vector<WindowProperty>>::Of(
      {{false, "TarviskOne", 0, 0x1111}, {false, "TarviskTwo", 0, 0x2222}, {true, "", 0xC123, 0x3333}});
  d.windowExtra = Fact<ExtraBytes>::Of({20, {0x1122334455667788ull, 0x99, 0xABCD}});
  d.classExtra = Fact<ExtraBytes>::Of({0, {}});
  d.userData = Fact<uint64_t>::Of(0x5EED);
  d.dialog = Fact<DialogValues>::None();
  d.scroll.horizontal = Fact<ScrollBarFacts>::None();
  d.scroll.vertical = Fact<ScrollBarFacts>::Missing();
  ScrollBarFacts bar;
  bar.min = 0;
  bar.max = 200;
  bar.page = 20;
  bar.pos = 75;
  bar.trackPos = 75;
  bar.state = Fact<uint32_t>::Of(0);
  d.scroll.control = Fact<ScrollBarFacts>::Of(bar);
  d.thread.id = Fact<uint32_t>::Of(0x2A);
  GuiThreadFacts gui;
  gui.active = h;
  gui.focus = h;
  gui.caretRect = {1, 2, 3, 4};
  gui.flags = 0x01;
  d.thread.gui = Fact<GuiThreadFacts>::Of(gui);
  d.placement = Fact<PlacementFacts>::Of({1, {10, 20, 300, 400}, {-1, -1}, {-1, -1}});
  d.root = Fact<Hwnd>::Of(h);
  d.rootOwner = Fact<Hwnd>::Of(h);
  d.zAbove = Fact<Hwnd>::Of(0);
  d.zBelow = Fact<Hwnd>::Of(0x10020);
  d.dpi.window = Fact<uint32_t>::Of(96);
  d.dpi.awareness = Fact<DpiAwareness>::Of(DpiAwareness::PerMonitorV2);
  MonitorFacts m;
  m.handle = 0x10001;
  m.device = "\\\\.\\DISPLAY1";
  m.rect = {0, 0, 1280, 1024};
  m.workArea = {0, 0, 1280, 1000};
  m.primary = true;
  m.dpi = Fact<uint32_t>::Missing();
  d.dpi.monitor = Fact<MonitorFacts>::Of(m);
  d.region = Fact<RegionFacts>::Of({RegionType::Complex, {0, 0, 120, 80}});
  d.layered = Fact<LayeredFacts>::Of({200, 0x00FF00FF, 0x02});
  d.icons.big = Fact<uint32_t>::Of(0x10055);
  d.icons.small = Fact<uint32_t>::Of(0);
  d.icons.classIcon = 0x10057;
  d.menu = Fact<MenuFacts>::Missing();
  d.process.bitness = Fact<uint32_t>::Of(64);
  d.process.integrity = Fact<uint32_t>::Refused();
  return d;
}

std::string Value(const std::vector<DetailsGroup>& groups, const std::string& group, const std::string& name) {
  for (const DetailsGroup& g : groups) {
    if (g.title != group) continue;
    for (const DetailsRow& r : g.rows) {
      if (r.name == name) return r.value;
    }
  }
  return "<no row " + group + "/" + name + ">";
}

struct DetailsReadingTest : ::testing::Test {
  FakeDesktop d;
  Hwnd a = 0, b = 0;
  int reads = 0;
  ReadingSources sources;
  void SetUp() override {
    FakeWindow w;
    w.className = "A";
    w.processId = 5;
    a = d.Add(w);
    w.className = "B";
    b = d.Add(w);
    sources.details = [this](const WindowFacts& window) {
      ++reads;
      EXPECT_EQ(window.className, window.handle == a ? "A" : "B") << "the details get the window part as read";
      return Sample(window.handle);
    };
  }
};

TEST_F(DetailsReadingTest, ReadOnlyWhenAViewAsksAndOncePerTarget) {
  TargetReading reading(d, sources);
  reading.SetTarget(a);
  reading.Complete();
  EXPECT_EQ(reads, 0) << "what the pages, Save and Print read holds no details";
  EXPECT_FALSE(reading.Fresh(TargetPart::Details));
  EXPECT_EQ(reading.Details().handle, a);
  reading.Details();
  reading.SetPoint({5, 5});
  reading.Details();
  EXPECT_EQ(reads, 1) << "fresh until the target changes";
  reading.SetTarget(b);
  EXPECT_EQ(reading.Details().handle, b);
  reading.SetTarget(b);  // the same one read again (Refresh)
  reading.Details();
  EXPECT_EQ(reads, 3);

  // The command line reads them only for a report that holds them.
  ReadTarget(d, a, {}, sources);
  EXPECT_EQ(reads, 3);
  ReadingOptions withDetails;
  withDetails.details = true;
  EXPECT_EQ(ReadTarget(d, a, withDetails, sources).details.userData.value, 0x5EEDu);
  EXPECT_EQ(reads, 4);

  // Without a reader every fact is not available.
  TargetReading bare(d, ReadingSources{});
  bare.SetTarget(a);
  EXPECT_EQ(bare.Details().userData.state, FactState::NotAvailable);
}

TEST_F(DetailsReadingTest, GroupSourcesFollowTheDetailsAndEmptyOnesAreLeftOut) {
  TargetReading reading(d, sources);
  reading.SetTarget(a);
  std::vector<DetailsGroupSource> extra = {
      [](TargetReading& r, const DisplayOptions& o) {
        return DetailsGroup{"Control styles", {{"Class", r.Window().className}, {"Handle", FormatInteger(r.Target(), o)}}};
      },
      [](TargetReading&, const DisplayOptions&) { return DetailsGroup{"Selectors", {}}; },
  };
  const std::vector<DetailsGroup> groups = DetailsWindowGroups(reading, {kFormatDecimal, kCaseUpper}, extra);
  ASSERT_EQ(groups.size(), 12u);
  EXPECT_EQ(groups.front().title, "Properties");
  EXPECT_EQ(groups.back().title, "Control styles");
  EXPECT_EQ(groups.back().rows[0].value, "A");
  EXPECT_EQ(groups.back().rows[1].value, std::to_string(a));
  // A change of the display options reads nothing again.
  const std::vector<DetailsGroup> again = DetailsWindowGroupsAgain(reading, {kFormatHexadecimal, kCaseUpper}, extra);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(Value(again, "Extra bytes", "User data"), "0000000000005EED");
}

TEST(DetailsRows, NumbersInTheIntegerFormatAndGapsNamed) {
  const WindowDetails d = Sample(0x10040);
  const DisplayOptions hex{kFormatHexadecimal, kCaseUpper}, dec{kFormatDecimal, kCaseLower};
  const auto h = DescribeDetails(d, hex), n = DescribeDetails(d, dec);
  const char* titles[] = {"Properties", "Extra bytes", "Scroll bars", "Thread", "Placement and order",
                          "DPI and monitor", "DWM", "Region and layering", "Icons", "Menu", "Process"};
  ASSERT_EQ(h.size(), 11u);
  for (size_t i = 0; i < h.size(); ++i) EXPECT_EQ(h[i].title, titles[i]);

  EXPECT_EQ(Value(h, "Properties", "Count"), "3");
  EXPECT_EQ(Value(h, "Properties", "TarviskTwo"), "0000000000002222");
  EXPECT_EQ(Value(n, "Properties", "#49443"), "13107");
  EXPECT_EQ(Value(h, "Extra bytes", "Window extra size"), "20 bytes");
  EXPECT_EQ(Value(h, "Extra bytes", "Window +0"), "1122334455667788");
  EXPECT_EQ(Value(h, "Extra bytes", "Window +16"), "0000ABCD") << "the 4-byte tail in 32 bits";
  EXPECT_EQ(Value(n, "Extra bytes", "User data"), "24301");
  EXPECT_EQ(Value(h, "Extra bytes", "Dialog user value"), "<no row Extra bytes/Dialog user value>");
  EXPECT_EQ(Value(h, "Scroll bars", "Horizontal"), "none");
  EXPECT_EQ(Value(h, "Scroll bars", "Vertical"), kNotAvailableText);
  EXPECT_EQ(Value(h, "Scroll bars", "Control"), "range 0..200, page 20, pos 75, track 75");
  EXPECT_EQ(Value(h, "Scroll bars", "Control state"), "normal");
  EXPECT_EQ(Value(h, "Thread", "Thread ID"), "0000002A");
  EXPECT_EQ(Value(n, "Thread", "Thread ID"), "42");
  EXPECT_EQ(Value(h, "Thread", "Capture window"), "none");
  EXPECT_EQ(Value(h, "Thread", "Flags"), "GUI_CARETBLINKING");
  EXPECT_EQ(Value(n, "Thread", "Flags"), "gui_caretblinking");
  EXPECT_EQ(Value(h, "Placement and order", "Show command"), "SW_SHOWNORMAL");
  EXPECT_EQ(Value(h, "Placement and order", "Window above"), "none");
  EXPECT_EQ(Value(h, "Placement and order", "Window below"), "00010020");
  EXPECT_EQ(Value(h, "DPI and monitor", "DPI awareness"), "per-monitor v2");
  EXPECT_EQ(Value(h, "DPI and monitor", "Monitor DPI"), kNotAvailableText);
  EXPECT_EQ(Value(h, "DPI and monitor", "Primary monitor"), "yes");
  EXPECT_EQ(Value(h, "DWM", "Cloaked"), kNotAvailableText);
  EXPECT_EQ(Value(h, "Region and layering", "Region"), "complex");
  EXPECT_EQ(Value(h, "Region and layering", "Region box"), "left: 0, top: 0, right: 120, bottom: 80");
  EXPECT_EQ(Value(h, "Region and layering", "Alpha"), "C8");
  EXPECT_EQ(Value(n, "Region and layering", "Alpha"), "200");
  EXPECT_EQ(Value(h, "Region and layering", "Layered flags"), "LWA_ALPHA");
  EXPECT_EQ(Value(h, "Icons", "Small icon"), "none");
  EXPECT_EQ(Value(h, "Icons", "System small icon"), kNotAvailableText);
  EXPECT_EQ(Value(h, "Menu", "Menu"), kNotAvailableText);
  EXPECT_EQ(Value(h, "Process", "Bitness"), "64-bit");
  EXPECT_EQ(Value(h, "Process", "Integrity level"), kDeniedText);

  // Nothing read: every fact says so, none is a zero.
  for (const DetailsGroup& g : DescribeDetails(UnavailableDetails(0x10040), hex)) {
    for (const DetailsRow& r : g.rows) {
      EXPECT_TRUE(r.value == kNotAvailableText || r.name == "Class icon" || r.name == "Class small icon")
          << g.title << "/" << r.name << ": " << r.value;
    }
  }
}

TEST(DetailsJson, EveryKeyIsWrittenAndEveryGapNamed) {
  const nlohmann::json j = nlohmann::json::parse(DetailsJsonText(Sample(0x10040)));
  std::vector<std::string> keys;
  for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
  // nlohmann::json sorts its keys; the order written is the ordered_json's.
  const std::vector<std::string> expected = {
      "classExtra", "dpi",   "dwm",     "icons",    "layered",  "menu", "notAvailable", "placement",
      "process",    "properties", "region", "root",  "rootOwner", "scroll", "thread",  "userData",
      "windowExtra", "zAbove", "zBelow"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(nlohmann::ordered_json::parse(DetailsJsonText(Sample(1))).begin().key(), "properties");

  EXPECT_EQ(j["properties"][0], (nlohmann::json{{"name", "TarviskOne"}, {"value", 0x1111}}));
  EXPECT_EQ(j["properties"][2], (nlohmann::json{{"atom", 0xC123}, {"value", 0x3333}}));
  EXPECT_EQ(j["windowExtra"]["values"][0].get<uint64_t>(), 0x1122334455667788ull);
  EXPECT_EQ(j["scroll"]["control"], (nlohmann::json{{"min", 0}, {"max", 200}, {"page", 20}, {"pos", 75}, {"trackPos", 75}}));
  // No horizontal bar is null alone; a vertical bar the system did not tell
  // of is null and named.
  EXPECT_TRUE(j["scroll"]["horizontal"].is_null());
  EXPECT_TRUE(j["scroll"]["vertical"].is_null());
  EXPECT_EQ(j["scroll"]["notAvailable"], (nlohmann::json{"vertical"}));
  EXPECT_EQ(j["thread"]["flags"]["constants"], (nlohmann::json{"GUI_CARETBLINKING"}));
  EXPECT_EQ(j["placement"]["showCommand"], "SW_SHOWNORMAL");
  EXPECT_EQ(j["zAbove"], 0);
  EXPECT_EQ(j["dpi"]["awareness"], "perMonitorV2");
  EXPECT_TRUE(j["dpi"]["monitor"]["dpi"].is_null());
  EXPECT_EQ(j["dpi"]["monitor"]["notAvailable"], (nlohmann::json{"dpi"}));
  EXPECT_TRUE(j["dwm"].is_null()) << "no DWM at all is one gap";
  EXPECT_EQ(j["region"]["type"], "complex");
  EXPECT_EQ(j["layered"]["alpha"], 200);
  EXPECT_EQ(j["icons"]["notAvailable"], (nlohmann::json{"systemSmall"}));
  EXPECT_TRUE(j["menu"].is_null());
  EXPECT_EQ(j["process"]["bitness"], 64);
  EXPECT_TRUE(j["process"]["integrity"].is_null());
  EXPECT_EQ(j["process"]["notAvailable"], (nlohmann::json{"integrity"}));
  EXPECT_EQ(j["notAvailable"], (nlohmann::json{"dwm", "menu"}));

  // In a whole report, and a report of nothing read, both pass the schema.
  Reading s;
  s.details = Sample(0x10040);
  const DisplayOptions opts;
  const auto same = [](const std::string& a, const std::string& b) { return a < b; };
  ExpectValid(JsonReportText(s, opts, SortState{}, same, Latin1ToUtf8));
  s.details = UnavailableDetails(0x10040);
  const std::string bare = JsonReportText(s, opts, SortState{}, same, Latin1ToUtf8);
  ExpectValid(bare);
  const nlohmann::json none = nlohmann::json::parse(bare)["details"];
  EXPECT_EQ(none["notAvailable"].size(), 13u) << none.dump();
  EXPECT_TRUE(none["userData"].is_null());
}

TEST(DetailsText, TheSectionFollowsTheLastOneIn80Columns) {
  Reading s;
  s.window.className = "Fixture";
  s.details = Sample(0x10040);
  s.details.properties.value[0].name = std::string(30, 'p');
  ReportView view;
  const ReportEncoding encoding{Latin1ToUtf8, Utf8ToLatin1};
  const std::string plain = ReadingTextReport(s, view, encoding, false);
  view.details = true;
  const std::string with = ReadingTextReport(s, view, encoding, false);

  // The report as it was, and the section between its last section and its closing block.
  const size_t closing = plain.find("\r\n" + std::string(80, '*') + "\r\n");
  ASSERT_NE(closing, std::string::npos);
  EXPECT_EQ(with.substr(0, closing + 2), plain.substr(0, closing + 2));
  EXPECT_EQ(with.substr(with.size() - (plain.size() - closing - 2)), plain.substr(closing + 2));
  const std::string section = with.substr(closing + 2, with.size() - plain.size());
  EXPECT_EQ(section.substr(0, 82), PadField("*** Details ", '*', 80) + "\r\n");
  EXPECT_NE(section.find("\r\nProperties" + std::string(70, ' ') + "\r\n"), std::string::npos);
  EXPECT_NE(section.find("\r\n" + std::string(17, 'p') + "...0000000000001111"), std::string::npos);
  EXPECT_NE(section.find("\r\nAlpha               C8" + std::string(58, ' ') + "\r\n"), std::string::npos);
  size_t start = 0;
  for (size_t end; (end = section.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const size_t length = end - start;
    EXPECT_TRUE(length == 80 || length == 0) << section.substr(start, length);
  }
  EXPECT_EQ(section.substr(section.size() - 6), "\r\n\r\n\r\n") << "a blank line after the last group, then the section's end";

  // The same through the command line's /details, the JSON always with them.
  EXPECT_EQ(DetailsSection(DescribeDetails(s.details, view.options), false).size() + 2, section.size());
}

TEST(DetailsCli, DetailsSwitchAddsTheSectionAndJsonAlwaysHasThem) {
  FakeDesktop d;
  FakeWindow w;
  w.className = "Notes";
  w.text = "notes";
  const Hwnd h = d.Add(w);
  int reads = 0;
  CliEnvironment env;
  env.ws = &d;
  env.sources.details = [&](const WindowFacts& window) {
    ++reads;
    return Sample(window.handle);
  };
  const auto run = [&](std::vector<std::string> args) {
    CliParse p = ParseCliArguments(args);
    EXPECT_TRUE(p.ok) << p.error;
    return RunCliRequest(p.request, env);
  };
  const std::string handle = std::to_string(h);
  const CliOutcome plain = run({"/report", "/window", handle});
  EXPECT_EQ(reads, 0) << "a text report without /details reads none";
  EXPECT_EQ(plain.output.find("*** Details"), std::string::npos);
  const CliOutcome text = run({"/report", "/window", handle, "/details", "/dec"});
  EXPECT_EQ(reads, 1);
  EXPECT_NE(text.output.find("*** Details ****"), std::string::npos);
  EXPECT_NE(text.output.find("\r\nUser data           24301 "), std::string::npos);
  const CliOutcome json = run({"/report", "/window", handle, "/format", "json"});
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(nlohmann::json::parse(json.output)["details"]["userData"], 0x5EED);
  ExpectValid(json.output);

  EXPECT_EQ(ParseCliArguments({"/list", "/details"}).error, "/details applies to /report only");
  EXPECT_EQ(ParseCliArguments({"/report", "/details", "/details"}).error, "/details given twice");
  EXPECT_NE(CliUsageText().find("/details"), std::string::npos);
}

TEST(DetailsSettings, PositionAndSizeAsNewValues) {
  MemorySettingsStore store;
  DetailsWindowSettings s = ReadDetailsSettings(store, "Tarvisk");
  EXPECT_FALSE(s.hasPosition);
  EXPECT_EQ(s.width, 460);
  s.hasPosition = true;
  s.left = -20;
  s.top = 30;
  s.width = 500;
  s.height = 600;
  EXPECT_TRUE(WriteDetailsSettings(store, "Tarvisk", s));
  EXPECT_EQ(store.Text("Tarvisk", "DetailsLeft"), "-20");
  EXPECT_EQ(store.Text("Tarvisk", "DetailsHeight"), "600");
  const DetailsWindowSettings back = ReadDetailsSettings(store, "Tarvisk");
  EXPECT_TRUE(back.hasPosition);
  EXPECT_EQ(back.left, -20);
  EXPECT_EQ(back.top, 30);
  EXPECT_EQ(back.width, 500);
  // Damaged values: a size kept within bounds, half a position is none.
  store.Set("Tarvisk", "DetailsWidth", kRegSz, "99999");
  store.Set("Tarvisk", "DetailsHeight", kRegSz, "tall");
  store.Set("Tarvisk", "DetailsTop", kRegDword, "\x01\x00\x00\x00");
  const DetailsWindowSettings damaged = ReadDetailsSettings(store, "Tarvisk");
  EXPECT_EQ(damaged.width, 10000);
  EXPECT_EQ(damaged.height, 560);
  EXPECT_FALSE(damaged.hasPosition);
  store.failSetData.insert("DetailsWidth");
  EXPECT_FALSE(WriteDetailsSettings(store, "Tarvisk", s));
}

}  // namespace
