// The Executable and Modules pages on plain sheets: their controls, and what a
// fill of this process, of a started program and of nothing leaves on them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "exeinfo/ExeInfo.h"
#include "exeinfo/ExePages.h"
#include "support/Wait.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace {

std::string ExeFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderPart(std::string(path, length));
}

std::string SystemFolder() {
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder, length) + "\\";
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

struct ListRow {
  std::string file, folder;
};

std::string ItemText(HWND list, int index, int column) {
  char text[MAX_PATH + 1] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<ListRow> ListRows(HWND list) {
  std::vector<ListRow> rows;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) rows.push_back({ItemText(list, i, 0), ItemText(list, i, 1)});
  return rows;
}

int FindRow(const std::vector<ListRow>& rows, const std::string& file) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].file == file) return static_cast<int>(i);
  }
  return -1;
}

RECT RectIn(HWND control, HWND parent) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class ExePagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    frame = CreateWindowExA(0, "STATIC", "pages", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 436, 420, nullptr,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    exeSheet = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 436, 420, frame, nullptr,
                               nullptr, nullptr);
    modulesSheet = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 436, 420, frame, nullptr,
                                   nullptr, nullptr);
    CreateExecutablePage(exeSheet);
    CreateModulesPage(modulesSheet);
    list = ModulesList(modulesSheet);
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override {
    if (frame) DestroyWindow(frame);
    PumpMessages();
  }
  std::string Field(int row) { return WindowTextOf(GetDlgItem(exeSheet, ExecutableFieldId(row))); }

  HWND frame = nullptr, exeSheet = nullptr, modulesSheet = nullptr, list = nullptr;
};

TEST_F(ExePagesTest, ExecutablePageHasTwelveLabelledFields) {
  const int helpContexts[kExecutableRowCount] = {94, 4, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104};
  for (int i = 0; i < kExecutableRowCount; ++i) {
    SCOPED_TRACE(kExecutableRows[i].caption);
    HWND label = GetDlgItem(exeSheet, IDC_LBLEXEFIRST + i);
    HWND field = GetDlgItem(exeSheet, ExecutableFieldId(i));
    ASSERT_TRUE(label && field);
    EXPECT_EQ(WindowTextOf(label), kExecutableRows[i].caption);
    // Each label sits just before its field, so readers pair them in z-order.
    EXPECT_EQ(GetWindow(label, GW_HWNDNEXT), field);
    EXPECT_EQ(RectIn(label, exeSheet).left, 16);

    RECT r = RectIn(field, exeSheet);
    EXPECT_EQ(r.left, 128);
    EXPECT_EQ(r.top, 12 + 20 * i);
    EXPECT_EQ(r.right - r.left, 292);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_TRUE(GetWindowLongA(field, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(FindHint(field), kExecutableRows[i].hint);
    EXPECT_EQ(HelpContextOf(field), helpContexts[i]);
    EXPECT_EQ(WindowTextOf(field), "");
  }
}

TEST_F(ExePagesTest, ModulesListHasTwoColumnsAndNoSortingHeader) {
  char cls[64] = {};
  GetClassNameA(list, cls, sizeof cls);
  EXPECT_STREQ(cls, WC_LISTVIEWA);
  RECT r = RectIn(list, modulesSheet);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.top, 12);
  EXPECT_EQ(r.right - r.left, 403);
  EXPECT_EQ(r.bottom - r.top, 373);
  LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
  EXPECT_TRUE(style & LVS_NOSORTHEADER);
  EXPECT_FALSE(style & LVS_EDITLABELS);
  EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  EXPECT_FALSE(GetWindowLongA(header, GWL_STYLE) & HDS_BUTTONS);
  EXPECT_EQ(FindHint(list), "|Complete list of the modules in the specified window's executable process");

  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
  const char* captions[] = {"File", "Path"};
  for (int i = 0; i < 2; ++i) {
    char text[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(text, captions[i]);
  }
  EXPECT_EQ(GetModulesColumnWidths(modulesSheet), (ModulesColumnWidths{100, 218}));
  SetModulesColumnWidths(modulesSheet, {150, 40});
  EXPECT_EQ(GetModulesColumnWidths(modulesSheet), (ModulesColumnWidths{150, 40}));
  // A negative width would ask the list to size the column itself.
  SetModulesColumnWidths(modulesSheet, {-1, 60});
  EXPECT_EQ(GetModulesColumnWidths(modulesSheet), (ModulesColumnWidths{0, 60}));
}

TEST_F(ExePagesTest, OwnProcessFillsBothPagesAndARefillReplacesTheRows) {
  ShowProcessInfo(exeSheet, modulesSheet, LoadProcessInfoData(GetCurrentProcessId()));
  EXPECT_TRUE(SamePath(Field(0), ExeFolder())) << Field(0);
  EXPECT_EQ(Field(1), "win_tests.exe");

  std::vector<ListRow> rows = ListRows(list);
  int kernel = FindRow(rows, "kernel32.dll");
  ASSERT_GE(kernel, 0);
  EXPECT_TRUE(SamePath(rows[kernel].folder, SystemFolder())) << rows[kernel].folder;
  EXPECT_EQ(FindRow(rows, "win_tests.exe"), -1);
  for (size_t i = 1; i < rows.size(); ++i)
    EXPECT_LE(lstrcmpA(rows[i - 1].file.c_str(), rows[i].file.c_str()), 0) << rows[i].file;

  ShowProcessInfo(exeSheet, modulesSheet, LoadProcessInfoData(GetCurrentProcessId()));
  std::vector<ListRow> again = ListRows(list);
  EXPECT_EQ(again.size(), rows.size());
  std::set<std::string> seen;
  for (const ListRow& row : again) EXPECT_TRUE(seen.insert(row.folder + row.file).second) << row.file;
  EXPECT_EQ(Field(1), "win_tests.exe");
}

TEST_F(ExePagesTest, ProgramWithoutVersionResourceEmptiesTheVersionFields) {
  // Version strings from an earlier executable must not survive the fill.
  ShowExecutable(exeSheet, ExeFolder() + "exeinfo_fixtures\\verinfo_normal.dll");
  EXPECT_EQ(Field(1), "verinfo_normal.dll");
  EXPECT_EQ(Field(2), "verinfo_normal.dll");
  EXPECT_EQ(Field(5), "Tarvisk fixtures");
  EXPECT_EQ(Field(11), "Built for the tests");

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION notepad = {};
  std::string commandLine = "\"" + SystemFolder() + "notepad.exe\"";
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &notepad));
  bool idle = WaitForInputIdle(notepad.hProcess, 15000) == 0;
  ProcessInfo info;
  if (idle) info = LoadProcessInfoData(notepad.dwProcessId);
  TerminateProcess(notepad.hProcess, 0);
  WaitForSingleObject(notepad.hProcess, 5000);
  CloseHandle(notepad.hThread);
  CloseHandle(notepad.hProcess);
  ASSERT_TRUE(idle);

  ShowProcessInfo(exeSheet, modulesSheet, info);
  EXPECT_EQ(Field(1), "notepad.exe");
  EXPECT_FALSE(Field(0).empty());
  for (int i = 2; i < kExecutableRowCount; ++i) EXPECT_EQ(Field(i), "") << kExecutableRows[i].caption;
  std::vector<ListRow> rows = ListRows(list);
  EXPECT_GE(FindRow(rows, "user32.dll"), 0);
  EXPECT_EQ(FindRow(rows, "notepad.exe"), -1);

  // A process that nothing could tell clears both pages.
  ShowProcessInfo(exeSheet, modulesSheet, ProcessInfo());
  for (int i = 0; i < kExecutableRowCount; ++i) EXPECT_EQ(Field(i), "") << kExecutableRows[i].caption;
  EXPECT_TRUE(ListRows(list).empty());
}

TEST_F(ExePagesTest, AddedModulesFindTheirPlaceInTheFileOrder) {
  const char* paths[] = {"C:\\b\\Twin.dll", "C:\\x\\kernel32.dll", "C:\\a\\twin.dll",
                         "C:\\x\\ADVAPI32.dll", "D:Twin.dll", "C:\\x\\zlib.dll"};
  for (const char* path : paths) EXPECT_GE(AddModuleItem(modulesSheet, path), 0) << path;
  std::vector<ListRow> rows = ListRows(list);
  ASSERT_EQ(rows.size(), 6u);
  // The user's locale order, case deciding only between otherwise equal names,
  // and equal names in the order they came.
  const char* files[] = {"ADVAPI32.dll", "kernel32.dll", "twin.dll", "Twin.dll", "Twin.dll", "zlib.dll"};
  const char* folders[] = {"C:\\x\\", "C:\\x\\", "C:\\a\\", "C:\\b\\", "D:", "C:\\x\\"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rows[i].file, files[i]) << i;
    EXPECT_EQ(rows[i].folder, folders[i]) << i;
  }
}

// Counts WM_SETREDRAW on its way to the list and refuses the third row.
struct InsertRefusal {
  WNDPROC original = nullptr;
  std::vector<WPARAM> redraws;
  int inserts = 0;
};
InsertRefusal* g_refusal = nullptr;

LRESULT CALLBACK RefusingListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETREDRAW) g_refusal->redraws.push_back(wParam);
  if (msg == LVM_INSERTITEMA && ++g_refusal->inserts == 3) return -1;
  return CallWindowProcA(g_refusal->original, hwnd, msg, wParam, lParam);
}

TEST_F(ExePagesTest, RefusedRowEndsTheFillWithRedrawingResumed) {
  ProcessInfo info;
  for (const char* name : {"a.dll", "b.dll", "c.dll", "d.dll"})
    info.modules.push_back(MakeModuleRow({std::string("C:\\w\\") + name, 0}));
  ShowProcessInfo(exeSheet, modulesSheet, info);
  ASSERT_EQ(ListRows(list).size(), 4u);

  InsertRefusal refusal;
  g_refusal = &refusal;
  refusal.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingListProc)));
  info.executable.known = true;
  info.executable.path = "C:\\w\\host.exe";
  ShowProcessInfo(exeSheet, modulesSheet, info);
  SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(refusal.original));
  g_refusal = nullptr;

  std::vector<ListRow> rows = ListRows(list);
  ASSERT_EQ(rows.size(), 2u);  // the old rows are gone, the refused one ended the fill
  EXPECT_EQ(rows[1].file, "b.dll");
  EXPECT_EQ(rows[1].folder, "C:\\w\\");
  EXPECT_EQ(refusal.redraws, (std::vector<WPARAM>{FALSE, TRUE}));
  EXPECT_EQ(Field(1), "host.exe");  // the Executable page is still filled
}

}  // namespace
