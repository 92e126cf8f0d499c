// Selectors over an in-memory desktop: the four notations and their counts,
// the grammar's errors and quoting, and /select as the command line runs it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "FakeDesktop.h"
#include "cli/CliArgs.h"
#include "cli/CliRun.h"
#include "selectors/DesktopSelectors.h"
#include "selectors/SelectorGrammar.h"

namespace {

// A notes program with an edit, two buttons sharing id 0 and a panel holding
// another edit; two twin windows of one program with the same class and
// title; a window of another program whose class is the notes class too.
FakeWindow Win(Hwnd parent, bool child, const char* cls, const char* text, uint32_t id, uint32_t pid) {
  FakeWindow w;
  w.parent = parent;
  w.child = child;
  w.className = cls;
  w.text = text;
  w.id = id;
  w.processId = pid;
  return w;
}

struct Desktop {
  FakeDesktop d;
  Hwnd notes, edit, okButton, cancelButton, panel, panelEdit, twinA, twinB, other;
  Desktop() {
    notes = d.Add(Win(0, false, "Notes", "Untitled - Notes", 0, 10));
    edit = d.Add(Win(notes, true, "Edit", "", 15, 10));
    okButton = d.Add(Win(notes, true, "Button", "OK", 0, 10));
    cancelButton = d.Add(Win(notes, true, "Button", "Cancel", 0, 10));
    panel = d.Add(Win(notes, true, "Panel", "", 7, 10));
    panelEdit = d.Add(Win(panel, true, "Edit", "", 15, 10));
    twinA = d.Add(Win(0, false, "Twin", "Same", 0, 20));
    twinB = d.Add(Win(0, false, "Twin", "Same", 0, 20));
    other = d.Add(Win(0, false, "Notes", "Other's notes", 0, 30));
  }
  ExeNameSource exe = [](uint32_t pid) {
    return pid == 10 ? "notes.exe" : pid == 20 ? "twin.exe" : pid == 30 ? "other.exe" : "";
  };
};

std::vector<Hwnd> Resolve(Desktop& t, const std::string& text) {
  const SelectorParse p = ParseSelector(text);
  EXPECT_TRUE(p.ok) << text << ": " << SelectorErrorText(p);
  return DesktopSelectors(t.d, t.exe).Resolve(p.query);
}

TEST(Selectors, FourNotationsWithTheirCounts) {
  Desktop t;
  // The desktop enumerates newest first: the panel's edit comes before the
  // notes window's own edit, so it is Edit1.
  SelectorFacts f = WindowSelectors(t.d, t.edit, t.exe);
  ASSERT_TRUE(f.known);
  EXPECT_EQ(f.ahk, "ahk_class Notes ahk_exe notes.exe");
  EXPECT_EQ(f.ahkClassNN, "Edit2");
  EXPECT_EQ(f.autoit, "[CLASS:Notes; TITLE:Untitled - Notes] [CLASS:Edit; INSTANCE:2]");
  EXPECT_EQ(f.autoitId, "");  // the panel's edit has id 15 too
  EXPECT_EQ(f.pywinauto,
            "Desktop(backend=\"win32\").window(class_name=\"Notes\", title=\"Untitled - Notes\")"
            ".child_window(class_name=\"Edit\", found_index=1)");
  EXPECT_EQ(f.tarvisk, "class:'Notes' exe:'notes.exe' / class:'Edit' id:15");
  EXPECT_EQ(f.ahkMatches, 1u);
  EXPECT_EQ(f.autoitMatches, 1u);
  EXPECT_EQ(f.pywinautoMatches, 1u);
  EXPECT_EQ(f.tarviskMatches, 1u);

  // Buttons share an id: Tarvisk steps by instance among its siblings.
  f = WindowSelectors(t.d, t.okButton, t.exe);
  EXPECT_EQ(f.tarvisk, "class:'Notes' exe:'notes.exe' / class:'Button' instance:2");
  EXPECT_EQ(f.ahkClassNN, "Button2");
  f = WindowSelectors(t.d, t.panelEdit, t.exe);
  EXPECT_EQ(f.tarvisk, "class:'Notes' exe:'notes.exe' / class:'Panel' id:7 / class:'Edit' id:15");
  EXPECT_EQ(f.ahkClassNN, "Edit1");
  f = WindowSelectors(t.d, t.panel, t.exe);
  EXPECT_EQ(f.autoitId, "[ID:7]");
  EXPECT_NE(f.pywinauto.find("control_id=7"), std::string::npos);

  // The twins: the notations without an order cannot tell them apart.
  f = WindowSelectors(t.d, t.twinA, t.exe);
  EXPECT_EQ(f.ahk, "ahk_class Twin ahk_exe twin.exe");  // the title does not help, so it stays out
  EXPECT_EQ(f.ahkMatches, 2u);
  EXPECT_EQ(f.autoit, "[CLASS:Twin]");
  EXPECT_EQ(f.autoitMatches, 2u);
  EXPECT_EQ(f.pywinautoMatches, 2u);
  EXPECT_EQ(f.tarvisk, "class:'Twin' exe:'twin.exe' instance:2");
  EXPECT_EQ(f.tarviskMatches, 1u);
  EXPECT_EQ(Resolve(t, f.tarvisk), std::vector<Hwnd>{t.twinA});

  // Every window's Tarvisk selector names it alone; a closed one names nothing.
  for (Hwnd w : {t.notes, t.edit, t.okButton, t.cancelButton, t.panel, t.panelEdit, t.twinA, t.twinB, t.other}) {
    const std::string s = DesktopSelectors(t.d, t.exe).TarviskSelector(w);
    EXPECT_EQ(Resolve(t, s), std::vector<Hwnd>{w}) << s;
    EXPECT_EQ(WindowSelectors(t.d, w, t.exe).tarvisk, s);
  }
  const std::string closed = WindowSelectors(t.d, t.panelEdit, t.exe).tarvisk;
  t.d.Remove(t.panel);
  EXPECT_TRUE(Resolve(t, closed).empty());
  EXPECT_FALSE(WindowSelectors(t.d, t.panelEdit, t.exe).known);
}

TEST(Selectors, ForeignFormsResolve) {
  Desktop t;
  EXPECT_EQ(Resolve(t, "ahk_class notes ahk_exe NOTES.EXE"), std::vector<Hwnd>{t.notes});
  EXPECT_EQ(Resolve(t, "ahk_class Notes"), (std::vector<Hwnd>{t.other, t.notes}));
  EXPECT_EQ(Resolve(t, "Other ahk_class Notes"), std::vector<Hwnd>{t.other});  // the start of the title
  EXPECT_EQ(Resolve(t, "[CLASS:Notes; TITLE:Untitled]"), std::vector<Hwnd>{t.notes});
  EXPECT_EQ(Resolve(t, "[CLASS:Notes; TITLE:Untitled] [CLASS:Edit; INSTANCE:2]"), std::vector<Hwnd>{t.edit});
  EXPECT_EQ(Resolve(t, "[CLASS:Notes; INSTANCE:2] [ID:7]"), std::vector<Hwnd>{t.panel});
  EXPECT_EQ(Resolve(t, "[CLASS:Twin; INSTANCE:3]"), std::vector<Hwnd>{});
  EXPECT_EQ(Resolve(t, "class:Notes exe:notes.exe/class:Button"), (std::vector<Hwnd>{t.cancelButton, t.okButton}));
}

TEST(SelectorGrammar, QuotingAndErrors) {
  const std::string odd = "it's / a \"title\"\r\n\t[;]' ''";
  SelectorStep s;
  s.hasClass = s.hasTitle = true;
  s.className = "#32770";
  s.title = odd;
  const std::string text = TarviskSelectorText({s});
  SelectorParse p = ParseSelector(text);
  ASSERT_TRUE(p.ok) << SelectorErrorText(p);
  ASSERT_EQ(p.query.steps.size(), 1u);
  EXPECT_EQ(p.query.steps[0].title, odd);
  EXPECT_EQ(p.query.steps[0].className, "#32770");

  struct Case {
    const char* text;
    size_t position;
    const char* error;
  };
  const Case cases[] = {
      {"", 1, "empty selector"},
      {"class:'Notes", 7, "quote not closed"},
      {"class:Notes / ", 15, "expected a step"},
      {"class:Notes / title:x", 15, "title names a top-level window: only in the first step"},
      {"id:4", 1, "id names a child window: not in the first step"},
      {"class:a / id:x", 14, "id needs a number from 0 to 4294967295"},
      {"class:a / instance:0", 20, "instance needs a number from 1"},
      {"class:a class:b", 9, "class given twice in one step"},
      {"colour:red", 1, "unknown key colour: expected class, exe, title, id or instance"},
      {"class", 6, "expected ':' after class"},
      {"class:'a'b", 10, "expected a blank or '/' after the quoted value"},
      {"class:a'b", 8, "a quote inside an unquoted value"},
      {"[CLASS:Notes", 13, "expected ']'"},
      {"[CLASS:Notes] [TITLE:x]", 16, "expected CLASS, INSTANCE or ID, each once"},
      {"[CLASS:a] [ID:1] [x]", 18, "expected the end after the control"},
      {"ahk_class Notes ahk_pid 4", 17, "expected ahk_class or ahk_exe followed by a value"},
  };
  for (const Case& c : cases) {
    p = ParseSelector(c.text);
    EXPECT_FALSE(p.ok) << c.text;
    EXPECT_EQ(p.position, c.position) << c.text;
    EXPECT_EQ(p.error, c.error) << c.text;
  }
  EXPECT_EQ(SelectorErrorText(ParseSelector("class:")), "malformed selector at position 7: expected a value");
  // A quoted value may hold what would make another form.
  p = ParseSelector("title:'[x] ahk_class Notes' class:Notes");
  ASSERT_TRUE(p.ok) << SelectorErrorText(p);
  EXPECT_EQ(p.query.form, SelectorForm::Tarvisk);
  EXPECT_EQ(p.query.steps[0].title, "[x] ahk_class Notes");
  p = ParseSelector("[CLASS:a;;b]");
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.query.steps[0].className, "a;b");
}

TEST(CliSelect, ListsReportsAndFails) {
  Desktop t;
  CliEnvironment env;
  env.ws = &t.d;
  env.exeName = t.exe;
  env.sources.selectors = [&](Hwnd w) { return WindowSelectors(t.d, w, t.exe); };
  auto run = [&](std::vector<std::string> args) {
    const CliParse p = ParseCliArguments(args);
    EXPECT_TRUE(p.ok) << p.error;
    return RunCliRequest(p.request, env);
  };
  CliOutcome o = run({"/select", "class:'Notes'"});
  EXPECT_EQ(o.status, kCliOk);
  char topmost[16];
  std::snprintf(topmost, sizeof topmost, "$%08X\t", t.other);
  EXPECT_EQ(o.output.substr(0, 10), topmost);  // the topmost only
  EXPECT_EQ(std::count(o.output.begin(), o.output.end(), '\n'), 1);
  o = run({"/SELECT", "ahk_class Notes", "/all", "/format", "json"});
  EXPECT_EQ(nlohmann::json::parse(o.output).size(), 2u);
  o = run({"/select", "class:Nothing"});
  EXPECT_EQ(o.status, kCliNoMatch);
  EXPECT_EQ(o.error, "no window matches /select class:Nothing");
  o = run({"/select", "class:Notes /"});
  EXPECT_EQ(o.status, kCliFailed);
  EXPECT_EQ(o.error, "malformed selector at position 14: expected a step");
  t.d.topLevelReads = 0;
  o = run({"/report", "/select", "class:'Twin' instance:2", "/format", "json"});
  ASSERT_EQ(o.status, kCliOk) << o.error;
  // The selector's windows and the target's selectors come from one reading
  // of the desktop: no more enumerations than a report of the same window.
  const int selected = t.d.topLevelReads;
  t.d.topLevelReads = 0;
  EXPECT_EQ(run({"/report", "/window", std::to_string(t.twinA), "/format", "json"}).output, o.output);
  EXPECT_EQ(selected, t.d.topLevelReads);
  const nlohmann::json j = nlohmann::json::parse(o.output);
  EXPECT_EQ(j["window"]["handle"], t.twinA);
  EXPECT_EQ(j["selectors"]["tarvisk"], "class:'Twin' exe:'twin.exe' instance:2");
  EXPECT_EQ(j["selectors"]["matches"]["ahk"], 2);
  EXPECT_TRUE(j["selectors"]["ahkClassNN"].is_null());
  EXPECT_EQ(run({"/report", "/select", "[CLASS:Twin"}).status, kCliFailed);
  EXPECT_FALSE(ParseCliArguments({"/select"}).ok);
  EXPECT_FALSE(ParseCliArguments({"/list", "/all"}).ok);
}

}  // namespace
