#include "target/TargetSnapshot.h"

#include "inspect/StyleTables.h"
#include "relations/WindowLists.h"

namespace {

const HandleFormatter kNoHandleText = [](uint32_t) { return std::string(); };

}  // namespace

GraphicFacts GraphicPositions(const WindowSystem& ws, Hwnd target, WinPoint point) {
  GraphicFacts g;
  g.screen = point;
  // Without a window (or once it is gone) there is no rectangle to measure
  // from; the position stays unknown rather than made up.
  g.hasWindowRect = target != 0 && ws.IsWindow(target);
  if (g.hasWindowRect) {
    const WinRect r = ws.WindowRect(target);
    g.inWindow = {point.x - r.left, point.y - r.top};
  }
  g.inClient = ws.ScreenToClient(target, point);
  return g;
}

TargetReading::TargetReading(const WindowSystem& ws, SnapshotSources sources)
    : m_ws(ws), m_sources(std::move(sources)) {}

void TargetReading::SetTarget(Hwnd target) {
  m_target = target;
  m_fresh &= Bit(TargetPart::Digger);  // the windows under the point do not depend on the target
}

void TargetReading::SetPoint(WinPoint point) {
  if (point == m_point) return;
  m_point = point;
  MarkStale(TargetPart::Digger);
  MarkStale(TargetPart::Graphic);
}

void TargetReading::SetListOptions(bool showSubchildren, bool digChildren) {
  if (showSubchildren != m_snapshot.showSubchildren) MarkStale(TargetPart::Children);
  if (digChildren != m_snapshot.digChildren) MarkStale(TargetPart::Digger);
  m_snapshot.showSubchildren = showSubchildren;
  m_snapshot.digChildren = digChildren;
}

bool TargetReading::Take(TargetPart part) {
  if (Fresh(part)) return false;
  m_fresh |= Bit(part);
  return true;
}

const WindowFacts& TargetReading::Window() {
  if (Take(TargetPart::Window)) m_snapshot.window = GatherWindowFacts(m_ws, m_target);
  return m_snapshot.window;
}

const std::vector<WindowRow>& TargetReading::Parents() {
  if (Take(TargetPart::Parents)) m_snapshot.parents = ParentRows(m_ws, m_target, kNoHandleText);
  return m_snapshot.parents;
}

const std::vector<WindowRow>& TargetReading::Children() {
  if (Take(TargetPart::Children)) {
    m_snapshot.children = ChildRows(m_ws, m_target, m_snapshot.showSubchildren, kNoHandleText);
  }
  return m_snapshot.children;
}

const std::vector<WindowRow>& TargetReading::Digger() {
  if (Take(TargetPart::Digger)) m_snapshot.digger = DiggerRows(m_ws, m_point, m_snapshot.digChildren, kNoHandleText);
  return m_snapshot.digger;
}

const ProcessInfo& TargetReading::Process() {
  const uint32_t id = Window().processId;
  // Modules are walked once per process: moving within one program costs nothing.
  if (!m_processRead || id != m_processId) {
    m_processRead = true;
    m_processId = id;
    m_snapshot.process = m_sources.process ? m_sources.process(id) : ProcessInfo{};
  }
  m_fresh |= Bit(TargetPart::Process);
  return m_snapshot.process;
}

const GraphicFacts& TargetReading::Graphic() {
  if (Take(TargetPart::Graphic)) {
    GraphicFacts g = GraphicPositions(m_ws, m_target, m_point);
    if (m_sources.pixel) g.hasColor = m_sources.pixel(m_point, g.color);
    m_snapshot.graphic = g;
  }
  return m_snapshot.graphic;
}

void TargetReading::SetGraphic(const GraphicFacts& graphic) {
  m_snapshot.graphic = graphic;
  m_fresh |= Bit(TargetPart::Graphic);
}

const TargetSnapshot& TargetReading::Complete() {
  Window();
  Parents();
  Children();
  Digger();
  Process();
  Graphic();
  return m_snapshot;
}

TargetSnapshot GatherTargetSnapshot(const WindowSystem& ws, Hwnd target, const SnapshotOptions& options,
                                    const SnapshotSources& sources) {
  TargetReading reading(ws, sources);
  reading.SetListOptions(options.showSubchildren, options.digChildren);
  reading.SetTarget(target);
  reading.SetPoint(options.point);
  return reading.Complete();
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
