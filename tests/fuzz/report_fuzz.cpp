// The report's text rules: PadField always gives exactly the width it was asked
// for; WrapAtBars only turns the blank after a bar into a line end, keeps every
// other byte, and breaks often enough that no line runs far past the width; the
// sections and the whole report have the sizes their fixed rows promise, whatever
// bytes the fields hold.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "report/Report.h"

namespace {

void CheckPadField(const std::string& text, char fill, int width) {
  const std::string out = PadField(text, fill, width);
  const std::string what = "PadField('" + Shown(text) + "', " + std::to_string(width) + ")";
  const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
  FUZZ_CHECK(out.size() == w, what + " has " + std::to_string(out.size()) + " bytes");
  if (text.size() <= w) {
    FUZZ_CHECK(out.compare(0, text.size(), text) == 0, what + " changed the text");
    FUZZ_CHECK(out.find_first_not_of(fill, text.size()) == std::string::npos,
               what + " filled with something else");
  } else if (w > 3) {
    FUZZ_CHECK(out.compare(0, w - 3, text, 0, w - 3) == 0 && out.compare(w - 3, 3, "...") == 0,
               what + " -> '" + Shown(out) + "'");
  } else {
    FUZZ_CHECK(out == std::string(w, '.'), what + " -> '" + Shown(out) + "'");
  }
}

// Longest stretch without a bar (before the first, between two, after the last).
size_t LongestBarlessRun(const std::string& s) {
  size_t longest = 0, run = 0;
  for (char c : s) {
    run = c == '|' ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  return longest;
}

void CheckWrap(std::string text, int width) {
  // The report's memos hold no LF of their own; without them every LF in the
  // result is one that the wrapping inserted.
  std::replace(text.begin(), text.end(), '\n', 'n');
  const std::string out = WrapAtBars(text, width);
  const std::string what = "WrapAtBars('" + Shown(text) + "', " + std::to_string(width) + ")";

  // Undo each break: the LF goes, the CR before it becomes the byte it replaced.
  std::string undone;
  std::vector<size_t> lineLengths;
  size_t lineStart = 0;
  for (size_t o = 0; o < out.size(); ++o) {
    if (out[o] != '\n') {
      undone += out[o];
      continue;
    }
    FUZZ_CHECK(o >= 2 && out[o - 1] == '\r' && out[o - 2] == '|',
               what + ": a line end not after a bar at " + std::to_string(o));
    const size_t at = undone.size() - 1;
    FUZZ_CHECK(at < text.size(), what + ": break beyond the text");
    undone[at] = text[at];
    lineLengths.push_back(at - lineStart);  // the line up to and with its bar
    lineStart = at + 1;
  }
  lineLengths.push_back(undone.size() - std::min(lineStart, undone.size()));
  FUZZ_CHECK(undone == text, what + ": bytes other than the broken blanks changed -> '" +
                                 Shown(out) + "'");

  // A line is counted from where the previous overflow was found, so it may run
  // past the width by up to about two bar-less stretches, never more.
  const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
  const size_t bound = w + 2 * LongestBarlessRun(text) + 8;
  for (size_t len : lineLengths)
    FUZZ_CHECK(len <= bound, what + ": a line of " + std::to_string(len) + " bytes (bound " +
                                 std::to_string(bound) + ") -> '" + Shown(out) + "'");
  // Each break needs more than width scanned bytes since the last one.
  FUZZ_CHECK(lineLengths.size() - 1 <= text.size() / (w + 1) + 1,
             what + ": " + std::to_string(lineLengths.size() - 1) + " breaks");
}

std::string Field(FuzzedDataProvider& in) { return in.ConsumeRandomLengthString(120); }

std::vector<ReportListRow> ListRows(FuzzedDataProvider& in) {
  std::vector<ReportListRow> rows(in.ConsumeIntegralInRange<size_t>(0, 6));
  for (ReportListRow& r : rows) r = {Field(in), Field(in), Field(in), Field(in)};
  return rows;
}

ReportInput Input(FuzzedDataProvider& in) {
  ReportInput r;
  r.title = Field(in);
  r.integerFormat = in.ConsumeIntegralInRange<int>(-2, 3);
  WindowPageTexts& w = r.window;
  for (std::string* s : {&w.textLabel, &w.text, &w.process, &w.instance, &w.handle, &w.parent,
                         &w.controlId, &w.function, &w.menu, &w.parentCoords, &w.screenCoords,
                         &w.windowSize, &w.clientSize, &w.style, &w.exStyle})
    *s = Field(in);
  w.styleMemo = in.ConsumeRandomLengthString(400);
  ClassPageTexts& c = r.windowClass;
  for (std::string* s : {&c.name, &c.function, &c.icon, &c.smallIcon, &c.cursor, &c.brush,
                         &c.moduleHandle, &c.style})
    *s = Field(in);
  c.styleMemo = in.ConsumeRandomLengthString(400);
  r.parents = ListRows(in);
  r.children = ListRows(in);
  r.digger = ListRows(in);
  ExecutablePageTexts& e = r.executable;
  for (std::string* s : {&e.exePath, &e.exeName, &e.originalFilename, &e.fileDescription,
                         &e.fileVersion, &e.productName, &e.internalName, &e.legalCopyright,
                         &e.legalTrademarks, &e.productVersion, &e.companyName, &e.comments})
    *s = Field(in);
  r.modules.resize(in.ConsumeIntegralInRange<size_t>(0, 6));
  for (ReportModuleRow& m : r.modules) m = {Field(in), Field(in)};
  GraphicPageTexts& g = r.graphic;
  for (std::string* s : {&g.screen, &g.window, &g.client, &g.rgb}) *s = Field(in);
  return r;
}

// Title line and empty line, rows of 80 bytes and CR LF, then the ending.
size_t LabelSectionSize(size_t rows, size_t ending) { return 84 + rows * 82 + ending; }
size_t ListSectionSize(size_t rows) { return 84 + 84 + rows * 82 + 2; }

// Everything but the section rows: the sink's line end after each section and
// the closing block, whose only variable part is the title.
size_t PredictedSize(const ReportInput& in) {
  return LabelSectionSize(14, WrapAtBars(in.window.styleMemo, kReportWidth).size() + 4) +
         LabelSectionSize(8, WrapAtBars(in.windowClass.styleMemo, kReportWidth).size() + 4) +
         ListSectionSize(in.parents.size()) + ListSectionSize(in.children.size()) +
         ListSectionSize(in.digger.size()) + LabelSectionSize(12, 2) +
         ListSectionSize(in.modules.size()) + LabelSectionSize(4, 2) + in.title.size();
}

void CheckReport(const ReportInput& in) {
  static const size_t kFixed = ReportText(ReportInput()).size() - PredictedSize(ReportInput());
  const std::string text = ReportText(in);
  FUZZ_CHECK(text.size() == PredictedSize(in) + kFixed,
             "report of " + std::to_string(text.size()) + " bytes, expected " +
                 std::to_string(PredictedSize(in) + kFixed));
  FUZZ_CHECK(text.compare(0, 23, "*** Window Information ") == 0);

  const WindowListWidths lw = WindowListColumnWidths(in.parents, in.integerFormat);
  FUZZ_CHECK(lw.handle > 0 && lw.className > 0 && lw.text > 0 &&
                 lw.handle + lw.className + lw.text + 2 == 75,
             "column widths " + std::to_string(lw.handle) + "/" + std::to_string(lw.className) +
                 "/" + std::to_string(lw.text));
  FUZZ_CHECK(WindowListSection(in.digger, "Digger", in.integerFormat).size() ==
             ListSectionSize(in.digger.size()));
  FUZZ_CHECK(ModulesSection(in.modules).size() == ListSectionSize(in.modules.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: {
      const char fill = in.ConsumeIntegral<char>();
      const int width = in.ConsumeIntegralInRange<int>(-4, 200);
      CheckPadField(in.ConsumeRemainingBytesAsString(), fill, width);
      break;
    }
    case 1: {
      // Mostly the report's own width; any other stays cheap to scan.
      const int width = in.ConsumeBool() ? kReportWidth : in.ConsumeIntegralInRange<int>(-3, 300);
      CheckWrap(in.ConsumeRemainingBytesAsString(), width);
      break;
    }
    case 2: {
      // The raw text, LFs and all, must at least keep its bytes' count apart
      // from the inserted LFs.
      const std::string text = in.ConsumeRemainingBytesAsString();
      const std::string out = WrapAtBars(text, kReportWidth);
      FUZZ_CHECK(out.size() >= text.size() && out.size() - text.size() <= text.size() / 81 + 1);
      break;
    }
    default:
      CheckReport(Input(in));
      break;
  }
  return 0;
}
