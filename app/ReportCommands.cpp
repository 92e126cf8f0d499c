// Save and Print: the report of what the pages show, gathered from their
// controls, saved to a file chosen in the save dialog or printed at once.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "exeinfo/ExePages.h"
#include "inspect/InfoPages.h"
#include "platform/CodePages.h"
#include "platform/OnDemandDlls.h"
#include "relations/RelationControls.h"
#include "report/JsonReport.h"
#include "report/Report.h"
#include "report/ReportFile.h"
#include "report/ReportPrinter.h"
#include "report/SaveAndPrint.h"
#include "report/SystemSnapshot.h"
#include "ui/Controls.h"
#include "ui/MessageBoxes.h"

namespace {

std::string FieldText(HWND sheet, int id) { return WindowTextOf(GetDlgItem(sheet, id)); }

struct ChildSearch {
  HWND sheet;
  const char* cls;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  char cls[32] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (GetParent(h) == s->sheet && lstrcmpiA(cls, s->cls) == 0) s->found.push_back(h);
  return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND sheet, const char* cls) {
  ChildSearch s{sheet, cls, {}};
  EnumChildWindows(sheet, CollectByClass, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string ItemText(HWND list, int item, int column) {
  std::vector<wchar_t> buffer(kTextBufferSize, 0);
  LVITEMW lvi = {};
  lvi.iSubItem = column;
  lvi.pszText = buffer.data();
  lvi.cchTextMax = static_cast<int>(buffer.size());
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi));
  return Narrow(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
}

// The rows of the first list view on a page, in the order they are shown.
std::vector<std::vector<std::string>> ListRows(HWND sheet, int columns) {
  std::vector<std::vector<std::string>> rows;
  std::vector<HWND> lists = ChildrenOfClass(sheet, WC_LISTVIEWA);
  if (lists.empty()) return rows;
  int count = static_cast<int>(SendMessageA(lists[0], LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::vector<std::string> row;
    for (int c = 0; c < columns; ++c) row.push_back(ItemText(lists[0], i, c));
    rows.push_back(row);
  }
  return rows;
}

std::vector<ReportListRow> WindowListRows(HWND sheet) {
  std::vector<ReportListRow> out;
  for (auto& r : ListRows(sheet, 4)) out.push_back({r[0], r[1], r[2], r[3]});
  return out;
}

}  // namespace

ReportInput TfrmTarvisk::GatherReport(bool utf8) {
  WriteAllPendingPages();
  ReportInput in;
  in.title = kAppTitle;
  in.integerFormat = IntegerFormat();

  HWND w = Sheet(kPageWindow);
  WindowPageTexts& win = in.window;
  win.textLabel = FieldText(w, IDC_LBLTEXT);
  win.text = FieldText(w, IDC_EDTTEXT);
  win.process = FieldText(w, IDC_EDTPROCESS);
  win.instance = FieldText(w, IDC_EDTINSTANCE);
  win.handle = FieldText(w, IDC_EDTHANDLE);
  win.parent = FieldText(w, IDC_EDTPARENT);
  win.controlId = FieldText(w, IDC_EDTCONTROLID);
  win.function = FieldText(w, IDC_EDTFUNCTION);
  win.menu = FieldText(w, IDC_EDTMENU);
  win.parentCoords = FieldText(w, IDC_EDTPARENTCOORDS);
  win.screenCoords = FieldText(w, IDC_EDTSCREENCOORDS);
  win.windowSize = FieldText(w, IDC_EDTWINDOWSIZE);
  win.clientSize = FieldText(w, IDC_EDTCLIENTSIZE);
  win.style = FieldText(w, IDC_EDTSTYLE);
  win.exStyle = FieldText(w, IDC_EDTEXSTYLE);
  win.styleMemo = FieldText(w, IDC_MEMSTYLE);

  HWND c = Sheet(kPageClass);
  ClassPageTexts& cls = in.windowClass;
  cls.name = FieldText(c, IDC_EDTCLASS);
  cls.function = FieldText(c, IDC_EDTCLASSFUNCTION);
  cls.icon = FieldText(c, IDC_EDTICON);
  cls.smallIcon = FieldText(c, IDC_EDTSMALLICON);
  cls.cursor = FieldText(c, IDC_EDTCURSOR);
  cls.brush = FieldText(c, IDC_EDTBRUSH);
  cls.moduleHandle = FieldText(c, IDC_EDTMODULEHANDLE);
  cls.style = FieldText(c, IDC_EDTCLASSSTYLE);
  cls.styleMemo = FieldText(c, IDC_MEMCLASSSTYLE);

  in.parents = WindowListRows(Sheet(kPageParents));
  in.children = WindowListRows(Sheet(kPageChildren));
  in.digger = WindowListRows(Sheet(kPageDigger));

  HWND e = Sheet(kPageExecutable);
  std::string* exe[] = {&in.executable.exePath,        &in.executable.exeName,
                        &in.executable.originalFilename, &in.executable.fileDescription,
                        &in.executable.fileVersion,    &in.executable.productName,
                        &in.executable.internalName,   &in.executable.legalCopyright,
                        &in.executable.legalTrademarks, &in.executable.productVersion,
                        &in.executable.companyName,    &in.executable.comments};
  for (int row = 0; row < 12; ++row) *exe[row] = FieldText(e, ExecutableFieldId(row));
  for (auto& r : ListRows(Sheet(kPageModules), 2)) in.modules.push_back({r[0], r[1]});

  in.graphic = Graphics.ReportTexts();
  // The pages hold UTF-8; the default report is laid out in the ANSI code
  // page, byte for byte what the pages gave before they held more than it can say.
  if (!utf8) return ConvertReportTexts(in, Utf8ToAnsi);
  in.utf8 = true;
  return in;
}

std::string TfrmTarvisk::JsonReport() const {
  SnapshotOptions o;
  o.point = ProbePoint;
  o.showSubchildren = OptionChecked(IDC_CHBSHOWSUBCHILDREN);
  o.digChildren = OptionChecked(IDC_CHBDIGCHILDREN);
  const TargetSnapshot snapshot = GatherTargetSnapshot(m_ws, CurrentTarget, o, SystemSnapshotSources());
  const SortState sort{SortColumn, LastSortColumn, SortInverted};
  return JsonReportText(snapshot, CurrentDisplayOptions(), sort, LocaleCompare, AnsiToUtf8);
}

bool TfrmTarvisk::ChooseReportFile(std::string& fileName) {
  if (SaveDialogHook) return SaveDialogHook(fileName);
  char name[MAX_PATH] = {};
  lstrcpynA(name, fileName.c_str(), MAX_PATH);
  std::string filter = kSaveDialogFilter;
  for (char& ch : filter) {
    if (ch == '|') ch = '\0';
  }
  filter.push_back('\0');
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = m_hwnd;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = kSaveDialogTitle;
  ofn.nFilterIndex = static_cast<DWORD>(ReportFileType);
  // The dialog gives a typed name without extension that of the chosen type.
  ofn.lpstrDefExt = kSaveDialogDefaultExt;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!SaveFileDialog(&ofn)) return false;
  fileName = name;
  ReportFileType = ofn.nFilterIndex == kReportFileJson || ofn.nFilterIndex == kReportFileTextUtf8
                       ? static_cast<int>(ofn.nFilterIndex)
                       : kReportFileText;
  return true;
}

int TfrmTarvisk::Ask(const std::string& text, unsigned style) {
  if (MessageBoxHook) return MessageBoxHook(text, style);
  return MessageBoxA(m_hwnd, text.c_str(), kAppTitle, style);
}

void TfrmTarvisk::btnSaveClick() {
  std::string name = ProposedReportFileName(m_reportFileName, kAppTitle);
  if (!ChooseReportFile(name)) return;
  m_reportFileName = name;
  if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES &&
      Ask(OverwriteQuestion(name), kOverwriteQuestionStyle) != IDYES) {
    return;
  }
  std::string bytes;
  if (ReportFileType == kReportFileJson) {
    bytes = JsonReport();
  } else {
    bytes = ReportText(GatherReport(ReportFileType == kReportFileTextUtf8));
  }
  std::string error;
  if (!SaveFileReplacing(name, bytes, &error)) Ask(error, MB_OK | MB_ICONERROR);
}

// The printer gets the ANSI report, as the default file does: one text layout,
// whose Courier output the tests read back byte for byte.
void TfrmTarvisk::btnPrintClick() {
  std::string error;
  if (!PrintReportText(ReportText(GatherReport()), &error)) Ask(error, MB_OK | MB_ICONERROR);
}
