#pragma once
// One reading of one target: everything the information pages show about it,
// as the platform gave the values. The pages, the text report, the JSON report
// and the command line all render it; none of them reads the target itself.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "exeinfo/ModuleList.h"
#include "platform/WindowSystem.h"
#include "reading/SelectorFacts.h"
#include "reading/WindowDetails.h"
#include "reading/WindowFacts.h"
#include "reading/WindowRow.h"

// What the Graphics page reads at the probe point.
struct GraphicFacts {
  WinPoint screen;            // the probe point
  bool hasWindowRect = false; // false: no window to measure from; "Pos in window" stays empty
  WinPoint inWindow;          // from the window rectangle's top-left corner
  WinPoint inClient;          // ScreenToClient of the target
  bool hasColor = false;      // false: the pixel could not be read
  uint32_t color = 0;         // 0x00BBGGRR
};

// The positions of the probe point against the target; the colour is left to
// whoever reads the screen.
GraphicFacts GraphicPositions(const WindowSystem& ws, Hwnd target, WinPoint point);

struct Reading {
  WindowFacts window;  // Window and Class pages
  // The lists in fill order, numbered from 1; the pages show them sorted.
  // Their handle texts stay empty: the display options come in when a view
  // renders them.
  std::vector<WindowRow> parents, children, digger;
  bool showSubchildren = false, digChildren = true;  // how the lists were filled
  ProcessInfo process;  // Executable and Modules pages
  // The executable of the frame's host, for a frame shown as its app's (WindowFacts::hostProcessId).
  std::string hostExecutable;
  GraphicFacts graphic;
  SelectorFacts selectors;  // known only where the sources give selectors
  // The Details window, the JSON report and the text report's Details
  // section; read only for them (TargetReading::Details).
  WindowDetails details;
};

// How the parts that need more than the window seam are read: the process's
// executable and modules, a pixel of the screen (false when unreadable), and
// the window's details (none: every detail not available).
struct ReadingSources {
  std::function<ProcessInfo(uint32_t processId)> process;
  std::function<std::string(uint32_t processId)> executableName;  // a frame's host
  std::function<bool(WinPoint screen, uint32_t& color)> pixel;
  std::function<SelectorFacts(Hwnd target)> selectors;  // over the live desktop
  // Given the window part: what it holds is not read again.
  std::function<WindowDetails(const WindowFacts& window)> details;
};

enum class TargetPart { Window, Parents, Children, Digger, Process, Graphic, Selectors, Details };

// The reading of the current target, a part at a time: each part is read when
// a view first asks for it, and goes stale when what it depends on changes
// (the target, the probe point, the lists' options). Inspecting a new window
// thus reads only what the views in front of the user ask for.
class TargetReading {
 public:
  TargetReading(const WindowSystem& ws, ReadingSources sources);

  Hwnd Target() const { return m_target; }
  WinPoint Point() const { return m_point; }
  // A new target, or the same one to be read again: every part but the
  // process goes stale; the process is read again when its id changes.
  void SetTarget(Hwnd target);
  // The Digger and the Graphic readouts follow the probe point.
  void SetPoint(WinPoint point);
  void SetListOptions(bool showSubchildren, bool digChildren);
  // Counts the readings of the process part: a view that showed one need
  // not write it again until the count moves.
  unsigned ProcessReads() const { return m_processReads; }

  bool Fresh(TargetPart part) const { return (m_fresh & Bit(part)) != 0; }
  void MarkStale(TargetPart part) { m_fresh &= ~Bit(part); }

  const WindowFacts& Window();
  const std::vector<WindowRow>& Parents();
  const std::vector<WindowRow>& Children();
  const std::vector<WindowRow>& Digger();
  const ProcessInfo& Process();
  const GraphicFacts& Graphic();
  const SelectorFacts& Selectors();
  // Everything else the system knows about the window; read only when a view
  // asks for it (the Details window, the JSON report, /details).
  const WindowDetails& Details();
  // A Graphic part whose colour the caller read from a capture it made.
  void SetGraphic(const GraphicFacts& graphic);

  // Every part but the details, read where stale: what the pages show and
  // Save and Print write.
  const Reading& Complete();
  // The parts as last read, stale ones included.
  const Reading& Last() const { return m_parts; }

 private:
  static unsigned Bit(TargetPart part) { return 1u << static_cast<unsigned>(part); }
  template <typename Value, typename Read>
  const Value& ReadPart(TargetPart part, Value& value, Read read);

  const WindowSystem& m_ws;
  ReadingSources m_sources;
  Hwnd m_target = 0;
  WinPoint m_point;
  Reading m_parts;
  unsigned m_fresh = 0;
  bool m_processRead = false;
  uint32_t m_processId = 0, m_hostId = 0;
  unsigned m_processReads = 0;
};

struct ReadingOptions {
  WinPoint point;  // the probe point: the Digger lists the windows under it
  bool showSubchildren = false;
  bool digChildren = true;
  bool details = false;  // the details too (the JSON report, /details)
};

// Every part of the target at once, in the order an inspection reads them.
Reading ReadTarget(const WindowSystem& ws, Hwnd target, const ReadingOptions& options,
                                    const ReadingSources& sources);
