// The Events window as the main window offers it: "&Events..." in the system
// menu and Ctrl+E. Recording runs only while the window is open.
#include <memory>

#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "events/EventsWindow.h"
#include "settings/RegistryStore.h"

namespace {

class MainWindowEventsHost final : public EventsHost {
 public:
  explicit MainWindowEventsHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override { return m_frm.Handle(); }
  std::unique_ptr<SettingsStore> OpenSettings() const override { return std::make_unique<RegistryStore>(); }
  bool Inspect(Hwnd window) override {
    if (!IsWindow(ToHwnd(window))) return false;
    m_frm.InspectWindow(window, true);
    if (IsIconic(m_frm.Handle())) ShowWindow(m_frm.Handle(), SW_RESTORE);
    SetForegroundWindow(m_frm.Handle());
    return true;
  }

 private:
  TfrmTarvisk& m_frm;
};

class EventsFeature final : public FrameFeature {
 public:
  explicit EventsFeature(TfrmTarvisk& frm) : m_frm(frm), m_host(frm), m_window(m_host) {}

  void AddMenuItems(HMENU systemMenu) override {
    AppendMenuA(systemMenu, MF_STRING, frame_ids::kSysEvents, "&Events...\tCtrl+E");
  }
  bool OnSysCommand(UINT id) override {
    if (id != frame_ids::kSysEvents) return false;
    Open();
    return true;
  }
  bool PreTranslate(MSG& msg) override {
    if (m_window.IsOpen() && m_window.PreTranslate(msg)) return true;
    if (!IsCtrlKey(msg, m_frm.Handle(), 'E')) return false;
    Open();
    return true;
  }
  void Closing() override { m_window.Close(); }

 private:
  void Open() {
    std::string error;
    if (!m_window.Open(&error)) ShowErrorBox(m_frm.Handle(), error);
  }

  TfrmTarvisk& m_frm;
  MainWindowEventsHost m_host;
  EventsWindow m_window;
};

}  // namespace

std::unique_ptr<FrameFeature> MakeEventsFeature(TfrmTarvisk& frm) { return std::make_unique<EventsFeature>(frm); }
