// Selectors over real windows: every window of the fixture program and of
// notepad is named by its Tarvisk selector alone, in this process and through
// Tarvisk.exe /select; ClassNN and INSTANCE agree with a count made here the
// documented way; twins are not unique where a notation cannot tell them
// apart; a closed window's selector names nothing; the main window copies them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/FrameFeatures.h"
#include "platform/Win32WindowSystem.h"
#include "selectors/SystemSelectors.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"
#include "support/TarviskRun.h"
#include "support/Wait.h"

namespace {

std::string Hex(HWND h) {
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(FromHwnd(h)));
  return text;
}

// One argument as the system's command-line splitting reads it back.
std::string QuoteArgument(const std::string& arg) {
  std::string out = "\"";
  size_t slashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
    } else {
      if (c == '"') out.append(slashes + 1, '\\');
      slashes = 0;
    }
    out += c;
  }
  return out + std::string(slashes, '\\') + "\"";
}

BOOL CALLBACK Collect(HWND h, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

// Every window of a process: its top-level windows and their descendants.
std::vector<HWND> WindowsOf(DWORD pid) {
  std::vector<HWND> tops, out;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&tops));
  for (HWND top : tops) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner != pid) continue;
    out.push_back(top);
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&out));
  }
  return out;
}

std::string ClassOf(HWND h) {
  char name[256] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

// ClassNN as the automation tools document it: the class, and the control's
// number among its top-level window's descendants of that class in
// EnumChildWindows order, from 1.
struct InstanceCount {
  HWND control;
  std::string cls;
  int seen = 0, found = 0;
};

BOOL CALLBACK CountInstance(HWND h, LPARAM p) {
  auto& c = *reinterpret_cast<InstanceCount*>(p);
  if (ClassOf(h) == c.cls) ++c.seen;
  if (h != c.control) return TRUE;
  c.found = c.seen;
  return FALSE;
}

int CountedInstance(HWND control) {
  InstanceCount c{control, ClassOf(control)};
  EnumChildWindows(GetAncestor(control, GA_ROOT), CountInstance, reinterpret_cast<LPARAM>(&c));
  return c.found;
}

std::vector<Hwnd> Resolve(const std::string& selector) {
  Win32WindowSystem ws;
  const SelectorParse p = ParseSelector(selector);
  EXPECT_TRUE(p.ok) << selector << ": " << SelectorErrorText(p);
  return DesktopSelectors(ws, SystemExecutableNames()).Resolve(p.query);
}

class SelectorFixtureProgram {
 public:
  SelectorFixtureProgram() {
    started = process.Start("\"" + BuildPath("fixtures\\SelectorFixture.exe") + "\"") &&
              WaitUntil([&] { return WindowsOf(process.Id()).size() >= 21; }, 15000);
  }
  ChildProcess process;
  bool started = false;
};

TEST(SelectorsWine, EveryWindowIsNamedAloneAndTheCountsAgree) {
  SelectorFixtureProgram fixture;
  ASSERT_TRUE(fixture.started);
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  ChildProcess notepad;
  ASSERT_TRUE(notepad.Start("\"" + std::string(system) + "\\notepad.exe\""));
  ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(notepad.Id(), "Notepad", nullptr) != nullptr; }, 15000));

  std::vector<HWND> windows = WindowsOf(fixture.process.Id());
  ASSERT_GE(windows.size(), 21u);  // three frames of seven windows, and what the system adds
  const std::vector<HWND> notepads = WindowsOf(notepad.Id());
  ASSERT_GE(notepads.size(), 2u);
  windows.insert(windows.end(), notepads.begin(), notepads.end());

  Win32WindowSystem ws;
  DesktopSelectors desktop(ws, SystemExecutableNames());
  int cliChecks = 0;
  for (HWND w : windows) {
    const SelectorFacts f = desktop.Selectors(FromHwnd(w));
    SCOPED_TRACE(Hex(w) + " " + ClassOf(w) + ": " + f.tarvisk);
    ASSERT_TRUE(f.known);
    EXPECT_EQ(f.tarviskMatches, 1u);
    EXPECT_EQ(Resolve(f.tarvisk), std::vector<Hwnd>{FromHwnd(w)});
    if (GetAncestor(w, GA_ROOT) != w) {
      const std::string n = std::to_string(CountedInstance(w));
      EXPECT_EQ(f.ahkClassNN, ClassOf(w) + n);
      EXPECT_NE(f.autoit.find(" [CLASS:" + ClassOf(w) + "; INSTANCE:" + n + "]"), std::string::npos);
    } else {
      EXPECT_EQ(f.ahkClassNN, "");
      if (f.ahkMatches == 1) {
        EXPECT_EQ(Resolve(f.ahk), std::vector<Hwnd>{FromHwnd(w)});
      }
    }
    if (f.autoitMatches == 1) {
      EXPECT_EQ(Resolve(f.autoit), std::vector<Hwnd>{FromHwnd(w)});
    }
    // Through the command line, for the windows of the fixture's form and of notepad.
    if (ClassOf(GetAncestor(w, GA_ROOT)) != "SelectorTwin") {
      const TarviskRun run = RunTarvisk("/select " + QuoteArgument(f.tarvisk));
      EXPECT_EQ(run.status, 0u) << run.err;
      EXPECT_EQ(run.out.substr(0, 10), Hex(w) + "\t");
      ++cliChecks;
    }
  }
  EXPECT_GE(cliChecks, 9);

  // The twins share class and title: only Tarvisk's selector tells them apart.
  const HWND twin = FindProcessWindow(fixture.process.Id(), "SelectorTwin", nullptr);
  const HWND twinEdit = FindWindowExA(twin, nullptr, "EDIT", nullptr);
  for (HWND w : {twin, twinEdit}) {
    const SelectorFacts f = desktop.Selectors(FromHwnd(w));
    SCOPED_TRACE(f.tarvisk);
    EXPECT_EQ(f.ahkMatches, 2u);
    EXPECT_EQ(f.autoitMatches, 2u);
    EXPECT_EQ(f.pywinautoMatches, 2u);
    EXPECT_EQ(f.tarviskMatches, 1u);
    EXPECT_NE(f.tarvisk.find("instance:"), std::string::npos);
    const TarviskRun run = RunTarvisk("/select " + QuoteArgument(f.tarvisk));
    EXPECT_EQ(run.out, Hex(w) + "\t" + std::to_string(fixture.process.Id()) + "\t" + ClassOf(w) + "\t1\t" +
                              (w == twin ? "Twin" : "edit") + "\r\n");
  }
  const TarviskRun all = RunTarvisk("/select \"ahk_class SelectorTwin ahk_exe SelectorFixture.exe\" /all /format json");
  EXPECT_EQ(all.status, 0u) << all.err;
  EXPECT_EQ(nlohmann::json::parse(all.out).size(), 2u);
}

TEST(SelectorsWine, AClosedWindowsSelectorNamesNothing) {
  std::string selector;
  {
    SelectorFixtureProgram fixture;
    ASSERT_TRUE(fixture.started);
    const HWND form = FindProcessWindow(fixture.process.Id(), "SelectorForm", nullptr);
    const HWND label = FindWindowExA(FindWindowExA(form, nullptr, "SelectorPanel", nullptr), nullptr, "STATIC", nullptr);
    ASSERT_TRUE(label);
    Win32WindowSystem ws;
    selector = SystemWindowSelectors(ws, FromHwnd(label)).tarvisk;
    EXPECT_EQ(selector,
              "class:'SelectorForm' exe:'SelectorFixture.exe' / class:'SelectorPanel' id:20 / class:'Static' id:11");
    const TarviskRun report = RunTarvisk("/report /select " + QuoteArgument(selector) + " /format json");
    ASSERT_EQ(report.status, 0u) << report.err;
    const nlohmann::json j = nlohmann::json::parse(report.out);
    EXPECT_EQ(j["window"]["handle"], FromHwnd(label));
    EXPECT_EQ(j["selectors"]["tarvisk"], selector);
    EXPECT_EQ(j["selectors"]["matches"]["tarvisk"], 1);
    EXPECT_EQ(j["selectors"]["ahkClassNN"], "Static1");
    fixture.process.Kill();
    ASSERT_TRUE(fixture.process.WaitExit(5000));
  }
  EXPECT_TRUE(Resolve(selector).empty());
  const TarviskRun gone = RunTarvisk("/select " + QuoteArgument(selector));
  EXPECT_EQ(gone.status, 2u);
  EXPECT_EQ(gone.out, "");
  const TarviskRun bad = RunTarvisk("/select \"class:'SelectorForm' / id:x\"");
  EXPECT_EQ(bad.status, 1u);
  EXPECT_NE(bad.err.find("malformed selector at position 27: id needs a number"), std::string::npos) << bad.err;
}

class SelectorMenuTest : public MainWindowFixture {};

HMENU CopySelectorMenu(HMENU systemMenu) {
  for (int i = 0; i < GetMenuItemCount(systemMenu); ++i) {
    char text[64] = {};
    GetMenuStringA(systemMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (std::string(text) == "C&opy selector") return GetSubMenu(systemMenu, i);
  }
  return nullptr;
}

std::string ItemText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST_F(SelectorMenuTest, SystemAndFieldMenusCopyEachNotation) {
  SelectorFixtureProgram fixture;
  ASSERT_TRUE(fixture.started);
  StartMainWindow(true);
  const HWND twin = FindProcessWindow(fixture.process.Id(), "SelectorTwin", nullptr);
  const HWND twinEdit = FindWindowExA(twin, nullptr, "EDIT", nullptr);
  frm->InspectWindow(FromHwnd(twinEdit), true);
  HMENU system = GetSystemMenu(frm->Handle(), FALSE);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(system), 0);
  HMENU copy = CopySelectorMenu(system);
  ASSERT_TRUE(copy);
  ASSERT_EQ(GetMenuItemCount(copy), 4);
  EXPECT_EQ(ItemText(copy, 0), "&AutoHotkey (not unique: 2 windows)");
  EXPECT_EQ(ItemText(copy, 1), "Auto&It (not unique: 2 windows)");
  EXPECT_EQ(ItemText(copy, 2), "&pywinauto (not unique: 2 windows)");
  EXPECT_EQ(ItemText(copy, 3), "&Tarvisk");
  Win32WindowSystem ws;
  const SelectorFacts f = SystemWindowSelectors(ws, FromHwnd(twinEdit));
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, 0x0190, 0);
  EXPECT_EQ(ClipboardUnicodeText(), f.tarvisk);
  SendMessageA(frm->Handle(), WM_SYSCOMMAND, 0x0160, 0);
  EXPECT_EQ(ClipboardUnicodeText(), "Edit1, ahk_class SelectorTwin ahk_exe SelectorFixture.exe");

  HMENU field = CreatePopupMenu();
  frm->Features.AddFieldMenuItems(field, nullptr);
  ASSERT_EQ(GetMenuItemCount(field), 2);  // a separator and the submenu
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(field, 1)), 4);
  SendMessageA(frm->Handle(), WM_COMMAND, frame_ids::kFieldCopySelectorFirst + 1, 0);
  EXPECT_EQ(ClipboardUnicodeText(), f.autoit);
  DestroyMenu(field);

  // Without a target there is nothing to copy.
  frm->InspectWindow(0, true);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(system), 0);
  for (int i = 0; i < GetMenuItemCount(system); ++i) {
    if (GetSubMenu(system, i) == copy) {
      EXPECT_TRUE(GetMenuState(system, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED);
    }
  }
}

}  // namespace
