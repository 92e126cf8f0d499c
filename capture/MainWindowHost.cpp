#include "capture/MainWindowHost.h"

#include "app/MainWindow.h"

HWND MainWindowGraphicsHost::Owner() const { return m_frm.Handle(); }
WinPoint MainWindowGraphicsHost::ProbePoint() const { return m_frm.ProbePoint; }
void MainWindowGraphicsHost::SetProbePoint(WinPoint point) { m_frm.ProbePoint = point; }
Hwnd MainWindowGraphicsHost::CurrentTarget() const { return m_frm.CurrentTarget; }
void MainWindowGraphicsHost::SetCurrentTarget(Hwnd window) { m_frm.CurrentTarget = window; }
bool MainWindowGraphicsHost::Probing() const { return m_frm.Probing(); }
HDC MainWindowGraphicsHost::DesktopCanvas() const { return m_frm.DesktopCanvas; }
HBITMAP MainWindowGraphicsHost::CaptureBitmap() const { return m_frm.CaptureBitmap; }
void MainWindowGraphicsHost::SetCaptureBitmap(HBITMAP bitmap) { m_frm.CaptureBitmap = bitmap; }
DisplayOptions MainWindowGraphicsHost::CurrentDisplayOptions() const { return m_frm.CurrentDisplayOptions(); }
void MainWindowGraphicsHost::InspectWindow(Hwnd window, bool refreshAll) { m_frm.InspectWindow(window, refreshAll); }
