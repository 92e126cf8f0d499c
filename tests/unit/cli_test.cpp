// The command line over an in-memory desktop: its arguments, how each selector
// finds the window, and what the text, JSON and listing outputs hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "FakeDesktop.h"
#include "SchemaCheck.h"
#include "cli/CliArgs.h"
#include "cli/CliRun.h"
#include "inspect/WindowInfo.h"
#include "reading/WindowLists.h"

namespace {

CliParse Parse(std::vector<std::string> args) { return ParseCliArguments(args); }

TEST(CliArgs, CommandsAndTheirOptions) {
  EXPECT_FALSE(IsCliCommand({}));
  EXPECT_FALSE(IsCliCommand({"/bogus"}));
  EXPECT_FALSE(IsCliCommand({"report"}));
  EXPECT_TRUE(IsCliCommand({"/REPORT"}));
  EXPECT_TRUE(IsCliCommand({"-list"}));
  EXPECT_TRUE(IsCliCommand({"/?"}));

  CliParse p = Parse({"/report", "out.txt", "/window", "$0001008E", "/format", "JSON", "/dec"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Report);
  EXPECT_EQ(p.request.file, "out.txt");
  EXPECT_EQ(p.request.selector, CliSelector::Window);
  EXPECT_EQ(p.request.handle, 0x0001008Eu);
  EXPECT_EQ(p.request.selectorText, "/window $0001008E");
  EXPECT_EQ(p.request.format, CliFormat::Json);
  EXPECT_EQ(p.request.integerFormat, kFormatDecimal);

  p = Parse({"/report", "/point", "-5,700", "-"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.selector, CliSelector::Point);
  EXPECT_EQ(p.request.point, (WinPoint{-5, 700}));
  EXPECT_EQ(p.request.file, "-");
  EXPECT_EQ(p.request.integerFormat, -1);

  p = Parse({"/report", "/find", "Notepad,Untitled, again"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.findClass, "Notepad");
  EXPECT_EQ(p.request.findText, "Untitled, again");  // only the first comma splits
  p = Parse({"/report", "/find", ",Untitled"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.request.findClass, "");

  p = Parse({"/report"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.request.selector, CliSelector::Cursor);

  p = Parse({"/children", "1234", "/format", "json"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Children);
  EXPECT_EQ(p.request.handle, 1234u);
  p = Parse({"/list", "/children", "-1"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.request.command, CliCommand::Children);
  EXPECT_EQ(p.request.handle, 0xFFFFFFFFu);
}

TEST(CliArgs, BadArgumentsSayWhat) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"/report", "/window", "12g"}, "'12g' is not a valid integer value"},
      {{"/report", "/window"}, "/window needs a window handle"},
      {{"/report", "/point", "12"}, "'12' is not a point X,Y"},
      {{"/report", "/point", "1,2,3"}, "'1,2,3' is not a point X,Y"},
      {{"/report", "/point", "99999999999,1"}, "'99999999999,1' is not a point X,Y"},
      {{"/report", "/find", ","}, "/find needs a class or a text"},
      {{"/report", "/foreground", "/window", "1"}, "more than one of /window, /point, /find, /foreground and /select"},
      {{"/report", "a.txt", "b.txt"}, "more than one file: a.txt and b.txt"},
      {{"/report", "/format", "xml"}, "/format needs text or json, not xml"},
      {{"/report", "/format"}, "/format needs text or json"},
      {{"/report", "/hex", "/bin"}, "more than one of /hex, /dec and /bin"},
      {{"/report", "/verbose"}, "unknown option /verbose"},
      {{"/list", "/window", "1"}, "/window applies to /report only"},
      {{"/list", "/hex"}, "/hex applies to /report only"},
      {{"/list", "file.txt"}, "unexpected argument file.txt"},
      {{"/children"}, "/children needs a window handle"},
      {{"/?", "/report"}, "/? takes no arguments"},
  };
  for (const Case& c : cases) {
    CliParse p = Parse(c.args);
    EXPECT_FALSE(p.ok) << c.args.back();
    EXPECT_EQ(p.error, c.error);
  }
  EXPECT_NE(CliUsageText().find("/report [FILE]"), std::string::npos);
}

// A notes window with an edit and a button, an owned dialog, and another
// program's window below them.
struct CliRunTest : ::testing::Test {
  FakeDesktop d;
  Hwnd notes = 0, edit = 0, button = 0, dialog = 0, other = 0;
  CliEnvironment env;

  void SetUp() override {
    FakeWindow w;
    w.className = "OtherApp";
    w.text = "Other";
    w.processId = 9;
    w.rect = {0, 0, 1000, 800};
    other = d.Add(w);
    w = FakeWindow();
    w.className = "TfrmNotes";
    w.text = "Notes - caf\xC3\xA9";  // UTF-8, as windows' texts are read
    w.style = 0x14CF0000;
    w.exStyle = 0x00040100;
    w.processId = 42;
    w.instance = 0x00400000;
    w.classStyle = 0x0008;
    w.rect = {100, 50, 740, 530};
    w.clientRect = {0, 0, 632, 452};
    w.clientOrigin = {104, 74};
    notes = d.Add(w);
    w = FakeWindow();
    w.child = true;
    w.parent = notes;
    w.className = "Edit";
    w.text = "line one\r\nline\ttwo";
    w.style = 0x50010000;
    w.processId = 42;
    w.rect = {104, 74, 500, 400};
    w.clientOrigin = {106, 76};
    edit = d.Add(w);
    w.className = "Button";
    w.text = "OK";
    w.rect = {600, 450, 700, 480};
    button = d.Add(w);
    w = FakeWindow();
    w.owner = notes;
    w.className = "#32770";
    w.text = "Find";
    w.processId = 42;
    w.visible = false;
    dialog = d.Add(w);

    env.ws = &d;
    env.cursor = {200, 100};
    env.sources.process = [](uint32_t pid) {
      ProcessInfo info;
      if (pid == 42) {
        info.executable.known = true;
        info.executable.path = "C:\\Apps\\notes.exe";
        info.modules = {{"kernel32.dll", "C:\\windows\\system32\\", 0x7B000000}};
      }
      return info;
    };
    env.sources.pixel = [](WinPoint, uint32_t& color) {
      color = 0x00336699;
      return true;
    };
  }

  CliOutcome Run(std::vector<std::string> args) {
    CliParse p = ParseCliArguments(args);
    EXPECT_TRUE(p.ok) << p.error;
    return RunCliRequest(p.request, env);
  }
};

TEST_F(CliRunTest, EachSelectorFindsItsWindow) {
  CliParse p = Parse({"/report", "/window", std::to_string(edit)});
  EXPECT_EQ(SelectTarget(p.request, env), edit);

  // Probing's choice: the child holding the point, else the window there.
  d.SetWindowAtPoint(notes);
  p = Parse({"/report", "/point", "620,460"});
  EXPECT_EQ(SelectTarget(p.request, env), button);
  p = Parse({"/report", "/point", "720,500"});
  EXPECT_EQ(SelectTarget(p.request, env), notes);
  p = Parse({"/report"});
  EXPECT_EQ(SelectTarget(p.request, env), edit);  // the cursor is on the edit

  p = Parse({"/report", "/find", "butt"});
  EXPECT_EQ(SelectTarget(p.request, env), button);
  p = Parse({"/report", "/find", ",NOTES"});
  EXPECT_EQ(SelectTarget(p.request, env), notes);
  p = Parse({"/report", "/find", "edit,nothing like it"});
  EXPECT_EQ(SelectTarget(p.request, env), 0u);

  env.foreground = dialog;
  p = Parse({"/report", "/foreground"});
  EXPECT_EQ(SelectTarget(p.request, env), dialog);
}

TEST_F(CliRunTest, NoMatchIsStatusTwoWithTheSelectorNamed) {
  CliOutcome o = Run({"/report", "/find", "NoSuchClass"});
  EXPECT_EQ(o.status, kCliNoMatch);
  EXPECT_EQ(o.error, "no window matches /find NoSuchClass");
  EXPECT_TRUE(o.output.empty());
  o = Run({"/report", "/window", "$DEAD"});
  EXPECT_EQ(o.status, kCliNoMatch);
  EXPECT_EQ(o.error, "no window matches /window $DEAD");
  o = Run({"/report", "/foreground"});  // no foreground window
  EXPECT_EQ(o.status, kCliNoMatch);
  o = Run({"/children", "77"});
  EXPECT_EQ(o.error, "no window matches /children 77");
}

TEST_F(CliRunTest, TextReportShowsWhatThePagesShowInTheChosenForm) {
  env.options = {kFormatHexadecimal, kCaseUpper};
  env.sort = SortStateFromSettings(kColumnClass, true);  // Class name, descending
  CliOutcome o = Run({"/report", "/window", std::to_string(notes), "/dec"});
  ASSERT_EQ(o.status, kCliOk) << o.error;
  const std::string& r = o.output;
  const WindowInfo info = GatherWindowInfo(d, notes, {kFormatDecimal, kCaseUpper});
  EXPECT_NE(r.find("Handle              " + info.handle + " "), std::string::npos);
  EXPECT_NE(r.find("WS_OVERLAPPED"), std::string::npos);
  // Children sorted by class, descending: Edit above Button, against fill order.
  const size_t children = r.find("*** Children ");
  ASSERT_NE(children, std::string::npos);
  EXPECT_LT(r.find("002  ", children), r.find("001  ", children));
  EXPECT_NE(r.find("File path           C:\\Apps\\"), std::string::npos);
  EXPECT_NE(r.find("kernel32.dll"), std::string::npos);
  EXPECT_NE(r.find("Pos in screen       X: 200  Y: 100"), std::string::npos);
  EXPECT_NE(r.find("Pos in window       X: 100  Y: 50"), std::string::npos);
  EXPECT_NE(r.find("Pos in client       X: 96  Y: 26"), std::string::npos);
  EXPECT_NE(r.find("Pixel color         R: 153  G: 102  B: 51"), std::string::npos) << r;
  EXPECT_NE(r.find("Notes - caf\xE9"), std::string::npos);  // the report stays ANSI
}

TEST_F(CliRunTest, JsonHoldsNumbersNamesAndUtf8) {
  env.sort = SortStateFromSettings(kColumnNumber, true);
  env.foreground = notes;
  CliOutcome o = Run({"/report", "/foreground", "/format", "json"});
  ASSERT_EQ(o.status, kCliOk) << o.error;
  ExpectValid(o.output);
  const nlohmann::json j = nlohmann::json::parse(o.output);
  EXPECT_EQ(j["window"]["handle"], notes);
  EXPECT_EQ(j["window"]["text"], "Notes - caf\xC3\xA9");
  EXPECT_EQ(j["window"]["processId"], 42);
  EXPECT_EQ(j["window"]["instance"], 0x00400000);
  EXPECT_EQ(j["window"]["style"]["value"], 0x14CF0000u);
  const auto& constants = j["window"]["style"]["constants"];
  ASSERT_TRUE(constants.is_array());
  EXPECT_EQ(constants.front(), "WS_OVERLAPPED");
  EXPECT_NE(std::find(constants.begin(), constants.end(), "WS_MAXIMIZEBOX"), constants.end());
  EXPECT_EQ(j["window"]["exStyle"]["constants"].back(), "WS_EX_APPWINDOW");
  EXPECT_EQ(j["window"]["windowSize"]["width"], 640);
  EXPECT_EQ(j["window"]["resourceId"], nullptr);
  EXPECT_EQ(j["class"]["style"]["constants"], nlohmann::json::array({"CS_DBLCLKS"}));
  // Fill order inverted: the edit, below the button in the z-order, came second.
  ASSERT_EQ(j["children"].size(), 2u);
  EXPECT_EQ(j["children"][0]["number"], 2);
  EXPECT_EQ(j["children"][0]["handle"], edit);
  EXPECT_EQ(j["children"][0]["text"], "line one\r\nline\ttwo");
  EXPECT_EQ(j["children"][1]["handle"], button);
  EXPECT_TRUE(j["parents"].empty());
  EXPECT_EQ(j["executable"]["name"], "notes.exe");
  EXPECT_EQ(j["executable"]["version"], nullptr);
  EXPECT_EQ(j["modules"][0]["handle"], 0x7B000000);
  EXPECT_EQ(j["graphic"]["pixelColor"]["blue"], 0x33);
  EXPECT_EQ(j["graphic"]["window"]["x"], 100);
}

TEST_F(CliRunTest, ResourceIdentifierAndGoneWindowInJson) {
  d[button].sentText = std::string("\xFF\x01\x7F", 3);
  CliOutcome o = Run({"/report", "/window", std::to_string(button), "/format", "json"});
  ASSERT_EQ(o.status, kCliOk);
  ExpectValid(o.output);
  nlohmann::json j = nlohmann::json::parse(o.output);
  EXPECT_EQ(j["window"]["textLabel"], "Resource ID");
  EXPECT_EQ(j["window"]["text"], "");
  EXPECT_EQ(j["window"]["resourceId"], 32513);
  EXPECT_EQ(j["window"]["resourceName"], "IDI_ERROR");
  EXPECT_EQ(j["parents"][0]["handle"], notes);
  EXPECT_EQ(j["executable"]["path"], "C:\\Apps\\notes.exe");

  env.sources.process = [](uint32_t) { return ProcessInfo(); };
  env.sources.pixel = nullptr;
  o = Run({"/report", "/window", std::to_string(other), "/format", "json"});
  ExpectValid(o.output);
  j = nlohmann::json::parse(o.output);
  EXPECT_EQ(j["executable"], nullptr);
  EXPECT_EQ(j["graphic"]["pixelColor"], nullptr);
}

TEST_F(CliRunTest, ListingsOneLineEachOrAnArray) {
  CliOutcome o = Run({"/list"});
  ASSERT_EQ(o.status, kCliOk);
  char notesLine[64];
  std::snprintf(notesLine, sizeof notesLine, "$%08X\t42\tTfrmNotes\t1\tNotes - caf\xE9\r\n", notes);
  EXPECT_NE(o.output.find(notesLine), std::string::npos) << o.output;
  EXPECT_NE(o.output.find("\t#32770\t0\tFind\r\n"), std::string::npos);
  EXPECT_EQ(o.output.find("Edit"), std::string::npos);  // top level only

  o = Run({"/children", std::to_string(notes)});
  EXPECT_NE(o.output.find("\tEdit\t1\tline one  line two\r\n"), std::string::npos) << o.output;
  o = Run({"/children", std::to_string(notes), "/format", "json"});
  ExpectValid(o.output);
  ExpectValid(Run({"/list", "/format", "json"}).output);
  const nlohmann::json j = nlohmann::json::parse(o.output);
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0]["parent"], notes);
  EXPECT_EQ(j[0]["visible"], true);
  EXPECT_EQ(j[1]["className"], "Edit");
}

}  // namespace
