#include "report/ReadingReport.h"

#include "exeinfo/ModuleList.h"
#include "inspect/WindowInfo.h"
#include "report/JsonReport.h"

namespace {

std::vector<ReportListRow> ListRows(std::vector<WindowRow> rows, const ReportView& view) {
  // The Handle column sorts by its text, so the texts come first.
  for (WindowRow& row : rows) row.handleText = FormatInteger(row.handle, view.options);
  SortRows(rows, view.sort, view.compare);
  std::vector<ReportListRow> out;
  out.reserve(rows.size());
  for (const WindowRow& row : rows) out.push_back({row.number, row.handleText, row.className, row.text});
  return out;
}

}  // namespace

ReportInput ReadingReportInput(const Reading& s, const ReportView& view, const ReportEncoding& encoding) {
  const DisplayOptions& opts = view.options;
  ReportInput in;
  in.title = view.title;
  in.integerFormat = opts.integerFormat;
  in.utf8 = true;

  const WindowInfo info = DescribeWindow(s.window, opts);
  in.window = {info.textCaption, info.text,         info.process,      info.instance,
               info.handle,      info.parent,       info.controlId,    info.function,
               info.menu,        info.parentCoords, info.screenCoords, info.windowSize,
               info.clientSize,  info.style,        info.exStyle,      info.styleMemo};
  in.windowClass = {info.className, info.classFunction, info.icon,       info.smallIcon,
                    info.cursor,    info.brush,         info.moduleHandle, info.classStyle,
                    info.classStyleMemo};

  in.parents = ListRows(s.parents, view);
  in.children = ListRows(s.children, view);
  in.digger = ListRows(s.digger, view);

  // The executable's texts come in the code page; the rest is UTF-8 already.
  const auto exe = ExecutableFieldTexts(s.process.executable);
  ExecutablePageTexts& e = in.executable;
  std::string* fields[kExecutableRowCount] = {
      &e.exePath,     &e.exeName,        &e.originalFilename, &e.fileDescription,
      &e.fileVersion, &e.productName,    &e.internalName,     &e.legalCopyright,
      &e.legalTrademarks, &e.productVersion, &e.companyName,  &e.comments};
  for (int i = 0; i < kExecutableRowCount; ++i) *fields[i] = encoding.ansiToUtf8(exe[i]);
  for (const ModuleRow& row : s.process.modules) {
    in.modules.push_back({encoding.ansiToUtf8(row.file), encoding.ansiToUtf8(row.folder)});
  }

  const GraphicFacts& g = s.graphic;
  in.graphic.screen = PointText(g.screen.x, g.screen.y);
  in.graphic.window = g.hasWindowRect ? PointText(g.inWindow.x, g.inWindow.y) : std::string();
  in.graphic.client = PointText(g.inClient.x, g.inClient.y);
  in.graphic.rgb = g.hasColor ? PixelColorText(g.color, opts) : std::string();
  if (view.details) {
    in.withDetails = true;
    in.details = DescribeDetails(s.details, opts);
  }
  return in;
}

std::string ReadingTextReport(const Reading& reading, const ReportView& view,
                               const ReportEncoding& encoding, bool utf8) {
  ReportInput in = ReadingReportInput(reading, view, encoding);
  if (utf8) return ReportText(in);
  // Laid out in the code page, byte for byte what the report gave before it
  // held more than the code page can say.
  in.utf8 = false;
  return ReportText(ConvertReportTexts(in, encoding.utf8ToAnsi));
}

std::string ReadingJsonReport(const Reading& reading, const ReportView& view,
                               const ReportEncoding& encoding) {
  return JsonReportText(reading, view.options, view.sort, view.compare, encoding.ansiToUtf8);
}
