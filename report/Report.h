#pragma once
// The 80-column plain-text report of everything the information pages show.
// It is built from the texts as they stand in the page controls, which the
// Win32 side copies into a ReportInput first; nothing here reads a window.
#include <functional>
#include <string>
#include <vector>

#include "details/DetailsRows.h"
#include "inspect/Format.h"

// Texts of the Window page, in the order of its report rows.
struct WindowPageTexts {
  std::string textLabel = "Text";  // caption of lblText: "Text" or "Resource ID"
  std::string text, process, instance, handle, parent, controlId, function, menu;
  std::string parentCoords, screenCoords, windowSize, clientSize, style, exStyle;
  std::string styleMemo;  // memStyle, the decoded constants
};

struct ClassPageTexts {
  std::string name, function, icon, smallIcon, cursor, brush, moduleHandle, style;
  std::string styleMemo;  // memClassStyle
};

struct ExecutablePageTexts {
  std::string exePath, exeName, originalFilename, fileDescription, fileVersion, productName;
  std::string internalName, legalCopyright, legalTrademarks, productVersion, companyName, comments;
};

struct GraphicPageTexts {
  std::string screen, window, client, rgb;
};

// One row of the Parents, Children or Digger list: the caption (column "#")
// and the three sub-items.
struct ReportListRow {
  std::string number, handle, className, text;
};

// One row of the Modules list: the caption and the first sub-item.
struct ReportModuleRow {
  std::string file, path;
};

struct ReportInput {
  std::string title = "Tarvisk";  // application title, named in the closing block
  int integerFormat = kFormatHexadecimal;  // rgrFormat's index; -1 when none is selected
  WindowPageTexts window;
  ClassPageTexts windowClass;
  std::vector<ReportListRow> parents, children, digger;  // in the lists' current order
  ExecutablePageTexts executable;
  std::vector<ReportModuleRow> modules;
  GraphicPageTexts graphic;
  // The Details section after the report's last one (/report /details); Save
  // and Print never have it.
  bool withDetails = false;
  std::vector<DetailsGroup> details;
  // The texts are UTF-8 and the columns count characters; otherwise each byte
  // is a character, as in a report of the ANSI code page.
  bool utf8 = false;
};

// The same input with every text passed through `convert` (a code-page
// conversion): the layout is then made from the converted texts, so a column
// keeps its width whatever a character became.
ReportInput ConvertReportTexts(ReportInput in, const std::function<std::string(const std::string&)>& convert);

// Takes the report in pieces; LineEnd ends a line (CR LF for a file; the
// printer's text device reads the same two bytes).
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Write(const std::string& text) = 0;
  virtual void LineEnd() = 0;
};

// Collects the report's bytes, for a file or a test.
class StringReportSink : public ReportSink {
 public:
  void Write(const std::string& text) override { m_text += text; }
  void LineEnd() override { m_text += "\r\n"; }
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

constexpr int kReportWidth = 80;
constexpr int kLabelWidth = 20;
constexpr int kValueWidth = 60;

// Cuts the text to width characters ending in "..." when it is longer,
// otherwise fills it with fill up to width. Characters are bytes unless `utf8`.
std::string PadField(const std::string& text, char fill, int width, bool utf8 = false);

// Breaks a decoded constant list after some "|" bars (see Report.cpp).
std::string WrapAtBars(std::string text, int width, bool utf8 = false);

std::string WindowInfoSection(const ReportInput& in);
std::string ClassInfoSection(const ReportInput& in);
std::string ExecutableSection(const ReportInput& in);
std::string GraphicSection(const ReportInput& in);
std::string WindowListSection(const std::vector<ReportListRow>& rows, const std::string& name,
                              int integerFormat, bool utf8 = false);
std::string ModulesSection(const std::vector<ReportModuleRow>& rows, bool utf8 = false);
// The Details section (/report /details), laid out as the sections above:
// each group's title on a line of its own, then its rows, then a blank line.
std::string DetailsSection(const std::vector<DetailsGroup>& groups, bool utf8 = false);

struct WindowListWidths {
  int handle, className, text;
};
WindowListWidths WindowListColumnWidths(const std::vector<ReportListRow>& rows, int integerFormat);

// The maker's notice and web page in the closing block.
extern const char* const kReportCopyright;  // begins with a blank
extern const char* const kReportWebAddress;

void WriteReport(const ReportInput& in, ReportSink& sink);
std::string ReportText(const ReportInput& in);
