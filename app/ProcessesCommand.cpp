// The Processes window as the main window offers it: "&Processes..." in the
// system menu and Ctrl+Shift+P, and "Show in Processes" on the process id
// field's menu. A window row inspected there becomes the main window's target.
#include <memory>

#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "inspect/InfoPages.h"
#include "platform/Win32WindowSystem.h"
#include "processes/ProcessesWindow.h"
#include "reading/WindowFacts.h"
#include "settings/RegistryStore.h"

namespace {

class MainWindowProcessesHost final : public ProcessesHost {
 public:
  explicit MainWindowProcessesHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override { return m_frm.Handle(); }
  HWND CurrentTarget() const override { return ToHwnd(m_frm.CurrentTarget()); }
  void Inspect(HWND window) override {
    if (!window || !IsWindow(window)) return;
    m_frm.InspectWindow(FromHwnd(window), true);
    if (IsIconic(m_frm.Handle())) ShowWindow(m_frm.Handle(), SW_RESTORE);
    SetForegroundWindow(m_frm.Handle());
  }
  void OpenThreadLog(HWND window) override { m_frm.MessageLogs.OpenForThread(window); }
  std::unique_ptr<SettingsStore> OpenSettings() const override { return std::make_unique<RegistryStore>(); }

 private:
  TfrmTarvisk& m_frm;
};

class ProcessesFeature final : public FrameFeature {
 public:
  explicit ProcessesFeature(TfrmTarvisk& frm) : m_frm(frm), m_host(frm), m_window(m_host) {}

  void AddMenuItems(HMENU systemMenu) override {
    AppendMenuA(systemMenu, MF_STRING, frame_ids::kSysProcesses, "&Processes...\tCtrl+Shift+P");
  }
  bool OnSysCommand(UINT id) override {
    if (id != frame_ids::kSysProcesses) return false;
    m_window.Open();
    return true;
  }
  bool PreTranslate(MSG& msg) override {
    if (m_window.PreTranslate(msg)) return true;
    if (!IsCtrlKey(msg, m_frm.Handle(), 'P', true)) return false;
    m_window.Open();
    return true;
  }
  void AddFieldMenuItems(HMENU menu, HWND field) override {
    if (GetDlgCtrlID(field) != IDC_EDTPROCESS) return;
    m_processId = ReadWindowFacts(Win32WindowSystem(), m_frm.CurrentTarget(), Facts::Process).processId;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (m_processId ? MF_ENABLED : MF_GRAYED), frame_ids::kFieldShowInProcesses,
                "Show in &Processes");
  }
  bool OnFieldMenuCommand(int id) override {
    if (id != frame_ids::kFieldShowInProcesses) return false;
    if (m_processId) m_window.Open(m_processId);
    return true;
  }
  void Closing() override { m_window.Close(); }

 private:
  TfrmTarvisk& m_frm;
  MainWindowProcessesHost m_host;
  ProcessesWindow m_window;
  uint32_t m_processId = 0;
};

}  // namespace

std::unique_ptr<FrameFeature> MakeProcessesFeature(TfrmTarvisk& frm) { return std::make_unique<ProcessesFeature>(frm); }

