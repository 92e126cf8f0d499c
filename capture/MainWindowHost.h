#pragma once
// The Graphics page's view of the main window: its shared fields and the
// inspection it runs.
#include "capture/GraphicsHost.h"

class TfrmTarvisk;

class MainWindowGraphicsHost final : public GraphicsHost {
 public:
  explicit MainWindowGraphicsHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override;
  WinPoint ProbePoint() const override;
  void SetProbePoint(WinPoint point) override;
  Hwnd CurrentTarget() const override;
  void SetCurrentTarget(Hwnd window) override;
  bool Probing() const override;
  HDC DesktopCanvas() const override;
  HBITMAP CaptureBitmap() const override;
  void SetCaptureBitmap(HBITMAP bitmap) override;
  DisplayOptions CurrentDisplayOptions() const override;
  void InspectWindow(Hwnd window, bool refreshAll) override;

 private:
  TfrmTarvisk& m_frm;
};
