#include "reading/Reading.h"

#include "reading/WindowLists.h"

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

TargetReading::TargetReading(const WindowSystem& ws, ReadingSources sources)
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
  if (showSubchildren != m_parts.showSubchildren) MarkStale(TargetPart::Children);
  if (digChildren != m_parts.digChildren) MarkStale(TargetPart::Digger);
  m_parts.showSubchildren = showSubchildren;
  m_parts.digChildren = digChildren;
}

// A part is fresh once its reading has ended: reading this program's own
// windows can bring one of its pages up to date, which may ask for the part
// being read and must then read it too rather than take what was there.
template <typename Value, typename Read>
const Value& TargetReading::ReadPart(TargetPart part, Value& value, Read read) {
  if (Fresh(part)) return value;
  Value fresh = read();
  value = std::move(fresh);
  m_fresh |= Bit(part);
  return value;
}

const WindowFacts& TargetReading::Window() {
  return ReadPart(TargetPart::Window, m_parts.window, [&] { return ReadWindowFacts(m_ws, m_target, Facts::Pages); });
}

const std::vector<WindowRow>& TargetReading::Parents() {
  return ReadPart(TargetPart::Parents, m_parts.parents, [&] { return ParentRows(m_ws, m_target, kNoHandleText); });
}

const std::vector<WindowRow>& TargetReading::Children() {
  return ReadPart(TargetPart::Children, m_parts.children,
                  [&] { return ChildRows(m_ws, m_target, m_parts.showSubchildren, kNoHandleText); });
}

const std::vector<WindowRow>& TargetReading::Digger() {
  return ReadPart(TargetPart::Digger, m_parts.digger,
                  [&] { return DiggerRows(m_ws, m_point, m_parts.digChildren, kNoHandleText); });
}

const ProcessInfo& TargetReading::Process() {
  const uint32_t id = Window().processId, host = Window().hostProcessId;
  // Modules are walked once per process: moving within one program costs nothing.
  if (!m_processRead || id != m_processId || host != m_hostId) {
    m_processRead = true;
    m_processId = id;
    m_hostId = host;
    m_parts.process = m_sources.process ? m_sources.process(id) : ProcessInfo{};
    m_parts.hostExecutable = host && m_sources.executableName ? m_sources.executableName(host) : std::string();
    ++m_processReads;
  }
  m_fresh |= Bit(TargetPart::Process);
  return m_parts.process;
}

const GraphicFacts& TargetReading::Graphic() {
  return ReadPart(TargetPart::Graphic, m_parts.graphic, [&] {
    GraphicFacts g = GraphicPositions(m_ws, m_target, m_point);
    if (m_sources.pixel) g.hasColor = m_sources.pixel(m_point, g.color);
    return g;
  });
}

const SelectorFacts& TargetReading::Selectors() {
  return ReadPart(TargetPart::Selectors, m_parts.selectors,
                  [&] { return m_sources.selectors ? m_sources.selectors(m_target) : SelectorFacts{}; });
}

const WindowDetails& TargetReading::Details() {
  return ReadPart(TargetPart::Details, m_parts.details, [&] {
    return m_sources.details ? m_sources.details(Window()) : UnavailableDetails(m_target, m_ws.AddressBits());
  });
}

void TargetReading::SetGraphic(const GraphicFacts& graphic) {
  m_parts.graphic = graphic;
  m_fresh |= Bit(TargetPart::Graphic);
}

const Reading& TargetReading::Complete() {
  Window();
  Parents();
  Children();
  Digger();
  Process();
  Graphic();
  Selectors();
  return m_parts;
}

Reading ReadTarget(const WindowSystem& ws, Hwnd target, const ReadingOptions& options,
                                    const ReadingSources& sources) {
  TargetReading reading(ws, sources);
  reading.SetListOptions(options.showSubchildren, options.digChildren);
  reading.SetTarget(target);
  reading.SetPoint(options.point);
  reading.Complete();
  if (options.details) reading.Details();
  return reading.Last();
}
