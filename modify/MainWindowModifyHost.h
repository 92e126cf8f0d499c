#pragma once
// The Modify page's view of the main window: its shared fields and the
// refresh it runs.
#include "modify/ModifyHost.h"

class TfrmTarvisk;

class MainWindowModifyHost final : public ModifyHost {
 public:
  explicit MainWindowModifyHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override;
  Hwnd CurrentTarget() const override;
  bool Probing() const override;
  bool ModifyFilling() const override;
  void SetModifyFilling(bool filling) override;
  std::string ProgramFolder() const override;
  void RefreshInformation() override;

 private:
  TfrmTarvisk& m_frm;
};
