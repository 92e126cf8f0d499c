#include "exeinfo/ExePages.h"

#include <commctrl.h>

#include "exeinfo/ExeInfo.h"
#include "ui/Controls.h"

namespace {

// The help context of each field, in kExecutableRows order; the name field's
// number stands apart from the run of the others.
constexpr int kExecutableHelpContexts[kExecutableRowCount] = {94, 4,  95, 96,  97,  98,
                                                              99, 100, 101, 102, 103, 104};

constexpr const char* kModulesHint = "|Complete list of the modules in the specified window's executable process";

struct ModulesColumn {
  const char* caption;
  int width;  // pixels at 96 dpi
};
constexpr ModulesColumn kModulesColumns[kModulesColumnCount] = {{"File", 100}, {"Path", 218}};

// A bulk change of the list draws once, at the end, and the list draws again
// whatever happens in between.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND list) : m_list(list) { SendMessageA(m_list, WM_SETREDRAW, FALSE, 0); }
  ~RedrawSuspended() {
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND m_list;
};

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string FileTextAt(HWND list, int index) {
  char text[MAX_PATH + 1] = {};
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

// Inserts the row at `index`; the list's own index for it, -1 when refused.
int InsertRow(HWND list, int index, const ModuleRow& row) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<char*>(row.file.c_str());
  item.lParam = static_cast<LPARAM>(row.handle);
  int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  // A negative index would reach other rows in the set-text call.
  if (at < 0) return -1;
  LVITEMA sub = {};
  sub.iSubItem = 1;
  sub.pszText = const_cast<char*>(row.folder.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
  return at;
}

void SetFieldTexts(HWND exeSheet, const std::array<std::string, kExecutableRowCount>& texts) {
  for (int i = 0; i < kExecutableRowCount; ++i)
    SetDlgItemTextA(exeSheet, ExecutableFieldId(i), texts[i].c_str());
}

}  // namespace

void CreateExecutablePage(HWND sheet) {
  // Labels at left 16 and fields at left 128, one row every 20 pixels from top
  // 12; each label is made just before its field, so they pair up in the z-order.
  int top = 12;
  for (int i = 0; i < kExecutableRowCount; ++i) {
    const ExecutableRow& row = kExecutableRows[i];
    CreateControl(sheet, {ControlKind::Label, IDC_LBLEXEFIRST + i, row.caption, 16, top + 2, 108, 14});
    CreateControl(sheet, {ControlKind::Field, ExecutableFieldId(i), "", 128, top, 292, 17, row.hint,
                          kExecutableHelpContexts[i]});
    top += 20;
  }
}

void CreateModulesPage(HWND sheet) {
  HWND list = CreateControl(sheet, {ControlKind::ListView, IDC_LSVMODULES, "", 12, 12, 403, 373, kModulesHint});
  if (!list) return;
  // The rows keep the order they are given; a header click must not look like
  // it sorts them. Wine does not pass the list's style change on to a header it
  // has already made, so the header loses its buttons directly as well.
  SetWindowLongA(list, GWL_STYLE, GetWindowLongA(list, GWL_STYLE) | LVS_NOSORTHEADER);
  if (HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)))
    SetWindowLongA(header, GWL_STYLE, GetWindowLongA(header, GWL_STYLE) & ~HDS_BUTTONS);
  for (int i = 0; i < kModulesColumnCount; ++i) {
    AddListColumn(list, i, kModulesColumns[i].caption, kModulesColumns[i].width);
  }
}

HWND ModulesList(HWND sheet) { return GetDlgItem(sheet, IDC_LSVMODULES); }

ModulesColumnWidths GetModulesColumnWidths(HWND sheet) {
  ModulesColumnWidths widths{};
  HWND list = ModulesList(sheet);
  for (int i = 0; i < kModulesColumnCount; ++i)
    widths[i] = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
  return widths;
}

void SetModulesColumnWidths(HWND sheet, const ModulesColumnWidths& widths) {
  HWND list = ModulesList(sheet);
  for (int i = 0; i < kModulesColumnCount; ++i) {
    // LVSCW_AUTOSIZE and its kin are negative; a stored width never asks for them.
    int width = widths[i] < 0 ? 0 : widths[i];
    SendMessageA(list, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(width, 0));
  }
}

void ShowExecutableInfo(HWND exeSheet, const ExecutableInfo& executable) {
  SetFieldTexts(exeSheet, ExecutableFieldTexts(executable));
}

void ShowExecutable(HWND exeSheet, const std::string& path) {
  ShowExecutableInfo(exeSheet, ReadExecutableInfo(path));
}

int AddModuleItem(HWND modulesSheet, const std::string& path) {
  HWND list = ModulesList(modulesSheet);
  ModuleEntry entry;
  entry.path = path;
  ModuleRow row = MakeModuleRow(entry);
  // After every row that does not sort after the new one.
  int low = 0, high = RowCount(list);
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (lstrcmpA(row.file.c_str(), FileTextAt(list, middle).c_str()) < 0)
      high = middle;
    else
      low = middle + 1;
  }
  return InsertRow(list, low, row);
}

void ShowModuleRows(HWND modulesSheet, const std::vector<ModuleRow>& modules) {
  HWND list = ModulesList(modulesSheet);
  RedrawSuspended quiet(list);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (const ModuleRow& row : modules) {
    // A list that refuses a row is out of memory; the rows after it would
    // fail the same way.
    if (InsertRow(list, index, row) < 0) break;
    ++index;
  }
}

void ShowProcessInfo(HWND exeSheet, HWND modulesSheet, const ProcessInfo& info) {
  ShowModuleRows(modulesSheet, info.modules);
  ShowExecutableInfo(exeSheet, info.executable);
}

void ModulesPage::MakeControls() {
  CreateModulesPage(m_sheet);
  SetModulesColumnWidths(m_sheet, m_widths);
}

void ModulesPage::LoadSettings(const SettingsValues& values) {
  m_widths = values.columns.modules;
  if (m_sheet) SetModulesColumnWidths(m_sheet, m_widths);
}

void ModulesPage::StoreSettings(SettingsValues& values) const {
  values.columns.modules = m_sheet ? GetModulesColumnWidths(m_sheet) : m_widths;
}
