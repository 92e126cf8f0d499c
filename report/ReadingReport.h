#pragma once
// The text and JSON reports of one reading, as the Save command, Print and the
// command line write them: what is saved is what the pages show.
#include <functional>
#include <string>

#include "relations/WindowRows.h"
#include "report/JsonReport.h"
#include "report/Report.h"
#include "reading/Reading.h"

// How the pages would show the reading: the display options, the lists'
// order, and the title named in the closing block.
struct ReportView {
  DisplayOptions options;
  SortState sort;
  CellCompare compare = [](const std::string& a, const std::string& b) { return OrdinalCompare(a, b); };
  std::string title = "Tarvisk";
  // The text report ends with the Details section (/report /details).
  bool details = false;
};

// Between the two encodings a report comes in: the ANSI code page and UTF-8.
struct ReportEncoding {
  TextToUtf8 ansiToUtf8;
  TextToUtf8 utf8ToAnsi;
};

// The texts the pages would show for this reading, in UTF-8.
ReportInput ReadingReportInput(const Reading& reading, const ReportView& view,
                                const ReportEncoding& encoding);
// The 80-column text report: in the ANSI code page, or in UTF-8 with its
// columns counting characters.
std::string ReadingTextReport(const Reading& reading, const ReportView& view,
                               const ReportEncoding& encoding, bool utf8);
std::string ReadingJsonReport(const Reading& reading, const ReportView& view,
                               const ReportEncoding& encoding);
