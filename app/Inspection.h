#pragma once
// What the main window inspects: the current target, the probe point, the
// lists' sort order and the one reading of the target that every page, the
// reports and the message log render.
#include "platform/Win32WindowSystem.h"
#include "relations/WindowRows.h"
#include "target/SystemSnapshot.h"
#include "target/TargetSnapshot.h"

class Inspection {
 public:
  Inspection() : m_reading(m_ws, CountedSources()) {}
  Inspection(const Inspection&) = delete;
  Inspection& operator=(const Inspection&) = delete;

  Hwnd Target() const { return m_reading.Target(); }
  WinPoint ProbePoint() const { return m_reading.Point(); }
  TargetReading& Reading() { return m_reading; }
  const WindowSystem& Windows() const { return m_ws; }
  // How often the process's executable and modules were read, for tests.
  unsigned ProcessReads() const { return m_processReads; }

  // SortColumn, LastSortColumn and SortInverted of the three lists.
  SortState sort;

 private:
  SnapshotSources CountedSources() {
    SnapshotSources sources = SystemSnapshotSources();
    auto read = sources.process;
    sources.process = [this, read](uint32_t processId) {
      ++m_processReads;
      return read(processId);
    };
    return sources;
  }

  unsigned m_processReads = 0;
  Win32WindowSystem m_ws;
  TargetReading m_reading;
};
