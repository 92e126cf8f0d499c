#include "report/TargetSnapshot.h"

#include "inspect/StyleTables.h"
#include "relations/WindowLists.h"

namespace {

const HandleFormatter kNoHandleText = [](uint32_t) { return std::string(); };

std::vector<ReportListRow> ListRows(std::vector<WindowRow> rows, const DisplayOptions& opts,
                                    const SortState& sort, const CellCompare& compare) {
  // The Handle column sorts by its text, so the texts come first.
  for (WindowRow& row : rows) row.handleText = FormatInteger(row.handle, opts);
  SortRows(rows, sort, compare);
  std::vector<ReportListRow> out;
  out.reserve(rows.size());
  for (const WindowRow& row : rows) out.push_back({row.number, row.handleText, row.className, row.text});
  return out;
}

}  // namespace

TargetSnapshot GatherTargetSnapshot(const WindowSystem& ws, Hwnd target, const SnapshotOptions& options,
                                    const SnapshotSources& sources) {
  TargetSnapshot s;
  s.window = GatherWindowFacts(ws, target);
  s.showSubchildren = options.showSubchildren;
  s.digChildren = options.digChildren;
  s.parents = ParentRows(ws, target, kNoHandleText);
  s.children = ChildRows(ws, target, options.showSubchildren, kNoHandleText);
  s.digger = DiggerRows(ws, options.point, options.digChildren, kNoHandleText);
  if (sources.process) s.process = sources.process(s.window.processId);

  GraphicFacts& g = s.graphic;
  g.screen = options.point;
  g.hasWindowRect = target != 0 && ws.IsWindow(target);
  if (g.hasWindowRect) {
    const WinRect r = s.window.screenCoords;
    g.inWindow = {options.point.x - r.left, options.point.y - r.top};
  }
  g.inClient = ws.ScreenToClient(target, options.point);
  if (sources.pixel) g.hasColor = sources.pixel(options.point, g.color);
  return s;
}

ReportInput SnapshotReportInput(const TargetSnapshot& s, const DisplayOptions& opts, const SortState& sort,
                                const CellCompare& compare, const std::string& title) {
  ReportInput in;
  in.title = title;
  in.integerFormat = opts.integerFormat;

  const WindowInfo info = DescribeWindow(s.window, opts);
  in.window = {info.textCaption, info.text,         info.process,      info.instance,
               info.handle,      info.parent,       info.controlId,    info.function,
               info.menu,        info.parentCoords, info.screenCoords, info.windowSize,
               info.clientSize,  info.style,        info.exStyle,      info.styleMemo};
  in.windowClass = {info.className, info.classFunction, info.icon,       info.smallIcon,
                    info.cursor,    info.brush,         info.moduleHandle, info.classStyle,
                    info.classStyleMemo};

  in.parents = ListRows(s.parents, opts, sort, compare);
  in.children = ListRows(s.children, opts, sort, compare);
  in.digger = ListRows(s.digger, opts, sort, compare);

  const auto exe = ExecutableFieldTexts(s.process.executable);
  ExecutablePageTexts& e = in.executable;
  std::string* fields[kExecutableRowCount] = {
      &e.exePath,     &e.exeName,        &e.originalFilename, &e.fileDescription,
      &e.fileVersion, &e.productName,    &e.internalName,     &e.legalCopyright,
      &e.legalTrademarks, &e.productVersion, &e.companyName,  &e.comments};
  for (int i = 0; i < kExecutableRowCount; ++i) *fields[i] = exe[i];
  for (const ModuleRow& row : s.process.modules) in.modules.push_back({row.file, row.folder});

  const GraphicFacts& g = s.graphic;
  in.graphic.screen = PointText(g.screen.x, g.screen.y);
  in.graphic.window = g.hasWindowRect ? PointText(g.inWindow.x, g.inWindow.y) : std::string();
  in.graphic.client = PointText(g.inClient.x, g.inClient.y);
  in.graphic.rgb = g.hasColor ? PixelColorText(g.color, opts) : std::string();
  return in;
}

std::vector<std::string> SplitConstantNames(const std::string& decoded) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < decoded.size()) {
    const size_t at = decoded.find(StyleSeparator, start);
    const size_t end = at == std::string::npos ? decoded.size() : at;
    names.push_back(decoded.substr(start, end - start));
    if (at == std::string::npos) break;
    start = at + kStyleSeparatorLength;
  }
  return names;
}
