// Boxes run through the host on real list and combo boxes, read back from the clipboard.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <thread>

#include "plugins/PIClass.h"
#include "support/Files.h"
#include "support/Wait.h"

namespace {

const char kCopied[] = "The items are copied to clipboard";
const char kEmpty[] = "Empty or invalid list/combo box";

std::wstring ClipboardUnicode() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Puts `text` on the clipboard as another program would: owned, emptied first.
void PutUnicodeOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(block), text.c_str(), bytes);
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

class BoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(boxes.Handle(), nullptr);
    form = CreateWindowExA(0, "STATIC", "boxes test", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(form, nullptr);
  }
  void TearDown() override {
    DestroyWindow(form);  // and the boxes on it
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  HWND Child(const char* cls, DWORD style) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 150, form,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ExecuteResult Run(HWND target, std::string& result) {
    result = "data text";
    return boxes.Execute(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(target)), result);
  }

  TPlugIn boxes{BuildPath("Plugins/Boxes.dll")};
  HWND form = nullptr;
};

// Fails LB_GETTEXT for items whose text begins with "!", after a positive length.
WNDPROC g_listBoxProc = nullptr;
LRESULT CALLBACK RefusingListBox(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LB_GETTEXT) {
    char text[64] = {};
    CallWindowProcA(g_listBoxProc, w, LB_GETTEXT, wParam, reinterpret_cast<LPARAM>(text));
    if (text[0] == '!') return LB_ERR;
  }
  return CallWindowProcA(g_listBoxProc, w, message, wParam, lParam);
}

}  // namespace

TEST_F(BoxesTest, CopiesListBoxItemsOnePerLine) {
  HWND list = Child("LISTBOX", LBS_HASSTRINGS);
  ASSERT_NE(list, nullptr);
  for (const char* item : {"a", "", "b"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  std::string result;
  EXPECT_EQ(Run(list, result), ExecuteResult::Done);
  EXPECT_EQ(result, kCopied);
  EXPECT_EQ(ClipboardText(), "a\r\n\r\nb\r\n");

  HWND combo = Child("COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS);
  ASSERT_NE(combo, nullptr);
  for (const char* item : {"one", "two words", "three"})
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(Run(combo, result), ExecuteResult::Done);
  EXPECT_EQ(result, kCopied);
  EXPECT_EQ(ClipboardText(), "one\r\ntwo words\r\nthree\r\n");
}

TEST_F(BoxesTest, ReportsWindowsWithNoItems) {
  std::string result;
  EXPECT_EQ(Run(Child("LISTBOX", 0), result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
  EXPECT_EQ(Run(Child("COMBOBOX", CBS_DROPDOWN), result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
  EXPECT_EQ(Run(Child("EDIT", 0), result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
  EXPECT_EQ(Run(nullptr, result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
  // Not a window but the broadcast handle: must not reach every window.
  EXPECT_EQ(Run(HWND_BROADCAST, result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
}

TEST_F(BoxesTest, ItemsThatRefuseTheirTextLeaveNoLine) {
  HWND list = Child("LISTBOX", LBS_HASSTRINGS);
  for (const char* item : {"a", "!b", "c"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  g_listBoxProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingListBox)));
  std::string result;
  EXPECT_EQ(Run(list, result), ExecuteResult::Done);
  EXPECT_EQ(ClipboardText(), "a\r\nc\r\n");

  // When every item refuses, nothing is copied and the result says so
  // instead of echoing the data text.
  HWND refusing = Child("LISTBOX", LBS_HASSTRINGS);
  SendMessageA(refusing, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("!only"));
  SetWindowLongPtrA(refusing, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingListBox));
  EXPECT_EQ(Run(refusing, result), ExecuteResult::Done);
  EXPECT_EQ(result, kEmpty);
  EXPECT_EQ(ClipboardText(), "a\r\nc\r\n");
}

TEST_F(BoxesTest, ReplacesWhatOtherProgramsLeftOnTheClipboard) {
  PutUnicodeOnClipboard(form, L"stale text");
  HWND list = Child("LISTBOX", LBS_HASSTRINGS);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("fresh"));
  std::string result;
  EXPECT_EQ(Run(list, result), ExecuteResult::Done);
  EXPECT_EQ(result, kCopied);
  EXPECT_EQ(ClipboardText(), "fresh\r\n");
  // A paste that prefers Unicode text gets the new items too.
  EXPECT_EQ(ClipboardUnicode(), L"fresh\r\n");
}

TEST_F(BoxesTest, GivesUpOnABoxThatDoesNotAnswer) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND hung = nullptr;
  std::thread owner([&] {
    hung = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hung, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    SetEvent(ready);
    WaitForSingleObject(release, 30000);  // not pumping: the box does not answer
    DestroyWindow(hung);
  });
  WaitForSingleObject(ready, 5000);
  std::string result;
  DWORD start = GetTickCount();
  EXPECT_EQ(Run(hung, result), ExecuteResult::PluginFailed);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(result, "data text");
  SetEvent(release);
  owner.join();
  CloseHandle(ready);
  CloseHandle(release);
}

// The box host program, closed (or ended) however the test ends.
class BoxHostProcess {
 public:
  BoxHostProcess() {
    std::string command = "\"" + BuildPath("testplugins/BoxHost.exe") + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process))
      m_process = {};
  }
  ~BoxHostProcess() {
    if (!m_process.hProcess) return;
    if (m_form) PostMessageA(m_form, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
      TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
  }
  // Its form once it pumps messages (it fills its boxes before that).
  HWND WaitForForm() {
    for (DWORD start = GetTickCount(); !m_form && GetTickCount() - start < 10000; Sleep(10))
      m_form = FindWindowA("TarviskBoxHost", "Box host");
    DWORD_PTR ignored = 0;
    if (m_form) SendMessageTimeoutA(m_form, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    return m_form;
  }

 private:
  PROCESS_INFORMATION m_process = {};
  HWND m_form = nullptr;
};

TEST_F(BoxesTest, ReadsTheBoxesOfAnotherProcess) {
  BoxHostProcess hostProcess;
  HWND host = hostProcess.WaitForForm();
  ASSERT_NE(host, nullptr);
  std::string result;
  EXPECT_EQ(Run(GetDlgItem(host, 1), result), ExecuteResult::Done);
  EXPECT_EQ(result, kCopied);
  EXPECT_EQ(ClipboardText(), "first\r\n\r\nthird item with some length\r\n");
  EXPECT_EQ(Run(GetDlgItem(host, 2), result), ExecuteResult::Done);
  EXPECT_EQ(ClipboardText(), "red\r\ngreen\r\n");
}
