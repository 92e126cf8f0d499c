#include "report/Report.h"

#include <algorithm>

#include "platform/Utf8.h"

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

std::string LabelValueRow(const std::string& label, const std::string& value, bool utf8) {
  return PadField(label, ' ', kLabelWidth, utf8) + PadField(value, ' ', kValueWidth, utf8) + kCrLf;
}

template <typename Page, size_t N>
std::string LabelValueRows(const FieldRow<Page> (&rows)[N], const Page& page, bool utf8,
                           const std::string& labelForNull = std::string()) {
  std::string out;
  for (const FieldRow<Page>& row : rows)
    out += LabelValueRow(row.label ? std::string(row.label) : labelForNull, page.*row.field, utf8);
  return out;
}

template <typename Page, size_t N>
void ConvertRows(const FieldRow<Page> (&rows)[N], Page& page,
                 const std::function<std::string(const std::string&)>& convert) {
  for (const FieldRow<Page>& row : rows) page.*row.field = convert(page.*row.field);
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

const char* const kReportCopyright = " Copyright (c) Norvane. All rights reserved.";
const char* const kReportWebAddress = "https://norvane.example.com/";

ReportInput ConvertReportTexts(ReportInput in, const std::function<std::string(const std::string&)>& convert) {
  in.title = convert(in.title);
  in.window.textLabel = convert(in.window.textLabel);
  ConvertRows(kWindowRows, in.window, convert);
  in.window.styleMemo = convert(in.window.styleMemo);
  ConvertRows(kClassRows, in.windowClass, convert);
  in.windowClass.styleMemo = convert(in.windowClass.styleMemo);
  for (auto* list : {&in.parents, &in.children, &in.digger}) {
    for (ReportListRow& row : *list) {
      for (std::string* cell : {&row.number, &row.handle, &row.className, &row.text}) *cell = convert(*cell);
    }
  }
  ConvertRows(kExecutableReportRows, in.executable, convert);
  for (ReportModuleRow& row : in.modules) {
    row.file = convert(row.file);
    row.path = convert(row.path);
  }
  ConvertRows(kGraphicRows, in.graphic, convert);
  for (DetailsGroup& group : in.details) {
    group.title = convert(group.title);
    for (DetailsRow& row : group.rows) {
      row.name = convert(row.name);
      row.value = convert(row.value);
    }
  }
  return in;
}

std::string PadField(const std::string& text, char fill, int width, bool utf8) {
  if (width <= 0) return std::string();
  const size_t w = static_cast<size_t>(width);
  const size_t length = utf8 ? Utf8Length(text) : text.size();
  if (length > w) {
    // Narrower than the ellipsis itself only happens with degenerate column
    // widths; the cut still keeps the row at its width.
    if (w <= 3) return std::string(w, '.');
    return (utf8 ? Utf8Prefix(text, w - 3) : text.substr(0, w - 3)) + "...";
  }
  return text + std::string(w - length, fill);
}

// Positions are counted from 1 as in the scan rule: the count of a line
// restarts at the scan position where it overflowed, not at the break, so a
// wrapped line is often longer than width. The break replaces the blank after
// the last bar by CR and inserts LF after it.
// In UTF-8 the count goes by characters: the bytes that continue one are
// passed without counting.
std::string WrapAtBars(std::string s, int width, bool utf8) {
  size_t lastBar = 0, lineStart = 1, i = 1, counted = 0;
  const size_t w = width < 0 ? 0 : static_cast<size_t>(width);
  while (i < s.size()) {
    if (s[i - 1] == '|') lastBar = i;
    ++i;
    if (!(utf8 && IsContinuationByte(s[i - 1]))) ++counted;
    // Without a bar since the line began there is nowhere to break: breaking
    // at the stale bar would write a second line end there, and with no bar
    // at all it would overwrite the first character. Wait for the next bar.
    if (counted > w && lastBar >= lineStart && lastBar < s.size()) {
      s[lastBar] = '\r';  // position lastBar + 1
      s.insert(lastBar + 1, 1, '\n');
      ++i;
      lineStart = i;
      counted = 0;
    }
  }
  return s;
}

std::string WindowInfoSection(const ReportInput& in) {
  return TitleLine("*** Window Information ") +
         LabelValueRows(kWindowRows, in.window, in.utf8, in.window.textLabel) +
         WrapAtBars(in.window.styleMemo, kReportWidth, in.utf8) + kCrLf + kCrLf;
}

std::string ClassInfoSection(const ReportInput& in) {
  return TitleLine("*** Class Information ") + LabelValueRows(kClassRows, in.windowClass, in.utf8) +
         WrapAtBars(in.windowClass.styleMemo, kReportWidth, in.utf8) + kCrLf + kCrLf;
}

std::string ExecutableSection(const ReportInput& in) {
  return TitleLine("*** Executable Information ") +
         LabelValueRows(kExecutableReportRows, in.executable, in.utf8) + kCrLf;
}

std::string GraphicSection(const ReportInput& in) {
  return TitleLine("*** Graphic Information ") + LabelValueRows(kGraphicRows, in.graphic, in.utf8) +
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
                              int integerFormat, bool utf8) {
  const WindowListWidths w = WindowListColumnWidths(rows, integerFormat);
  std::string out = TitleLine("*** " + name + " ");
  out += PadField("#", ' ', 5) + PadField("Handle", ' ', w.handle) +
         PadField("Class name", ' ', w.className) + "  " + PadField("Text", ' ', w.text) + kCrLf +
         kCrLf;
  for (const ReportListRow& row : rows)
    out += PadField(row.number, ' ', 5) + PadField(row.handle, ' ', w.handle) +
           PadField(row.className, ' ', w.className, utf8) + "  " + PadField(row.text, ' ', w.text, utf8) +
           kCrLf;
  return out + kCrLf;
}

std::string ModulesSection(const std::vector<ReportModuleRow>& rows, bool utf8) {
  std::string out = TitleLine("*** Modules ");
  out += LabelValueRow("File", "Path", utf8) + kCrLf;
  for (const ReportModuleRow& row : rows) out += LabelValueRow(row.file, row.path, utf8);
  return out + kCrLf;
}

std::string DetailsSection(const std::vector<DetailsGroup>& groups, bool utf8) {
  std::string out = TitleLine("*** Details ");
  for (const DetailsGroup& g : groups) {
    out += PadField(g.title, ' ', kReportWidth, utf8) + kCrLf;
    for (const DetailsRow& r : g.rows) {
      out += PadField(r.name, ' ', kLabelWidth, utf8) + PadField(r.value, ' ', kValueWidth, utf8) + kCrLf;
    }
    out += kCrLf;
  }
  return out;
}

void WriteReport(const ReportInput& in, ReportSink& sink) {
  const std::string sections[] = {
      WindowInfoSection(in),
      ClassInfoSection(in),
      WindowListSection(in.parents, "Parents", in.integerFormat, in.utf8),
      WindowListSection(in.children, "Children", in.integerFormat, in.utf8),
      WindowListSection(in.digger, "Digger", in.integerFormat, in.utf8),
      ExecutableSection(in),
      ModulesSection(in.modules, in.utf8),
      GraphicSection(in),
  };
  for (const std::string& section : sections) {
    sink.Write(section);
    sink.LineEnd();
  }
  if (in.withDetails) {
    sink.Write(DetailsSection(in.details, in.utf8));
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
