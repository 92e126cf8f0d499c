// Every window of Tarvisk at every density: laid out by a change of DPI as
// if started at the new one, its texts fitting their controls, no controls on
// top of one another or outside their parents, and every menu and window with
// no mnemonic used twice. The windows are a table of how to open each one; a
// new window joins every check with one row.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "app/Nag.h"
#include "inspect/InfoPages.h"
#include "msglog/FilterDialog.h"
#include "msglog/LogFilter.h"
#include "platform/SystemDlls.h"
#include "relations/FindWindowDialog.h"
#include "support/Settings.h"
#include "support/Wait.h"

namespace {

constexpr UINT kSysMessageLog = 0x0110;
constexpr const char* kLayoutFileVariable = "TARVISK_DPI_LAYOUT_FILE";

// How to open one window of Tarvisk from the main window (null: the main
// window itself). Opening may run a modal loop: the window is then examined
// from inside it.
struct TarviskWindow {
  const char* name;
  // Its labels and buttons have mnemonics of their own; the main window's
  // frame and pages keep the texts they always had.
  bool ownMnemonics;
  std::function<void(TfrmTarvisk&)> open;
};

std::function<void(TfrmTarvisk&)> SysCommand(UINT id) {
  return [id](TfrmTarvisk& frm) { SendMessageA(frm.Handle(), WM_SYSCOMMAND, id, 0); };
}

const std::vector<TarviskWindow>& Windows() {
  static const std::vector<TarviskWindow> windows = {
      {"main window", false, nullptr},
      {"Details", true, SysCommand(frame_ids::kSysDetails)},
      {"style editor", true, SysCommand(frame_ids::kSysEditStyles)},
      {"Send message", true, SysCommand(frame_ids::kSysSendMessage)},
      {"message log", true, SysCommand(kSysMessageLog)},
      {"Events", true, SysCommand(frame_ids::kSysEvents)},
      {"Processes", true, SysCommand(frame_ids::kSysProcesses)},
      {"Find Window", true,
       [](TfrmTarvisk& frm) {
         TfrmFindWindow find;
         FindRequest request;
         if (find.Create(frm.Handle())) find.ShowModal(request);
       }},
      {"message filter", true,
       [](TfrmTarvisk& frm) {
         msglog::LogFilter f;
         RunFilterDialog(frm.Handle(), f);
       }},
      {"reminder", true, [](TfrmTarvisk& frm) { TfrmNag::Run(frm.Handle()); }},
  };
  return windows;
}

// The windows this thread makes get the awareness the manifest gives
// Tarvisk.exe (per-monitor; Wine takes the first version of it), which the
// test program has no manifest for.
struct PerMonitorThread {
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  SetContext set = SystemFunction<SetContext>("user32.dll", "SetThreadDpiAwarenessContext");
  HANDLE old = set ? set(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3))) : nullptr;
  ~PerMonitorThread() {
    if (old) set(old);
  }
};

// ---------------------------------------------------------------------------
// Opening a window and examining it, modal or not

BOOL CALLBACK AddToSet(HWND h, LPARAM p) {
  reinterpret_cast<std::set<HWND>*>(p)->insert(h);
  return TRUE;
}

std::set<HWND> ThreadWindows() {
  std::set<HWND> out;
  EnumThreadWindows(GetCurrentThreadId(), AddToSet, reinterpret_cast<LPARAM>(&out));
  return out;
}

struct Examination {
  std::set<HWND> before;
  std::function<void(HWND)> examine;
  bool busy = false, done = false;
};
Examination* g_examination = nullptr;

void CALLBACK ExamineOnTimer(HWND, UINT, UINT_PTR, DWORD) {
  Examination* e = g_examination;
  if (!e || e->busy || e->done) return;
  for (HWND h : ThreadWindows()) {
    if (e->before.count(h) || !IsWindowVisible(h) || !(GetWindowLongA(h, GWL_STYLE) & WS_CAPTION)) continue;
    e->busy = true;
    e->examine(h);
    e->done = true;
    SendMessageA(h, WM_CLOSE, 0, 0);
    e->busy = false;
    return;
  }
}

// Opens `window` and runs `examine` on it from a timer, which a modal loop
// dispatches as the test's own loop does; the window is closed after.
bool WithWindow(TfrmTarvisk& frm, const TarviskWindow& window, const std::function<void(HWND)>& examine) {
  if (!window.open) {
    examine(frm.Handle());
    return true;
  }
  Examination e{ThreadWindows(), examine};
  g_examination = &e;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, ExamineOnTimer);
  window.open(frm);
  const bool examined = WaitUntil([&] { return e.done; });
  KillTimer(nullptr, timer);
  g_examination = nullptr;
  PumpMessages();
  return examined;
}

// The main window as a test starts it: every page made and shown once, and
// a window of this process on display for the windows that act on a target.
std::unique_ptr<TfrmTarvisk> StartTarvisk() {
  ResetTarviskSettings();
  auto frm = std::make_unique<TfrmTarvisk>();
  if (!frm->Create()) return nullptr;
  frm->HideNag = true;
  frm->Show();
  if (frm->Probing()) frm->btnStartClick();
  for (int page = 0; page < kPageCount; ++page) {
    SendMessageA(frm->pgcMain.Handle(), TCM_SETCURSEL, page, 0);
    NMHDR hdr = {frm->pgcMain.Handle(), IDC_PGCMAIN, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(frm->Handle(), WM_NOTIFY, IDC_PGCMAIN, reinterpret_cast<LPARAM>(&hdr));
  }
  frm->InspectWindow(static_cast<Hwnd>(reinterpret_cast<UINT_PTR>(frm->stbMain)), true);
  PumpMessages();
  return frm;
}

void StopTarvisk(std::unique_ptr<TfrmTarvisk>& frm) {
  if (frm && IsWindow(frm->Handle())) DestroyWindow(frm->Handle());
  frm.reset();
  PumpMessages();
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ResetTarviskSettings();
}

// ---------------------------------------------------------------------------
// Layouts

std::string ClassOf(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

std::wstring TextOf(HWND h) {
  wchar_t text[512] = {};
  GetWindowTextW(h, text, 512);
  return text;
}

int FontHeightOf(HWND h) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
  LOGFONTW lf = {};
  return font && GetObjectW(font, sizeof lf, &lf) ? std::abs(lf.lfHeight) : 0;
}

BOOL CALLBACK AddToList(HWND h, LPARAM p) {
  reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> out;
  EnumChildWindows(top, AddToList, reinterpret_cast<LPARAM>(&out));
  return out;
}

// Every control's rectangle in the window's client coordinates and its font
// height, one line each, in creation order; the client size first.
std::vector<std::string> LayoutOf(HWND top) {
  std::vector<std::string> lines;
  RECT client = {};
  GetClientRect(top, &client);
  lines.push_back("client 0 0 " + std::to_string(client.right) + " " + std::to_string(client.bottom) + " 0");
  int index = 0;
  for (HWND h : Descendants(top)) {
    // A list's header is the list's own part, as wide as its columns: those
    // are the user's widths and keep their share of the list.
    // A combo box's edit is placed by the combo box from the system's metrics,
    // which Wine sets once per process, at its start.
    const std::string parent = ClassOf(GetParent(h));
    if (ClassOf(h) == "SysHeader32" || parent == "ComboBox") continue;
    RECT r = {};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    std::ostringstream line;
    line << ClassOf(h) << "#" << GetDlgCtrlID(h) << "#" << index++ << " " << r.left << " " << r.top << " " << r.right
         << " " << r.bottom << " " << FontHeightOf(h);
    lines.push_back(line.str());
  }
  return lines;
}

struct Placed {
  std::string key;
  int edge[4] = {};  // left, top, right, bottom
  int font = 0;
};

Placed Parse(const std::string& line) {
  std::istringstream in(line);
  Placed p;
  in >> p.key >> p.edge[0] >> p.edge[1] >> p.edge[2] >> p.edge[3] >> p.font;
  return p;
}

// The differences of two layouts beyond a pixel. A status bar's height is
// the system's: its font's and the system's metrics, which Wine sets once per
// process for the density it starts at. The bar and what the window lays out
// down to its top are compared by the other edges, and bottoms less that
// difference.
std::vector<std::string> LayoutDifferences(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  std::vector<std::string> out;
  if (got.size() != want.size()) {
    out.push_back(std::to_string(got.size()) + " controls, not " + std::to_string(want.size()));
    return out;
  }
  int barTop = -1, barGrowth = 0;
  for (size_t i = 0; i < got.size(); ++i) {
    const Placed g = Parse(got[i]), w = Parse(want[i]);
    if (g.key.rfind(STATUSCLASSNAMEA, 0) == 0) {
      barTop = g.edge[1];
      barGrowth = (w.edge[3] - w.edge[1]) - (g.edge[3] - g.edge[1]);
    }
  }
  for (size_t i = 0; i < got.size(); ++i) {
    Placed g = Parse(got[i]);
    const Placed w = Parse(want[i]);
    if (g.edge[1] == barTop && g.key.rfind(STATUSCLASSNAMEA, 0) == 0)
      g.edge[1] -= barGrowth;
    else if (g.edge[3] == barTop)
      g.edge[3] -= barGrowth;
    bool same = g.key == w.key && g.font == w.font;
    for (int k = 0; k < 4; ++k) same = same && std::abs(g.edge[k] - w.edge[k]) <= 1;
    if (!same) out.push_back(got[i] + "  instead of  " + want[i]);
  }
  return out;
}

// A window the user sizes is made at a size from its settings, which Wine
// gives a frame of the density the process started at: there the client area
// of a start at another density is smaller by the frame's growth, which no
// change of density can give. The moved window is given that client area,
// as a user would, and must then lay itself out the same.
void TakeClientSize(HWND top, const std::string& clientLine, bool checkGrowth = true) {
  std::istringstream in(clientLine);
  std::string key;
  int left = 0, topEdge = 0, width = 0, height = 0;
  in >> key >> left >> topEdge >> width >> height;
  RECT client = {}, outer = {};
  GetClientRect(top, &client);
  GetWindowRect(top, &outer);
  if (checkGrowth) {
    EXPECT_TRUE(std::abs(client.right - width) <= 4 && std::abs(client.bottom - height) <= 30);
  }
  SetWindowPos(top, nullptr, 0, 0, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages();
}

// What Windows does when the window's monitor changes density: asks the
// window the size it wants, then tells it the new DPI with that rectangle.
void ChangeDpi(HWND top, int dpi) {
  RECT r = {};
  GetWindowRect(top, &r);
  SIZE size = {r.right - r.left, r.bottom - r.top};
  SendMessageA(top, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, reinterpret_cast<LPARAM>(&size));
  RECT suggested = {r.left, r.top, r.left + size.cx, r.top + size.cy};
  SendMessageA(top, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
}

// ---------------------------------------------------------------------------
// What every window must be at every density

bool Visible(HWND h) {
  return (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The size the control's text needs in its own font, on one line or wrapped.
SIZE TextNeeds(HWND h, int wrapWidth) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(h);
  RECT r = {0, 0, wrapWidth, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return {r.right - r.left, r.bottom - r.top};
}

std::string Named(HWND h, const RECT& r) {
  return ClassOf(h) + " " + std::to_string(GetDlgCtrlID(h)) + " (" + std::to_string(r.left) + "," +
         std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The test display is 1280 by 1024: a window made larger than that (at 192
// dpi the main window is taller, the Events and Processes windows wider) is
// cut to the screen by the system, and not examined.
bool FitsTheScreen(HWND top) {
  RECT outer = {};
  GetWindowRect(top, &outer);
  return outer.bottom - outer.top < GetSystemMetrics(SM_CYSCREEN) &&
         outer.right - outer.left < GetSystemMetrics(SM_CXSCREEN);
}

bool Holder(HWND h) {
  return (ClassOf(h) == "Button" && (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) ||
         ClassOf(h) == "SysTabControl32";
}

std::vector<std::string> FaultsOf(HWND top) {
  std::vector<std::string> faults;
  if (!FitsTheScreen(top)) return faults;
  std::map<HWND, std::vector<std::pair<HWND, RECT>>> siblings;
  for (HWND h : Descendants(top)) {
    if (!Visible(h)) continue;
    const std::string cls = ClassOf(h);
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    RECT r = {};
    GetWindowRect(h, &r);
    HWND parent = GetParent(h);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const std::string name = Named(h, r);
    RECT client = {};
    GetClientRect(parent, &client);
    if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
      faults.push_back(name + " stands outside its parent");
    }
    siblings[parent].push_back({h, r});
    if (TextOf(h).empty()) continue;
    const int width = r.right - r.left, height = r.bottom - r.top;
    const LONG type = style & SS_TYPEMASK;
    if (cls == "Static" && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)) {
      if (TextNeeds(h, width).cy > height) faults.push_back(name + " has more lines than room");
    } else if (cls == "Static" || cls == "Button") {
      const LONG kind = style & BS_TYPEMASK;
      const bool check = cls == "Button" && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX;
      const int beside = cls == "Static"       ? 0
                         : kind == BS_GROUPBOX ? 16
                         : check               ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                                               : 6;
      if (TextNeeds(h, 0).cx + beside > width) faults.push_back(name + " is narrower than its text");
    }
  }
  for (const auto& [parent, list] : siblings) {
    for (size_t i = 0; i < list.size(); ++i) {
      for (size_t j = i + 1; j < list.size(); ++j) {
        RECT both;
        if (!IntersectRect(&both, &list[i].second, &list[j].second)) continue;
        // The Graphics page's rulers meet at their corner pixel.
        if (both.right - both.left == 1 && both.bottom - both.top == 1) continue;
        // A group box holds its items, a tab control its sheets.
        RECT u;
        UnionRect(&u, &list[i].second, &list[j].second);
        const bool held = (Holder(list[i].first) && EqualRect(&u, &list[i].second)) ||
                          (Holder(list[j].first) && EqualRect(&u, &list[j].second));
        if (!held)
          faults.push_back(Named(list[i].first, list[i].second) + " and " + Named(list[j].first, list[j].second) +
                           " overlap");
      }
    }
  }
  return faults;
}

int SystemDpiNow() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

// ---------------------------------------------------------------------------
// Mnemonics

wchar_t MnemonicOf(const std::wstring& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return static_cast<wchar_t>(towupper(text[i + 1]));
    ++i;
  }
  return 0;
}

void CheckMenu(HMENU menu, const std::string& where, std::vector<std::string>& faults) {
  std::map<wchar_t, std::wstring> used;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(menu, i)) CheckMenu(sub, where + " > item " + std::to_string(i), faults);
    const wchar_t key = MnemonicOf(text);
    if (!key) continue;
    if (used.count(key)) faults.push_back(where + ": letter '" + static_cast<char>(key) + "' twice");
    used[key] = text;
  }
}

void CheckWindowMnemonics(HWND top, const std::string& where, std::vector<std::string>& faults) {
  std::set<wchar_t> used;
  for (HWND h : Descendants(top)) {
    const std::string cls = ClassOf(h);
    if (cls != "Button" && cls != "Static") continue;
    if (cls == "Static" && (GetWindowLongA(h, GWL_STYLE) & SS_NOPREFIX)) continue;
    const wchar_t key = MnemonicOf(TextOf(h));
    if (key && !used.insert(key).second) faults.push_back(where + ": letter '" + static_cast<char>(key) + "' twice");
  }
}

// The menu open in this thread, examined from a timer while its loop runs.
std::vector<std::string>* g_menuFaults = nullptr;
void CALLBACK ExamineOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowA("#32768", nullptr);
  if (!popup || !g_menuFaults) return;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
  if (menu) CheckMenu(menu, "field menu", *g_menuFaults);
  g_menuFaults = nullptr;
  EndMenu();
}

// ---------------------------------------------------------------------------
// Layouts of a start at another density, written by a second run of these
// tests with the display at that density.

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The density Wine gives programs started while it is set; the one before
// after.
struct LogPixels {
  HKEY key = nullptr;
  DWORD old = 0, size = sizeof old;
  bool had = RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             nullptr) == ERROR_SUCCESS &&
             RegQueryValueExA(key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size) == 0;
  explicit LogPixels(DWORD dpi) { RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi), 4); }
  ~LogPixels() {
    if (had) RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&old), 4);
    if (!had) RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
  }
};

using Layouts = std::map<std::string, std::vector<std::string>>;

// Starts these tests again at `dpi`, which write each window's layout and the
// faults they find there. Empty on failure, with the reason in `error`.
Layouts StartedAt(int dpi, std::string& error) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "tarvisk-dpi-" + std::to_string(dpi) + ".txt";
  DeleteFileA(file.c_str());
  {
    LogPixels pixels(dpi);
    SetEnvironmentVariableA(kLayoutFileVariable, file.c_str());
    ChildProcess child;
    DWORD code = 1;
    const bool ran =
        child.Start("\"" + ThisProgram() + "\" --gtest_filter=DpiStartedAt.*") && child.WaitExit(90000, &code);
    SetEnvironmentVariableA(kLayoutFileVariable, nullptr);
    if (!ran || code != 0)
      error = "the run at " + std::to_string(dpi) + " dpi failed (exit " + std::to_string(code) + ")";
  }
  Layouts layouts;
  std::ifstream in(file);
  std::string line, window;
  while (std::getline(in, line)) {
    if (line.rfind("window ", 0) == 0)
      window = line.substr(7);
    else
      layouts[window].push_back(line);
  }
  DeleteFileA(file.c_str());
  return layouts;
}

}  // namespace

// Not a test of its own: the run StartedAt makes, at the density it set.
TEST(DpiStartedAt, WritesEveryWindowsLayout) {
  const char* file = std::getenv(kLayoutFileVariable);
  if (!file) GTEST_SKIP() << "run by the DPI tests at another density";
  std::ofstream out(file);
  PerMonitorThread aware;
  auto frm = StartTarvisk();
  ASSERT_TRUE(frm);
  for (const TarviskWindow& window : Windows()) {
    EXPECT_TRUE(WithWindow(*frm, window, [&](HWND top) {
      if (!FitsTheScreen(top)) return;
      out << "window " << window.name << "\n";
      for (const std::string& line : LayoutOf(top)) out << line << "\n";
      for (const std::string& fault : FaultsOf(top)) ADD_FAILURE() << window.name << ": " << fault;
    })) << window.name;
  }
  StopTarvisk(frm);
}

// Started at 96 dpi, each window is told the densities a move between
// monitors would give it, and lands within a pixel of the same window started
// at that density; back at 96 it is what it was. The started runs check the
// texts, overlaps and bounds at their densities, this one at 96.
TEST(DpiFollow, EveryWindowLaysItselfOutAsIfStartedAtTheNewDensity) {
  if (SystemDpiNow() != 96) GTEST_SKIP() << "run at 96 dpi";
  const int densities[] = {144, 120, 192};
  std::map<int, Layouts> started;
  for (int dpi : densities) {
    std::string error;
    started[dpi] = StartedAt(dpi, error);
    ASSERT_TRUE(error.empty()) << error;
  }
  PerMonitorThread aware;
  auto frm = StartTarvisk();
  ASSERT_TRUE(frm);
  for (const TarviskWindow& window : Windows()) {
    EXPECT_TRUE(WithWindow(*frm, window, [&](HWND top) {
      for (const std::string& fault : FaultsOf(top)) ADD_FAILURE() << window.name << " at 96: " << fault;
      const std::vector<std::string> at96 = LayoutOf(top);
      for (int dpi : densities) {
        ChangeDpi(top, dpi);
        if (!started[dpi].count(window.name)) continue;  // taller than the screen there
        const std::vector<std::string>& want = started[dpi][window.name];
        if (GetWindowLongA(top, GWL_STYLE) & WS_THICKFRAME) TakeClientSize(top, want.front());
        for (const std::string& d : LayoutDifferences(LayoutOf(top), want)) {
          ADD_FAILURE() << window.name << " moved to " << dpi << " dpi: " << d;
        }
      }
      ChangeDpi(top, 96);
      if (GetWindowLongA(top, GWL_STYLE) & WS_THICKFRAME)
        TakeClientSize(top, at96.front(), false);  // cut to the screen at 192
      for (const std::string& d : LayoutDifferences(LayoutOf(top), at96)) {
        ADD_FAILURE() << window.name << " back at 96 dpi: " << d;
      }
    })) << window.name;
  }
  StopTarvisk(frm);
}

// Alt and a letter, or Alt+Space and a letter, does what the item says: the
// system menu (the system's items included), the fields' menu, and the
// labels and buttons of every window beyond the main window's frame and pages.
TEST(DpiFollow, NoMnemonicIsUsedTwiceInAnyMenuOrWindow) {
  auto frm = StartTarvisk();
  ASSERT_TRUE(frm);
  std::vector<std::string> faults;
  HMENU system = GetSystemMenu(frm->Handle(), FALSE);
  SendMessageA(frm->Handle(), WM_INITMENU, reinterpret_cast<WPARAM>(system), 0);
  for (int i = 0; i < GetMenuItemCount(system); ++i) {
    if (HMENU sub = GetSubMenu(system, i)) {
      SendMessageA(frm->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(i, TRUE));
    }
  }
  CheckMenu(system, "system menu", faults);
  EXPECT_GE(GetMenuItemCount(system), 12) << "the system's items and Tarvisk's";

  HWND field = GetDlgItem(frm->Sheet(kPageWindow), IDC_EDTEXSTYLE);
  g_menuFaults = &faults;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ExamineOpenMenu);
  RECT r = {};
  GetWindowRect(field, &r);
  SendMessageA(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(r.left + 2, r.top + 2));
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_menuFaults, nullptr) << "the fields' menu opened";
  g_menuFaults = nullptr;

  for (const TarviskWindow& window : Windows()) {
    if (!window.ownMnemonics) continue;
    EXPECT_TRUE(WithWindow(*frm, window, [&](HWND top) { CheckWindowMnemonics(top, window.name, faults); }))
        << window.name;
  }
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
  StopTarvisk(frm);
}
