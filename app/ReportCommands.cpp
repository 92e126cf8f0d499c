// Save and Print: the report of the reading the pages show, saved to a file
// chosen in the save dialog or printed at once.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "platform/CodePages.h"
#include "platform/OnDemandDlls.h"
#include "platform/ReportFile.h"
#include "relations/RelationControls.h"
#include "report/ReportPrinter.h"
#include "report/ReadingReport.h"
#include "ui/MessageBoxes.h"

namespace {

const ReportEncoding kCodePage{AnsiToUtf8, Utf8ToAnsi};

}  // namespace

// The reading the pages show, every part of it: a part no page has asked for
// yet is read now, as the page would read it when it shows.
ReportInput TfrmTarvisk::GatherReport(bool utf8) {
  ReportView view{CurrentDisplayOptions(), Inspected.sort, LocaleCompare, kAppTitle};
  ReportInput in = ReadingReportInput(ListReading().Complete(), view, kCodePage);
  if (utf8) return in;
  in.utf8 = false;
  return ConvertReportTexts(in, Utf8ToAnsi);
}

std::string TfrmTarvisk::TextReport(bool utf8) { return ReportText(GatherReport(utf8)); }

// The JSON report holds the details too, as the command line's does.
std::string TfrmTarvisk::JsonReport() {
  ReportView view{CurrentDisplayOptions(), Inspected.sort, LocaleCompare, kAppTitle};
  TargetReading& reading = ListReading();
  reading.Complete();
  reading.Details();
  return ReadingJsonReport(reading.Last(), view, kCodePage);
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
    bytes = TextReport(ReportFileType == kReportFileTextUtf8);
  }
  std::string error;
  if (!SaveFileReplacing(name, bytes, &error)) Ask(error, MB_OK | MB_ICONERROR);
}

// The printer gets the ANSI report, as the default file does: one text layout,
// whose Courier output the tests read back byte for byte.
void TfrmTarvisk::btnPrintClick() {
  std::string error;
  if (!PrintReportText(TextReport(), &error)) Ask(error, MB_OK | MB_ICONERROR);
}
