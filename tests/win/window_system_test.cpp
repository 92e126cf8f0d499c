#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "inspect/StyleTables.h"
#include "inspect/WindowInfo.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "relations/WindowRows.h"
#include "report/ReadingReport.h"

namespace {

const DisplayOptions kHexLower{kFormatHexadecimal, kCaseLower};
const DisplayOptions kDecUpper{kFormatDecimal, kCaseUpper};
const char kTopClass[] = "TarviskTestTopLevel";
const char kChattyClass[] = "TarviskTestOverlongText";

struct WindowCloser {
  void operator()(HWND w) const { DestroyWindow(w); }
};
using Window = std::unique_ptr<std::remove_pointer<HWND>::type, WindowCloser>;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Answers WM_GETTEXT by filling every byte it was given and claiming more.
LRESULT CALLBACK OverlongTextProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETTEXT) {
    std::memset(reinterpret_cast<char*>(lp), 'A', wp);
    return static_cast<LRESULT>(wp + 100);
  }
  return DefWindowProcA(w, msg, wp, lp);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  WNDCLASSA top = {};
  top.style = CS_DBLCLKS;
  top.lpfnWndProc = DefWindowProcA;
  top.hInstance = Instance();
  top.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  top.lpszClassName = kTopClass;
  RegisterClassA(&top);
  WNDCLASSA chatty = {};
  chatty.lpfnWndProc = OverlongTextProc;
  chatty.hInstance = Instance();
  chatty.lpszClassName = kChattyClass;
  RegisterClassA(&chatty);
  done = true;
}

Window MakeTopLevel(HMENU menu) {
  RegisterClasses();
  return Window(CreateWindowExA(0, kTopClass, "Inspected window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                100, 120, 300, 200, nullptr, menu, Instance(), nullptr));
}

HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, int id) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 20, 50, 30, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
}

}  // namespace

TEST(InspectWin32, TopLevelAndChildWindows) {
  HMENU menu = CreateMenu();
  AppendMenuA(menu, MF_STRING, 1, "&File");
  Window top = MakeTopLevel(menu);
  ASSERT_TRUE(top);
  HWND child = MakeChild(top.get(), "STATIC", "Child text", 0, 1001);
  ASSERT_NE(child, nullptr);
  Win32WindowSystem ws;

  WindowInfo t = GatherWindowInfo(ws, FromHwnd(top.get()), kHexLower);
  EXPECT_EQ(t.textCaption, "Text");
  EXPECT_EQ(t.text, "Inspected window");
  EXPECT_EQ(t.menu, FormatInteger(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(menu)), kHexLower));
  EXPECT_NE(t.menu, "00000000");
  EXPECT_EQ(t.parent, "00000000");
  EXPECT_EQ(t.screenCoords, "left: 100, top: 120, right: 400, bottom: 320");
  EXPECT_EQ(t.parentCoords, t.screenCoords);
  EXPECT_EQ(t.windowSize, "width: 300, height: 200");
  EXPECT_EQ(t.processId, GetCurrentProcessId());
  // The instance in full: 16 digits in a 64-bit build, where MinGW's image base is above 4 GB.
  EXPECT_EQ(t.instance, FormatAddress(reinterpret_cast<uintptr_t>(Instance()), sizeof(void*) * 8, kHexLower));
  EXPECT_EQ(t.instance.size(), sizeof(void*) * 2);
  EXPECT_EQ(t.className, kTopClass);
  EXPECT_EQ(t.cursorHandle, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(LoadCursorA(nullptr, IDC_ARROW))));
  EXPECT_EQ(t.iconHandle, 0u);
  EXPECT_EQ(t.classStyleMemo, "cs_dblclks");
  uint32_t style = static_cast<uint32_t>(GetWindowLongA(top.get(), GWL_STYLE));
  EXPECT_EQ(t.styleBits, style);
  EXPECT_EQ(t.styleMemo, StyleMemoText(style, static_cast<uint32_t>(GetWindowLongA(top.get(), GWL_EXSTYLE)),
                                       kHexLower));
  EXPECT_NE(t.styleMemo.find("ws_border\xC2\xA0| ws_dlgframe\xC2\xA0| ws_sysmenu"), std::string::npos);

  WindowInfo c = GatherWindowInfo(ws, FromHwnd(child), kDecUpper);
  EXPECT_EQ(c.text, "Child text");
  EXPECT_EQ(c.menu, "0");
  EXPECT_EQ(c.controlId, "1001");
  EXPECT_EQ(c.parentWindow, FromHwnd(top.get()));
  EXPECT_EQ(c.parentCoords, "left: 10, top: 20, right: 60, bottom: 50");
  EXPECT_NE(c.screenCoords, c.parentCoords);
  EXPECT_EQ(c.windowSize, "width: 50, height: 30");
  EXPECT_EQ(c.clientSize, "width: 50, height: 30");
  EXPECT_EQ(c.className, "Static");
  EXPECT_EQ(c.styleMemo.rfind("WS_OVERLAPPED\xC2\xA0| WS_CHILD\xC2\xA0| WS_VISIBLE", 0), 0u);

  // The seam's other queries on the same pair.
  std::vector<Hwnd> tops = ws.TopLevelWindows();
  EXPECT_NE(std::find(tops.begin(), tops.end(), FromHwnd(top.get())), tops.end());
  EXPECT_EQ(ws.ChildWindows(FromHwnd(top.get())), std::vector<Hwnd>{FromHwnd(child)});
  EXPECT_EQ(ws.ChildWindowFromPoint(FromHwnd(top.get()), WinPoint{15, 25}), FromHwnd(child));
  EXPECT_EQ(ws.WindowText(FromHwnd(child)), "Child text");
  EXPECT_EQ(ws.Parent(FromHwnd(top.get())), 0u);
  EXPECT_FALSE(ws.IsVisible(FromHwnd(child)));  // its top-level window is hidden
  EXPECT_EQ(ws.Desktop(), FromHwnd(GetDesktopWindow()));
  WinRect childScreen = ws.WindowRect(FromHwnd(child));
  WinPoint back = ws.ScreenToClient(FromHwnd(top.get()), WinPoint{childScreen.left, childScreen.top});
  EXPECT_EQ(back, (WinPoint{10, 20}));

  // A window that is gone reads as zeros and zero words.
  Hwnd gone = FromHwnd(top.get());
  top.reset();
  DestroyMenu(menu);  // a destroyed window frees its menu; this is harmless if it did
  EXPECT_FALSE(ws.IsWindow(gone));
  WindowInfo g = GatherWindowInfo(ws, gone, kHexLower);
  EXPECT_EQ(g.text, "");
  EXPECT_EQ(g.className, "");
  EXPECT_EQ(g.process, "00000000");
  EXPECT_EQ(g.screenCoords, "left: 0, top: 0, right: 0, bottom: 0");
  EXPECT_EQ(g.styleMemo, "ws_overlapped\xC2\xA0| ws_ex_left\xC2\xA0| ws_ex_ltrreading\xC2\xA0| ws_ex_rightscrollbar");
  EXPECT_EQ(g.classStyleMemo, "");
}

TEST(InspectWin32, ResourceIdentifierTexts) {
  Window top = MakeTopLevel(nullptr);
  ASSERT_TRUE(top);
  // An icon static made from a dialog template carries its resource identifier as
  // the bytes 0xFF, low, high; CreateWindowExA keeps such a title the same way.
  HWND icon = MakeChild(top.get(), "STATIC", "\xFF\x04\x7F", SS_ICON, 1);
  ASSERT_NE(icon, nullptr);
  Win32WindowSystem ws;
  WindowInfo i = GatherWindowInfo(ws, FromHwnd(icon), kHexLower);
  EXPECT_EQ(i.textCaption, "Resource ID");
  EXPECT_EQ(i.text, "idi_information");

  HWND label = MakeChild(top.get(), "STATIC", "plain", 0, 2);
  const char id101[] = {'\xFF', 101, 0};
  SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(id101));
  WindowInfo l = GatherWindowInfo(ws, FromHwnd(label), kDecUpper);
  EXPECT_EQ(l.textCaption, "Resource ID");
  EXPECT_EQ(l.text, "101");
}

TEST(InspectWin32, ResourceIdentifierTitlesInTheLists) {
  Window top = MakeTopLevel(nullptr);
  ASSERT_TRUE(top);
  // Plain statics made through the ANSI entry points: the ANSI lists and the
  // default report showed the ANSI answer byte for byte, however long.
  HWND id = MakeChild(top.get(), "STATIC", "\xFF\x04\x7F", 0, 1);
  HWND title = MakeChild(top.get(), "STATIC", "\xFFhello there", 0, 2);
  auto ansiAnswer = [](HWND w) {
    char text[64] = {};
    SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text);
  };
  ASSERT_TRUE(id && title);
  Win32WindowSystem ws;
  std::vector<WindowRow> rows =
      MakeWindowRows(ws, ws.ChildWindows(FromHwnd(top.get())), [](uint32_t) { return std::string(); });
  ASSERT_EQ(rows.size(), 2u);
  const WindowRow& idRow = rows[0].handle == FromHwnd(id) ? rows[0] : rows[1];
  const WindowRow& titleRow = rows[0].handle == FromHwnd(id) ? rows[1] : rows[0];
  EXPECT_EQ(idRow.text, AnsiToUtf8("\xFF\x04\x7F"));
  EXPECT_EQ(Utf8ToAnsi(idRow.text), "\xFF\x04\x7F");
  EXPECT_EQ(Utf8ToAnsi(idRow.text), ansiAnswer(id));
  EXPECT_EQ(Utf8ToAnsi(titleRow.text), ansiAnswer(title));
  // The Window page still takes them for identifiers; the saved report lists
  // them as the ANSI report did.
  EXPECT_EQ(GatherWindowInfo(ws, FromHwnd(id), kHexLower).text, "idi_information");
  const Reading reading = ReadTarget(ws, FromHwnd(top.get()), {}, {});
  const std::string report = ReadingTextReport(reading, ReportView{}, {AnsiToUtf8, Utf8ToAnsi}, false);
  EXPECT_NE(report.find(std::string("  \xFF\x04\x7F ")), std::string::npos) << report;
}

TEST(InspectWin32, OverlongAnswerStaysTerminated) {
  Window top = MakeTopLevel(nullptr);
  ASSERT_TRUE(top);
  HWND chatty = MakeChild(top.get(), kChattyClass, "", 0, 3);
  ASSERT_NE(chatty, nullptr);
  char buffer[65];
  std::memset(buffer, 'z', sizeof buffer);
  GetTextWithTimeout(chatty, buffer, 64);
  EXPECT_EQ(buffer[63], 0);
  EXPECT_EQ(std::strlen(buffer), 63u);
  EXPECT_EQ(buffer[64], 'z');

  Win32WindowSystem ws;
  EXPECT_EQ(GatherWindowInfo(ws, FromHwnd(chatty), kHexLower).text, std::string(kTextBufferSize - 1, 'A'));
}

namespace {

// A window whose thread stops pumping messages until it is released.
struct HungThread {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  HWND window = nullptr;

  static DWORD WINAPI Main(void* param) {
    auto* self = static_cast<HungThread*>(param);
    self->window = CreateWindowExA(0, "STATIC", "never read", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                   Instance(), nullptr);
    SetEvent(self->ready);
    WaitForSingleObject(self->release, INFINITE);
    DestroyWindow(self->window);
    return 0;
  }
  HungThread() { thread = CreateThread(nullptr, 0, Main, this, 0, nullptr); }
  ~HungThread() {
    SetEvent(release);
    if (thread) {
      WaitForSingleObject(thread, 10000);
      CloseHandle(thread);
    }
    CloseHandle(ready);
    CloseHandle(release);
  }
};

}  // namespace

TEST(InspectWin32, HungWindowGivesEmptyTextInTime) {
  // The buffers outlive the hung thread: a late answer may still be written.
  std::vector<char> buffer(kTextBufferSize, 'x');
  WindowInfo info;
  DWORD elapsed = 0;
  {
    HungThread hung;
    ASSERT_NE(hung.thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(hung.ready, 5000), WAIT_OBJECT_0);
    ASSERT_NE(hung.window, nullptr);

    Win32WindowSystem ws;
    DWORD start = GetTickCount();
    ws.SendGetText(FromHwnd(hung.window), buffer.data(), kTextBufferSize);
    elapsed = GetTickCount() - start;
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[kTextBufferSize - 1], 0);

    info = GatherWindowInfo(ws, FromHwnd(hung.window), kHexLower);
  }
  EXPECT_LT(elapsed, 1000u);
  EXPECT_EQ(info.text, "");
  EXPECT_EQ(info.textCaption, "Text");
  // What does not need the window's thread is still read.
  EXPECT_EQ(info.className, "Static");
  EXPECT_EQ(info.processId, GetCurrentProcessId());
}
