#pragma once
// The message logs' view of the main window.
#include "msglog/MessageLogHost.h"

class TfrmTarvisk;

class MainWindowMessageLogHost final : public msglog::MessageLogHost {
 public:
  explicit MainWindowMessageLogHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override;
  HWND CurrentTarget() const override;
  std::unique_ptr<SettingsStore> OpenSettings() const override;

 private:
  TfrmTarvisk& m_frm;
};
