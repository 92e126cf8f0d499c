#pragma once
// What the pages ask of the main window, each through the small interface its
// folder declares; only the main window's folder knows the main window.
#include "capture/GraphicsHost.h"
#include "exeinfo/ExePages.h"
#include "inspect/InfoPages.h"
#include "modify/ModifyHost.h"
#include "relations/RelationsHost.h"

class TfrmTarvisk;

class MainWindowHosts final : public InfoPagesHost,
                              public ProcessPagesHost,
                              public RelationsHost,
                              public GraphicsHost,
                              public ModifyHost {
 public:
  explicit MainWindowHosts(TfrmTarvisk& frm) : m_frm(frm) {}
  // Shared by several interfaces.
  HWND Owner() const override;
  Hwnd CurrentTarget() const override;
  bool Probing() const override;
  DisplayOptions CurrentDisplayOptions() const override;
  void InspectWindow(Hwnd window, bool refreshAll) override;
  // InfoPagesHost, ProcessPagesHost
  const WindowFacts& Facts() override;
  DisplayOptions Options() const override { return CurrentDisplayOptions(); }
  const ProcessInfo& Process() override;
  unsigned ProcessReads() const override;
  // RelationsHost
  const std::vector<WindowRow>& Rows(int list) override;
  SortState Sort() const override;
  void SetSort(const SortState& sort) override;
  void ShowWindowPage() override;
  void UpdateDetailButton() override;
  // GraphicsHost
  WinPoint ProbePoint() const override;
  GraphicFacts ProbePositions() const override;
  void CaptureAgain() override;
  void InspectAt(WinPoint point) override;
  // ModifyHost
  std::string ProgramFolder() const override;
  void RefreshInformation() override;

 private:
  TfrmTarvisk& m_frm;
};
