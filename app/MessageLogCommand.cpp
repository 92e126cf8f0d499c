// The message log as the main window offers it: an item of the system menu
// and Ctrl+M, enabled while a target is shown.
#include "app/MainWindow.h"
#include "app/MainWindowMessageLogHost.h"
#include "settings/RegistryStore.h"

namespace {
// Items of our own in the system menu need identifiers below the SC_ range
// whose low four bits are zero: the system uses those bits itself.
constexpr UINT kSysMessageLog = 0x0110;
}  // namespace

HWND MainWindowMessageLogHost::Owner() const { return m_frm.Handle(); }
HWND MainWindowMessageLogHost::CurrentTarget() const { return ToHwnd(m_frm.CurrentTarget()); }
std::unique_ptr<SettingsStore> MainWindowMessageLogHost::OpenSettings() const {
  return std::make_unique<RegistryStore>();
}

void TfrmTarvisk::AddMessageLogMenuItem() {
  HMENU menu = GetSystemMenu(m_hwnd, FALSE);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kSysMessageLog, "Message &log...\tCtrl+M");
}

void TfrmTarvisk::UpdateMessageLogMenuItem() {
  EnableMenuItem(GetSystemMenu(m_hwnd, FALSE), kSysMessageLog,
                 MF_BYCOMMAND | (MessageLogs.CanOpen() ? MF_ENABLED : MF_GRAYED));
}

bool TfrmTarvisk::OnMessageLogSysCommand(WPARAM command) {
  if ((command & 0xFFF0) != kSysMessageLog) return false;
  if (MessageLogs.CanOpen()) MessageLogs.OpenForCurrentTarget();
  return true;
}

bool TfrmTarvisk::MessageLogKeys(MSG& msg) {
  if (MessageLogs.PreTranslate(msg)) return true;
  if (!IsCtrlKey(msg, m_hwnd, 'M')) return false;
  if (MessageLogs.CanOpen()) MessageLogs.OpenForCurrentTarget();
  return true;
}
