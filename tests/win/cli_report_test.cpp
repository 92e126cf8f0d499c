// The command line's reports against real windows: in this process side by
// side with the main window's pages, and through Tarvisk.exe itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliMain.h"
#include "platform/Win32WindowSystem.h"
#include "report/Report.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Files.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

// Line by line, so that a difference names its line.
void ExpectSameReport(const std::string& gui, const std::string& cli, const std::string& what) {
  const std::vector<std::string> a = ReportLines(gui), b = ReportLines(cli);
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) {
      ADD_FAILURE() << what << ", line " << i + 1 << ":\n  pages: " << a[i] << "\n  cli:   " << b[i];
      return;
    }
  }
  EXPECT_EQ(a.size(), b.size()) << what;
}

std::string Hex(HWND h) {
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(FromHwnd(h)));
  return text;
}

void SetSetting(const char* name, const char* value) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane\\Tarvisk", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
  RegCloseKey(key);
}

LRESULT CALLBACK FixtureProc(HWND h, UINT msg, WPARAM w, LPARAM l) { return DefWindowProcA(h, msg, w, l); }

// A frame with an edit and a button, and a pop-up it owns; the main window
// stands beside them (it is always on top and covers 314..750 at design).
class CliReportTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    ResetTarviskSettings();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FixtureProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CliFixtureFrame";
    wc.style = CS_DBLCLKS;
    RegisterClassA(&wc);
    frame = CreateWindowExA(0, "CliFixtureFrame", "CLI fixture caf\xE9", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 800, 120,
                            400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    edit = CreateWindowExA(0, "EDIT", "fixture edit", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 100, frame,
                           reinterpret_cast<HMENU>(7), nullptr, nullptr);
    button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 250, 10, 80, 30, frame,
                             reinterpret_cast<HMENU>(8), nullptr, nullptr);
    popup = CreateWindowExA(0, "CliFixtureFrame", "owned", WS_POPUP, 0, 0, 50, 50, frame, nullptr, nullptr, nullptr);
    ASSERT_TRUE(frame && edit && button && popup);
    // Painted, and through to the screen, before anyone reads a pixel there.
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(InEdit()) == RGB(255, 255, 255); }, 5000));
  }
  static COLORREF ScreenPixel(POINT p) {
    HDC dc = GetDC(GetDesktopWindow());
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(GetDesktopWindow(), dc);
    return c;
  }
  void TearDown() override {
    if (popup) DestroyWindow(popup);
    if (frame) DestroyWindow(frame);
    MainWindowFixture::TearDown();
    UnregisterClassA("CliFixtureFrame", GetModuleHandleA(nullptr));
  }

  // The main window inspects `target` with the cursor (the probe point) at
  // `point`, as probing there would have it once the cursor rests. The
  // Digger is read again only once the point moves, so it is made to.
  void ShowInPages(HWND target, POINT point) {
    PumpMessages();
    frm->Inspected.Reading().SetPoint({point.x, point.y});
    frm->Inspected.Reading().MarkStale(TargetPart::Digger);
    frm->InspectWindow(FromHwnd(target), true);
    // The Graphics page reads the pixel only once input has rested.
    ASSERT_TRUE(WaitUntil([&] {
      frm->CaptureScreen(FromHwnd(target));
      return !frm->Graphics.RedrawPending();
    }));
  }

  CliOutcome RunCli(std::vector<std::string> args, POINT cursor) {
    CliParse p = ParseCliArguments(args);
    EXPECT_TRUE(p.ok) << p.error;
    CliEnvironment env = SystemCliEnvironment(ws);
    env.cursor = {cursor.x, cursor.y};
    return RunCliRequest(p.request, env);
  }

  POINT InEdit() const {
    POINT p = {50, 40};
    ClientToScreen(edit, &p);
    return p;
  }

  Win32WindowSystem ws;
  HWND frame = nullptr, edit = nullptr, button = nullptr, popup = nullptr;
};

TEST_F(CliReportTest, TextEqualsWhatSaveWritesForEachSelector) {
  StartMainWindow(true);
  // Options away from the defaults, stored as the program stores them: both
  // sides read them from there.
  SetSetting("IntegerFormat", "1");
  SetSetting("ConstsFormat", "1");
  SetSetting("SortMode", "2");
  SetSetting("Inverted", "1");
  SetSetting("ShowSubchildren", "1");
  frm->LoadSettings();
  ASSERT_EQ(frm->IntegerFormat(), kFormatDecimal);

  const POINT at = InEdit();
  struct Case {
    std::vector<std::string> args;
    HWND target;
  };
  const Case cases[] = {
      {{"/report", "/window", Hex(frame)}, frame},
      {{"/report", "/point", std::to_string(at.x) + "," + std::to_string(at.y)}, edit},
      {{"/report", "/find", "clifixture,FIXTURE CAF\xC9"}, frame},
      {{"/report", "/window", std::to_string(FromHwnd(popup))}, popup},
      {{"/report"}, edit},  // the window under the cursor
  };
  for (const Case& c : cases) {
    ShowInPages(c.target, at);
    const std::string saved = ReportText(frm->GatherReport());
    const CliOutcome o = RunCli(c.args, at);
    ASSERT_EQ(o.status, kCliOk) << c.args.back() << ": " << o.error;
    ExpectSameReport(saved, o.output, c.args.back());
  }

  // A number format of the command line's own; the pages in that format agree.
  SetRadioGroupIndex(frm->Sheet(kPageOptions), IDC_RGRFORMAT, 3, kFormatBinary);
  frm->rgrOptionsClick();
  ShowInPages(frame, at);
  ExpectSameReport(ReportText(frm->GatherReport()), RunCli({"/report", "/window", Hex(frame), "/bin"}, at).output,
                   "/bin");

  // Whichever window is in the foreground: the main window, as a rule, whose
  // Graphics fields list among its children and change with the inspection,
  // so it is inspected twice for them to settle.
  const HWND foreground = GetForegroundWindow();
  ASSERT_NE(foreground, nullptr);
  ShowInPages(foreground, at);
  ShowInPages(foreground, at);
  ExpectSameReport(ReportText(frm->GatherReport()), RunCli({"/report", "/foreground", "/bin"}, at).output,
                   "/foreground");
}

TEST_F(CliReportTest, JsonDescribesWhatThePagesShowAndSaveWritesIt) {
  StartMainWindow(true);
  const POINT at = InEdit();
  ShowInPages(frame, at);
  const ReportInput pages = frm->GatherReport();
  const CliOutcome o = RunCli({"/report", "/window", Hex(frame), "/format", "json"}, at);
  ASSERT_EQ(o.status, kCliOk) << o.error;
  const nlohmann::json j = nlohmann::json::parse(o.output);
  EXPECT_EQ(frm->JsonReport(), o.output) << "Save writes the JSON the command line writes";

  // Each number of the JSON, in the pages' format, is what the page shows.
  const DisplayOptions opts = frm->CurrentDisplayOptions();
  const auto& w = j["window"];
  EXPECT_EQ(FormatInteger(w["handle"].get<uint32_t>(), opts), pages.window.handle);
  EXPECT_EQ(FormatInteger(w["processId"].get<uint32_t>(), opts), pages.window.process);
  EXPECT_EQ(FormatAddress(w["instance"].get<uint64_t>(), j["addressBits"].get<int>(), opts), pages.window.instance);
  EXPECT_EQ(FormatAddress(w["function"].get<uint64_t>(), j["addressBits"].get<int>(), opts), pages.window.function);
  EXPECT_EQ(FormatInteger(w["style"]["value"].get<uint32_t>(), opts), pages.window.style);
  EXPECT_EQ(FormatInteger(w["exStyle"]["value"].get<uint32_t>(), opts), pages.window.exStyle);
  EXPECT_EQ(w["text"], "CLI fixture caf\xC3\xA9");
  const auto& r = w["screenCoords"];
  const WinRect screen{r["left"].get<int32_t>(), r["top"].get<int32_t>(), r["right"].get<int32_t>(),
                       r["bottom"].get<int32_t>()};
  EXPECT_EQ(RectText(screen), pages.window.screenCoords);
  std::string memo;
  for (const auto& name : w["style"]["constants"]) memo += (memo.empty() ? "" : "\xA0| ") + name.get<std::string>();
  for (const auto& name : w["exStyle"]["constants"]) memo += "\xA0| " + name.get<std::string>();
  EXPECT_EQ(ApplyConstsCase(memo, opts), pages.window.styleMemo);
  EXPECT_EQ(j["class"]["name"], pages.windowClass.name);
  EXPECT_EQ(FormatInteger(j["class"]["style"]["value"].get<uint32_t>(), opts), pages.windowClass.style);
  ASSERT_EQ(j["children"].size(), pages.children.size());
  for (size_t i = 0; i < pages.children.size(); ++i) {
    EXPECT_EQ(FormatInteger(j["children"][i]["handle"].get<uint32_t>(), opts), pages.children[i].handle);
    EXPECT_EQ(j["children"][i]["text"], pages.children[i].text);
  }
  ASSERT_EQ(j["digger"].size(), pages.digger.size());
  ASSERT_EQ(j["modules"].size(), pages.modules.size());
  for (size_t i = 0; i < pages.modules.size(); ++i) EXPECT_EQ(j["modules"][i]["file"], pages.modules[i].file);
  EXPECT_EQ(j["executable"]["name"], pages.executable.exeName);
  EXPECT_EQ(j["graphic"]["screen"]["x"], at.x);

  // Save as JSON: the same document, through the same temporary-file path.
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string file = std::string(dir) + "tarvisk-cli-report.json";
  DeleteFileA(file.c_str());
  frm->SaveDialogHook = [&](std::string& name) {
    name = file;
    frm->ReportFileType = kReportFileJson;
    return true;
  };
  frm->btnSaveClick();
  const std::string saved = FileContents(file);
  DeleteFileA(file.c_str());
  EXPECT_EQ(nlohmann::json::parse(saved), j);
}

// A window whose thread has stopped taking messages, in this process; the
// report comes from Tarvisk.exe, for which it is another program's window.
class HungWindow {
 public:
  HungWindow() {
    m_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(m_ready, 10000);
  }
  ~HungWindow() {
    SetEvent(m_release);
    WaitForSingleObject(m_thread, 10000);
    for (HANDLE h : {m_thread, m_ready, m_release}) CloseHandle(h);
  }
  HWND Window() const { return m_window; }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* me = static_cast<HungWindow*>(self);
    me->m_window = CreateWindowExA(0, "STATIC", "hung", WS_POPUP | WS_VISIBLE, 20, 700, 120, 40, nullptr, nullptr,
                                   nullptr, nullptr);
    SetEvent(me->m_ready);
    WaitForSingleObject(me->m_release, 60000);  // hangs: no message is taken meanwhile
    DestroyWindow(me->m_window);
    return 0;
  }
  HANDLE m_release = nullptr, m_ready = nullptr, m_thread = nullptr;
  HWND m_window = nullptr;
};

TEST(CliExe, ReportsAHungWindowWithinTheTimeOuts) {
  HungWindow hung;
  ASSERT_NE(hung.Window(), nullptr);
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string file = std::string(dir) + "tarvisk-cli-hung.txt";
  DeleteFileA(file.c_str());
  ChildProcess cli;
  const DWORD start = GetTickCount();
  ASSERT_TRUE(cli.Start("\"" + BuildPath("Tarvisk.exe") + "\" /report \"" + file + "\" /window " + Hex(hung.Window())));
  DWORD code = 99;
  ASSERT_TRUE(cli.WaitExit(15000, &code));
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(code, 0u);
  EXPECT_LT(took, 5000u);
  const std::string report = FileContents(file);
  DeleteFileA(file.c_str());
  EXPECT_NE(report.find("Name                Static"), std::string::npos) << report.substr(0, 400);
  // The hung window's text did not come; everything else did.
  EXPECT_NE(report.find("Text                " + std::string(60, ' ')), std::string::npos);
}

TEST(CliExe, StatusesAndNoSettingsWritten) {
  ResetTarviskSettings();
  DeleteRegistryTree(HKEY_CURRENT_USER, "SOFTWARE\\Norvane");
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string exe = "\"" + BuildPath("Tarvisk.exe") + "\"";
  struct Case {
    std::string args;
    DWORD status;
  };
  const Case cases[] = {
      {"/report \"" + std::string(dir) + "tarvisk-cli-status.txt\" /window " + Hex(GetDesktopWindow()), 0},
      {"/report - /find NoSuchClassAnywhere", 2},
      {"/report - /window 12g", 1},
      {"/report \"" + std::string(dir) + "no such folder\\r.txt\" /window " + Hex(GetDesktopWindow()), 1},
      {"/list /hex", 1},
      {"/children 0", 2},
  };
  for (const Case& c : cases) {
    ChildProcess cli;
    ASSERT_TRUE(cli.Start(exe + " " + c.args));
    DWORD code = 99;
    ASSERT_TRUE(cli.WaitExit(15000, &code)) << c.args;
    EXPECT_EQ(code, c.status) << c.args;
    EXPECT_EQ(FindProcessWindow(cli.Id(), nullptr, nullptr), nullptr) << "no window: " << c.args;
  }
  DeleteFileA((std::string(dir) + "tarvisk-cli-status.txt").c_str());
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Norvane", 0, KEY_READ, &key), ERROR_SUCCESS)
      << "the command line wrote settings";
}

}  // namespace
