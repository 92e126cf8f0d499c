// The details of windows in another process, whose values DetailsFixture.exe
// set: read by this process, written by Tarvisk.exe as JSON and as the text
// report's Details section, and shown by the Details window of a main window.
// Under Wine another process's menu and DWM are not to be had: those facts
// must then say so, never show a zero.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "reading/DetailsReader.h"
#include "details/DetailsRows.h"
#include "details/DetailsWindow.h"
#include "fixtures/DetailsFixtureValues.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"
#include "support/Settings.h"
#include "support/Views.h"
#include "support/Wait.h"
#include "ui/Controls.h"

namespace {

using namespace details_fixture;
constexpr int kBits = sizeof(void*) * 8;

std::string Hex(HWND h) {
  char text[16];
  wsprintfA(text, "$%08X", static_cast<unsigned>(FromHwnd(h)));
  return text;
}

// The fixture's windows, found once it has made them all.
struct Fixture {
  ChildProcess process;
  HWND main = nullptr, bar = nullptr, layered = nullptr, region = nullptr, dialog = nullptr;
  bool Start() {
    if (!process.Start(BuildPath("fixtures/DetailsFixture.exe"))) return false;
    return WaitUntil([&] {
      main = FindProcessWindow(process.Id(), nullptr, "Details fixture");
      layered = FindProcessWindow(process.Id(), nullptr, "Details fixture layered");
      region = FindProcessWindow(process.Id(), nullptr, "Details fixture region");
      dialog = FindProcessWindow(process.Id(), nullptr, "Details fixture dialog");
      bar = main ? GetDlgItem(main, kScrollBarId) : nullptr;
      return main && layered && region && dialog && bar;
    }, 10000);
  }
};

// The expected extra words, as the fixture set them.
std::vector<uint64_t> ExtraWords(int size, uint64_t (*word)(int)) {
  std::vector<uint64_t> words;
  for (int offset = 0; offset + static_cast<int>(sizeof(void*)) <= size; offset += sizeof(void*)) {
    words.push_back(word(offset));
  }
  return words;
}

WinRect EllipseBox() {
  HRGN r = CreateEllipticRgn(0, 0, kEllipseRight, kEllipseBottom);
  RECT box = {};
  GetRgnBox(r, &box);
  DeleteObject(r);
  return {box.left, box.top, box.right, box.bottom};
}

class DetailsTest : public MainWindowFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(fixture.Start()); }
  Fixture fixture;
};

TEST_F(DetailsTest, ReadFromAnotherProcessTheyAreWhatTheFixtureSet) {
  const WindowDetails d = ReadWindowDetails(fixture.main);
  ASSERT_TRUE(d.properties.Known());
  std::map<std::string, uint64_t> named;
  std::map<uint32_t, uint64_t> atoms;
  for (const WindowProperty& p : d.properties.value) {
    if (p.isAtom) {
      atoms[p.atom] = p.value;
    } else {
      named[p.name] = p.value;
    }
  }
  EXPECT_EQ(named["TarviskOne"], kPropertyOneValue);
  EXPECT_EQ(named["TarviskTwo"], kPropertyTwoValue);
  EXPECT_EQ(atoms[kAtom], kAtomValue);

  ASSERT_TRUE(d.windowExtra.Known());
  EXPECT_EQ(d.windowExtra.value.size, static_cast<uint32_t>(kWindowExtra));
  EXPECT_EQ(d.windowExtra.value.values, ExtraWords(kWindowExtra, WindowExtraWord));
  ASSERT_TRUE(d.classExtra.Known());
  EXPECT_EQ(d.classExtra.value.values, ExtraWords(kClassExtra, ClassExtraWord));
  EXPECT_EQ(d.userData.value, kUserData);
  EXPECT_EQ(d.dialog.state, FactState::Absent);
  // A menu of another process: under Wine its count is not to be had.
  if (d.menu.Known()) {
    EXPECT_EQ(d.menu.value.items, (std::vector<std::string>{"&File", "", "&Help"}));
  } else {
    EXPECT_EQ(d.menu.state, FactState::NotAvailable);
  }
  EXPECT_EQ(d.thread.id.value, GetWindowThreadProcessId(fixture.main, nullptr));
  EXPECT_EQ(d.root.value, FromHwnd(fixture.main));
  EXPECT_EQ(d.process.bitness.value, static_cast<uint32_t>(kBits));
  EXPECT_EQ(d.layered.state, FactState::Absent);
  EXPECT_EQ(d.region.value.type, RegionType::None);
  EXPECT_TRUE(d.dpi.monitor.Known());
  EXPECT_EQ(d.scroll.control.state, FactState::Absent);

  const WindowDetails bar = ReadWindowDetails(fixture.bar);
  ASSERT_TRUE(bar.scroll.control.Known()) << "the scroll bar control answers its own messages";
  EXPECT_EQ(bar.scroll.control.value.min, kScrollMin);
  EXPECT_EQ(bar.scroll.control.value.max, kScrollMax);
  EXPECT_EQ(bar.scroll.control.value.page, static_cast<uint32_t>(kScrollPage));
  EXPECT_EQ(bar.scroll.control.value.pos, kScrollPos);
  EXPECT_EQ(bar.menu.state, FactState::Absent) << "a child window has no menu bar";
  EXPECT_EQ(bar.root.value, FromHwnd(fixture.main));

  const WindowDetails layered = ReadWindowDetails(fixture.layered);
  ASSERT_TRUE(layered.layered.Known());
  EXPECT_EQ(layered.layered.value.alpha, kAlpha);
  EXPECT_EQ(layered.layered.value.flags, static_cast<uint32_t>(LWA_ALPHA));

  const WindowDetails region = ReadWindowDetails(fixture.region);
  ASSERT_TRUE(region.region.Known());
  EXPECT_EQ(region.region.value.type, RegionType::Complex);
  EXPECT_EQ(region.region.value.box, EllipseBox());

  const WindowDetails dialog = ReadWindowDetails(fixture.dialog);
  ASSERT_TRUE(dialog.dialog.Known());
  EXPECT_EQ(dialog.dialog.value.user, kDialogUser);
  // The dialog's user value is a word of its extra bytes too, as the JSON has it.
  ASSERT_TRUE(dialog.windowExtra.Known());
  ASSERT_GE(dialog.windowExtra.value.values.size(), 3u);
  EXPECT_EQ(dialog.windowExtra.value.values[2], kDialogUser);

  // A window that is gone: every fact not available, none a zero.
  const WindowDetails gone = ReadWindowDetails(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7FFF0)));
  EXPECT_EQ(gone.userData.state, FactState::NotAvailable);
  EXPECT_EQ(gone.process.bitness.state, FactState::NotAvailable);
}

// Tarvisk.exe's JSON and its text report with /details.
std::string RunTarvisk(const std::string& args, const std::string& file) {
  DeleteFileA(file.c_str());
  ChildProcess cli;
  if (!cli.Start("\"" + BuildPath("Tarvisk.exe") + "\" /report \"" + file + "\" " + args)) return "";
  DWORD code = 99;
  if (!cli.WaitExit(20000, &code) || code != 0) return "";
  std::string text = FileContents(file);
  DeleteFileA(file.c_str());
  return text;
}

std::string TempFile(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

TEST_F(DetailsTest, TarviskWritesThemAsJsonAndAsTheTextSection) {
  const std::string file = TempFile("tarvisk-details.json");
  const nlohmann::json main = nlohmann::json::parse(RunTarvisk("/window " + Hex(fixture.main) + " /format json", file));
  const nlohmann::json& d = main["details"];
  std::map<std::string, uint64_t> named;
  uint64_t atomValue = 0;
  for (const auto& p : d["properties"]) {
    if (p.contains("name")) named[p["name"].get<std::string>()] = p["value"].get<uint64_t>();
    if (p.contains("atom") && p["atom"] == kAtom) atomValue = p["value"].get<uint64_t>();
  }
  EXPECT_EQ(named["TarviskOne"], kPropertyOneValue);
  EXPECT_EQ(named["TarviskTwo"], kPropertyTwoValue);
  EXPECT_EQ(atomValue, kAtomValue);
  EXPECT_EQ(d["windowExtra"]["size"], kWindowExtra);
  EXPECT_EQ(d["windowExtra"]["values"].get<std::vector<uint64_t>>(), ExtraWords(kWindowExtra, WindowExtraWord));
  EXPECT_EQ(d["userData"], kUserData);
  EXPECT_TRUE(d["layered"].is_null());
  EXPECT_EQ(d["region"]["type"], "none");
  EXPECT_EQ(d["process"]["bitness"], kBits);
  if (d["menu"].is_null()) {
    EXPECT_NE(std::find(d["notAvailable"].begin(), d["notAvailable"].end(), "menu"), d["notAvailable"].end())
        << "a menu the system does not give is named";
  } else {
    EXPECT_EQ(d["menu"]["items"], (nlohmann::json{"&File", "", "&Help"}));
  }
  // Each null of the object is either named or a fact the window lacks.
  for (auto it = d.begin(); it != d.end(); ++it) {
    if (!it.value().is_null()) continue;
    const bool named = std::find(d["notAvailable"].begin(), d["notAvailable"].end(), it.key()) != d["notAvailable"].end();
    EXPECT_TRUE(named || it.key() == "layered") << it.key();
  }

  const nlohmann::json bar = nlohmann::json::parse(RunTarvisk("/window " + Hex(fixture.bar) + " /format json", file));
  EXPECT_EQ(bar["details"]["scroll"]["control"],
            (nlohmann::json{{"min", kScrollMin}, {"max", kScrollMax}, {"page", kScrollPage}, {"pos", kScrollPos},
                            {"trackPos", kScrollPos}}));
  const nlohmann::json layered =
      nlohmann::json::parse(RunTarvisk("/window " + Hex(fixture.layered) + " /format json", file));
  EXPECT_EQ(layered["details"]["layered"]["alpha"], kAlpha);
  EXPECT_EQ(layered["details"]["layered"]["flags"]["constants"], (nlohmann::json{"LWA_ALPHA"}));
  const nlohmann::json region = nlohmann::json::parse(RunTarvisk("/window " + Hex(fixture.region) + " /format json", file));
  const WinRect box = EllipseBox();
  EXPECT_EQ(region["details"]["region"],
            (nlohmann::json{{"type", "complex"},
                            {"box", {{"left", box.left}, {"top", box.top}, {"right", box.right}, {"bottom", box.bottom}}}}));
  const nlohmann::json dialog = nlohmann::json::parse(RunTarvisk("/window " + Hex(fixture.dialog) + " /format json", file));
  EXPECT_EQ(dialog["details"]["windowExtra"]["values"][2], kDialogUser) << "DWLP_USER";

  // The text report with /details: the section after the Graphic one, in the
  // number format asked for.
  const std::string text = RunTarvisk("/window " + Hex(fixture.main) + " /details /dec", TempFile("tarvisk-details.txt"));
  const size_t graphic = text.find("*** Graphic Information ");
  const size_t section = text.find("*** Details ***");
  ASSERT_NE(section, std::string::npos) << text.substr(0, 300);
  EXPECT_LT(graphic, section);
  EXPECT_LT(section, text.find(std::string(80, '*')));
  const auto row = [](const std::string& name, const std::string& value) {
    return "\r\n" + name + std::string(20 - name.size(), ' ') + value + std::string(60 - value.size(), ' ') + "\r\n";
  };
  EXPECT_NE(text.find(row("TarviskOne", std::to_string(kPropertyOneValue)), section), std::string::npos);
  EXPECT_NE(text.find(row("#" + std::to_string(kAtom), std::to_string(kAtomValue)), section),
            std::string::npos);
  EXPECT_NE(text.find(row("User data", std::to_string(kUserData)), section), std::string::npos);
  EXPECT_NE(text.find(row("Window extra size", "16 bytes"), section), std::string::npos);
  EXPECT_NE(text.find(row("Bitness", std::to_string(kBits) + "-bit"), section), std::string::npos);
  const std::string plain = RunTarvisk("/window " + Hex(fixture.main) + " /dec", TempFile("tarvisk-plain.txt"));
  EXPECT_EQ(plain.find("*** Details"), std::string::npos) << "without /details the report is as it was";
}

// The main window's Details window: its rows, its following the target, the
// display options, Copy and its place kept.
class DetailsWindowTest : public DetailsTest {
 protected:
  HWND DetailsHandle() const { return FindProcessWindow(GetCurrentProcessId(), DetailsWindow::kClassName, nullptr); }
  DetailsWindow* Window() const {
    HWND h = DetailsHandle();
    return h ? reinterpret_cast<DetailsWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA)) : nullptr;
  }
  HWND List() const { return GetDlgItem(DetailsHandle(), IDC_DETAILS_LIST); }
  // The rows as the list gives them to any reader: "name\tvalue", a heading as its title.
  std::vector<std::string> ListRows() const {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) rows.push_back(ListCellText(List(), i, 0) + "\t" + ListCellText(List(), i, 1));
    return rows;
  }
  // The value of the first fact of that name; a heading has none.
  std::string Row(const std::string& name) const {
    for (const std::string& row : ListRows()) {
      if (row.size() > name.size() + 1 && row.compare(0, name.size() + 1, name + "\t") == 0) {
        return row.substr(name.size() + 1);
      }
    }
    return "<no row " + name + ">";
  }
  std::string Title() const {
    wchar_t text[256] = {};
    GetWindowTextW(DetailsHandle(), text, 256);
    return Narrow(text, wcslen(text));
  }
  void OpenDetails() {
    SendMessageA(frm->Handle(), WM_SYSCOMMAND, frame_ids::kSysDetails, 0);
    PumpMessages();
  }
};

TEST_F(DetailsWindowTest, RowsShowWhatTheFixtureSetAndFollowTheTarget) {
  StartMainWindow(true);
  HMENU menu = GetSystemMenu(frm->Handle(), FALSE);
  char text[64] = {};
  GetMenuStringA(menu, frame_ids::kSysDetails, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Details...\tCtrl+D");

  // Closed, it costs an inspection nothing: no details are read.
  const unsigned before = WindowDetailsReads();
  frm->InspectWindow(FromHwnd(fixture.layered), false);
  frm->InspectWindow(FromHwnd(fixture.main), false);
  frm->RefreshInformation();
  EXPECT_EQ(WindowDetailsReads(), before);

  // Ctrl+D while Tarvisk has the focus.
  MSG key = {frm->btnStart, WM_KEYDOWN, 'D', 0, 0, {0, 0}};
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(frm->PreTranslate(key));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  PumpMessages();
  ASSERT_NE(DetailsHandle(), nullptr);
  EXPECT_TRUE(IsWindowVisible(DetailsHandle()));
  char handle[16];
  wsprintfA(handle, "0x%08X", static_cast<unsigned>(FromHwnd(fixture.main)));
  EXPECT_EQ(Title(), std::string("Details - TarviskDetailsFixture ") + handle);

  const DisplayOptions hex = frm->CurrentDisplayOptions();
  ASSERT_EQ(hex.integerFormat, kFormatHexadecimal);
  const std::vector<std::string> rows = ListRows();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], "Properties\t");
  EXPECT_EQ(Row("TarviskOne"), FormatAddress(kPropertyOneValue, kBits, hex));
  EXPECT_EQ(Row("TarviskTwo"), FormatAddress(kPropertyTwoValue, kBits, hex));
  EXPECT_EQ(Row("#" + std::to_string(kAtom)), FormatAddress(kAtomValue, kBits, hex));
  EXPECT_EQ(Row("Window extra size"), "16 bytes");
  EXPECT_EQ(Row("Window +0"), FormatAddress(WindowExtraWord(0), kBits, hex));
  EXPECT_EQ(Row("User data"), FormatAddress(kUserData, kBits, hex));
  EXPECT_EQ(Row("Bitness"), std::to_string(kBits) + "-bit");
  const std::string menuRow = Row("Item 1");
  EXPECT_TRUE(menuRow == "&File" || (menuRow == "<no row Item 1>" && Row("Menu") == kNotAvailableText)) << menuRow;
  for (const char* title : {"Extra bytes", "Scroll bars", "Thread", "Placement and order", "DPI and monitor", "DWM",
                            "Region and layering", "Icons", "Menu", "Process"}) {
    EXPECT_NE(std::find(rows.begin(), rows.end(), std::string(title) + "\t"), rows.end()) << title;
  }

  // It follows the target the pages show, each new one read once.
  const unsigned open = WindowDetailsReads();
  frm->InspectWindow(FromHwnd(fixture.layered), false);
  EXPECT_EQ(WindowDetailsReads(), open + 1);
  EXPECT_EQ(Row("Alpha"), FormatByte(kAlpha, hex));
  EXPECT_EQ(Row("Layered flags"), ApplyConstsCase("LWA_ALPHA", hex));
  frm->InspectWindow(FromHwnd(fixture.bar), false);
  EXPECT_EQ(Row("Control"), "range 0..200, page 20, pos 75, track 75");
  frm->InspectWindow(FromHwnd(fixture.region), false);
  EXPECT_EQ(Row("Region"), "complex");
  EXPECT_EQ(Row("Region box"), RectText(EllipseBox()));
  frm->InspectWindow(FromHwnd(fixture.dialog), false);
  EXPECT_EQ(Row("Dialog user value"), FormatAddress(kDialogUser, kBits, hex));
  EXPECT_EQ(WindowDetailsReads(), open + 4);

  // Another number format redraws the rows from what was read.
  SetRadioGroupIndex(frm->Sheet(kPageOptions), IDC_RGRFORMAT, 3, kFormatDecimal);
  frm->rgrOptionsClick();
  EXPECT_EQ(Row("Dialog user value"), std::to_string(kDialogUser));
  EXPECT_EQ(WindowDetailsReads(), open + 4);

  // Copy all puts every row on the clipboard, Copy the selected ones.
  SendMessageA(DetailsHandle(), WM_COMMAND, MAKEWPARAM(IDC_DETAILS_COPYALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(DetailsHandle(), IDC_DETAILS_COPYALL)));
  std::string all;
  for (const std::string& row : ListRows()) all += (row.back() == '\t' ? row.substr(0, row.size() - 1) : row) + "\r\n";
  EXPECT_EQ(ClipboardUnicodeText(), all);
  LVITEMW item = {};
  item.stateMask = item.state = LVIS_SELECTED;
  SendMessageW(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
  SendMessageA(DetailsHandle(), WM_COMMAND, MAKEWPARAM(IDC_DETAILS_COPY, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(DetailsHandle(), IDC_DETAILS_COPY)));
  EXPECT_EQ(ClipboardUnicodeText(), ListRows()[1] + "\r\n");

  // Closed again, nothing is read.
  SendMessageA(DetailsHandle(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_EQ(DetailsHandle(), nullptr);
  const unsigned closed = WindowDetailsReads();
  frm->InspectWindow(FromHwnd(fixture.main), false);
  EXPECT_EQ(WindowDetailsReads(), closed);
}

TEST_F(DetailsWindowTest, ItsPlaceAndSizeAreKeptAsNewValues) {
  StartMainWindow(true);
  frm->InspectWindow(FromHwnd(fixture.main), false);
  OpenDetails();
  ASSERT_NE(DetailsHandle(), nullptr);
  SetWindowPos(DetailsHandle(), nullptr, 40, 60, 520, 430, SWP_NOZORDER | SWP_NOACTIVATE);
  // Closing Tarvisk closes it and keeps its place.
  DestroyWindow(frm->Handle());
  PumpMessages();
  EXPECT_EQ(DetailsHandle(), nullptr);
  EXPECT_EQ(TarviskSetting("DetailsLeft"), "40");
  EXPECT_EQ(TarviskSetting("DetailsTop"), "60");
  EXPECT_EQ(TarviskSetting("DetailsWidth"), "520");
  EXPECT_EQ(TarviskSetting("DetailsHeight"), "430");

  frm = std::make_unique<TfrmTarvisk>();
  ASSERT_TRUE(frm->Create());
  frm->HideNag = true;
  frm->Show();
  if (frm->Probing()) frm->btnStartClick();
  frm->InspectWindow(FromHwnd(fixture.main), false);
  OpenDetails();
  RECT r = {};
  GetWindowRect(DetailsHandle(), &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 430);
}

// A window whose thread stops answering, in this process.
struct HungWindow {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND hwnd = nullptr;
  HANDLE thread = nullptr;
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<HungWindow*>(p);
    self->hwnd = CreateWindowExA(0, "STATIC", "hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetEvent(self->ready);
    WaitForSingleObject(self->release, INFINITE);
    DestroyWindow(self->hwnd);
    return 0;
  }
  HungWindow() {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready, 5000);
  }
  ~HungWindow() {
    SetEvent(release);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(release);
    CloseHandle(ready);
  }
};

TEST_F(DetailsWindowTest, AHungTargetDoesNotHangTheDetailsWindow) {
  StartMainWindow(true);
  frm->InspectWindow(FromHwnd(fixture.main), false);
  OpenDetails();
  ASSERT_NE(DetailsHandle(), nullptr);
  HungWindow hung;
  ASSERT_NE(hung.hwnd, nullptr);
  const DWORD start = GetTickCount();
  frm->InspectWindow(FromHwnd(hung.hwnd), false);
  EXPECT_LT(GetTickCount() - start, 1000u);
  // The icons were asked for and did not come; what needs no answer did.
  EXPECT_EQ(Row("Big icon"), kNotAvailableText);
  EXPECT_EQ(Row("System small icon"), kNotAvailableText);
  EXPECT_EQ(Row("Root"), FormatInteger(FromHwnd(hung.hwnd), frm->CurrentDisplayOptions()));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(frm->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  EXPECT_TRUE(SendMessageTimeoutA(DetailsHandle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
}

}  // namespace
