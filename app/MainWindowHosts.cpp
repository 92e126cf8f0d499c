#include "app/MainWindowHosts.h"

#include "app/MainWindow.h"

HWND MainWindowHosts::Owner() const { return m_frm.Handle(); }
Hwnd MainWindowHosts::CurrentTarget() const { return m_frm.CurrentTarget(); }
bool MainWindowHosts::Probing() const { return m_frm.Probing(); }
DisplayOptions MainWindowHosts::CurrentDisplayOptions() const { return m_frm.CurrentDisplayOptions(); }
void MainWindowHosts::InspectWindow(Hwnd window, bool refreshAll) { m_frm.InspectWindow(window, refreshAll); }

const WindowFacts& MainWindowHosts::Facts() { return m_frm.Inspected.Reading().Window(); }
const ProcessInfo& MainWindowHosts::Process() { return m_frm.Inspected.Reading().Process(); }
unsigned MainWindowHosts::ProcessReads() const { return m_frm.Inspected.Reading().ProcessReads(); }

const std::vector<WindowRow>& MainWindowHosts::Rows(int list) {
  TargetReading& reading = m_frm.ListReading();
  switch (list) {
    case kListParents: return reading.Parents();
    case kListChildren: return reading.Children();
    default: return reading.Digger();
  }
}

SortState MainWindowHosts::Sort() const { return m_frm.Inspected.sort; }
void MainWindowHosts::SetSort(const SortState& sort) {
  // The columns are kept in a byte, as the settings store them.
  m_frm.Inspected.sort = {static_cast<uint8_t>(sort.column), static_cast<uint8_t>(sort.lastColumn), sort.inverted};
}
void MainWindowHosts::ShowWindowPage() { m_frm.pgcMain.SetActiveIndex(kPageWindow); }
void MainWindowHosts::UpdateDetailButton() { m_frm.UpdateDetailButton(); }

WinPoint MainWindowHosts::ProbePoint() const { return m_frm.ProbePoint(); }
GraphicFacts MainWindowHosts::ProbePositions() const {
  return GraphicPositions(m_frm.Inspected.Windows(), m_frm.CurrentTarget(), m_frm.ProbePoint());
}
void MainWindowHosts::CaptureAgain() { m_frm.CaptureScreen(m_frm.CurrentTarget()); }
void MainWindowHosts::InspectAt(WinPoint point) {
  m_frm.Inspected.Reading().SetPoint(point);
  const Hwnd window = FromHwnd(WindowFromPoint(POINT{point.x, point.y}));
  m_frm.InspectWindow(window, true);
  m_frm.CaptureScreen(window);
}

std::string MainWindowHosts::ProgramFolder() const { return m_frm.ProgramFolder; }
void MainWindowHosts::RefreshInformation() { m_frm.RefreshInformation(); }
