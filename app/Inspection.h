#pragma once
// What the main window inspects: the current target, the probe point, the
// lists' sort order and the one reading of the target that every page, the
// reports and the message log render.
#include "platform/Win32WindowSystem.h"
#include "relations/WindowRows.h"
#include "selectors/SystemSelectors.h"
#include "reading/SystemSources.h"
#include "reading/Reading.h"

class Inspection {
 public:
  Inspection() : m_reading(m_ws, WithSelectors(SystemReadingSources(), m_ws)) {}
  Inspection(const Inspection&) = delete;
  Inspection& operator=(const Inspection&) = delete;

  Hwnd Target() const { return m_reading.Target(); }
  WinPoint ProbePoint() const { return m_reading.Point(); }
  TargetReading& Reading() { return m_reading; }
  const WindowSystem& Windows() const { return m_ws; }

  // SortColumn, LastSortColumn and SortInverted of the three lists.
  SortState sort;

 private:
  Win32WindowSystem m_ws;
  TargetReading m_reading;
};
