#include "report/Report.h"

#include <algorithm>

namespace {

const char* const kCrLf = "\r\n";

const char* const kReportMaker = " Norvane ";

template <typename Page>
struct FieldRow {
  const char* label;
  std::string Page::*field;
};

// Each row: the label written in the first 20 columns, then the field's text.
// A null label stands for the caption of lblText, which changes with the window.
const FieldRow<WindowPageTexts> kWindowRows[] = {
    {nullptr, &WindowPageTexts::text},
    {"Process ID", &WindowPageTexts::process},
    {"App instance", &WindowPageTexts::instance},
    {"Handle", &WindowPageTexts::handle},
    {"Parent handle", &WindowPageTexts::parent},
    {"Control ID", &WindowPageTexts::controlId},
    {"Function", &WindowPageTexts::function},
    {"Menu handle", &WindowPageTexts::menu},
    {"Coords in parent", &WindowPageTexts::parentCoords},
    {"Coords in screen", &WindowPageTexts::screenCoords},
    {"Window size", &WindowPageTexts::windowSize},
    {"Client area size", &WindowPageTexts::clientSize},
    {"Style", &WindowPageTexts::style},
    {"Extended style", &WindowPageTexts::exStyle},
};

const FieldRow<ClassPageTexts> kClassRows[] = {
    {"Name", &ClassPageTexts::name},
    {"Function", &ClassPageTexts::function},
    {"Icon", &ClassPageTexts::icon},
    {"Small icon", &ClassPageTexts::smallIcon},
    {"Cursor", &ClassPageTexts::cursor},
    {"Bkg brush", &ClassPageTexts::brush},
    {"Module handle", &ClassPageTexts::moduleHandle},
    {"Style", &ClassPageTexts::style},
};

const FieldRow<ExecutablePageTexts> kExecutableReportRows[] = {
    {"File path", &ExecutablePageTexts::exePath},
    {"File name", &ExecutablePageTexts::exeName},
    {"Original file name", &ExecutablePageTexts::originalFilename},
    {"File description", &ExecutablePageTexts::fileDescription},
    {"File version", &ExecutablePageTexts::fileVersion},
    {"Product name", &ExecutablePageTexts::productName},
    {"Internal name", &ExecutablePageTexts::internalName},
    {"Legal copyright", &ExecutablePageTexts::legalCopyright},
    {"Legal trademarks", &ExecutablePageTexts::legalTrademarks},
    {"Product version", &ExecutablePageTexts::productVersion},
    {"Company name", &ExecutablePageTexts::companyName},
    {"Comments", &ExecutablePageTexts::comments},
};

const FieldRow<GraphicPageTexts> kGraphicRows[] = {
    {"Pos in screen", &GraphicPageTexts::screen},
    {"Pos in window", &GraphicPageTexts::window},
    {"Pos in client", &GraphicPageTexts::client},
    {"Pixel color", &GraphicPageTexts::rgb},
};

std::string TitleLine(const std::string& title) {
  return PadField(title, '*', kReportWidth) + kCrLf + kCrLf;
}

std::string LabelValueRow(const std::string& label, const std::string& value) {
  return PadField(label, ' ', kLabelWidth) + PadField(value, ' ', kValueWidth) + kCrLf;
}

template <typename Page, size_t N>
std::string LabelValueRows(const FieldRow<Page> (&rows)[N], const Page& page,
                           const std::string& labelForNull = std::string()) {
  std::string out;
  for (const FieldRow<Page>& row : rows)
    out += LabelValueRow(row.label ? std::string(row.label) : labelForNull, page.*row.field);
  return out;
}

}  // namespace

const char* const kReportCopyright = " Copyright (c) Norvane. All rights reserved.";
const char* const kReportWebAddress = "https://norvane.example.com/";

std::string PadField(const std::string& text, char fill, int width) {
  if (width <= 0) return std::string();
  const size_t w = static_cast<size_t>(width);
  if (text.size() > w) {
    // Narrower than the ellipsis itself only happens with degenerate column
    // widths; the cut still keeps the row at its width.
    if (w <= 3) return std::string(w, '.');
    return text.substr(0, w - 3) + "...";
  }
  return text + std::string(w - text.size(), fill);
}

// Positions are counted from 1 as in the scan rule: the count of a line
// restarts at the scan position where it overflowed, not at the break, so a
// wrapped line is often longer than width. The break replaces the blank after
// the last bar by CR and inserts LF after it.
std::string WrapAtBars(std::string s, int width) {
  size_t lastBar = 0, lineStart = 1, i = 1;
  const size_t w = width < 0 ? 0 : static_cast<size_t>(width);
  while (i < s.size()) {
    if (s[i - 1] == '|') lastBar = i;
    ++i;
    // Without a bar since the line began there is nowhere to break: breaking
    // at the stale bar would write a second line end there, and with no bar
    // at all it would overwrite the first character. Wait for the next bar.
    if (i - lineStart > w && lastBar >= lineStart && lastBar < s.size()) {
      s[lastBar] = '\r';  // position lastBar + 1
      s.insert(lastBar + 1, 1, '\n');
      ++i;
      lineStart = i;
    }
  }
  return s;
}

std::string WindowInfoSection(const ReportInput& in) {
  return TitleLine("*** Window Information ") +
         LabelValueRows(kWindowRows, in.window, in.window.textLabel) +
         WrapAtBars(in.window.styleMemo, kReportWidth) + kCrLf + kCrLf;
}

std::string ClassInfoSection(const ReportInput& in) {
  return TitleLine("*** Class Information ") + LabelValueRows(kClassRows, in.windowClass) +
         WrapAtBars(in.windowClass.styleMemo, kReportWidth) + kCrLf + kCrLf;
}

std::string ExecutableSection(const ReportInput& in) {
  return TitleLine("*** Executable Information ") +
         LabelValueRows(kExecutableReportRows, in.executable) + kCrLf;
}

std::string GraphicSection(const ReportInput& in) {
  return TitleLine("*** Graphic Information ") + LabelValueRows(kGraphicRows, in.graphic) +
         kCrLf;
}

WindowListWidths WindowListColumnWidths(const std::vector<ReportListRow>& rows,
                                        int integerFormat) {
  int hw;
  if (integerFormat == kFormatHexadecimal) {
    hw = 10;
  } else if (integerFormat == kFormatDecimal) {
    size_t longest = 6;
    for (const ReportListRow& row : rows) longest = std::max(longest, row.handle.size());
    // Handle texts are formatted numbers; the cap only keeps the other
    // columns from going negative on absurd input.
    hw = static_cast<int>(std::min<size_t>(longest, 40)) + 2;
  } else {
    hw = 34;  // binary, or no format selected
  }
  const int cw = (75 - hw) / 2 - 1;
  return {hw, cw, 75 - hw - cw - 2};
}

std::string WindowListSection(const std::vector<ReportListRow>& rows, const std::string& name,
                              int integerFormat) {
  const WindowListWidths w = WindowListColumnWidths(rows, integerFormat);
  std::string out = TitleLine("*** " + name + " ");
  out += PadField("#", ' ', 5) + PadField("Handle", ' ', w.handle) +
         PadField("Class name", ' ', w.className) + "  " + PadField("Text", ' ', w.text) + kCrLf +
         kCrLf;
  for (const ReportListRow& row : rows)
    out += PadField(row.number, ' ', 5) + PadField(row.handle, ' ', w.handle) +
           PadField(row.className, ' ', w.className) + "  " + PadField(row.text, ' ', w.text) +
           kCrLf;
  return out + kCrLf;
}

std::string ModulesSection(const std::vector<ReportModuleRow>& rows) {
  std::string out = TitleLine("*** Modules ");
  out += LabelValueRow("File", "Path") + kCrLf;
  for (const ReportModuleRow& row : rows) out += LabelValueRow(row.file, row.path);
  return out + kCrLf;
}

void WriteReport(const ReportInput& in, ReportSink& sink) {
  const std::string sections[] = {
      WindowInfoSection(in),
      ClassInfoSection(in),
      WindowListSection(in.parents, "Parents", in.integerFormat),
      WindowListSection(in.children, "Children", in.integerFormat),
      WindowListSection(in.digger, "Digger", in.integerFormat),
      ExecutableSection(in),
      ModulesSection(in.modules),
      GraphicSection(in),
  };
  for (const std::string& section : sections) {
    sink.Write(section);
    sink.LineEnd();
  }
  sink.Write(PadField(std::string(), '*', kReportWidth) + kCrLf);
  sink.LineEnd();
  sink.Write(kReportMaker + in.title + kReportCopyright);
  sink.LineEnd();
  sink.Write(std::string(" ") + kReportWebAddress);
  sink.LineEnd();
}

std::string ReportText(const ReportInput& in) {
  StringReportSink sink;
  WriteReport(in, sink);
  return sink.Text();
}
