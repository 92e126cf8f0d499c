// The Details window as the main window offers it: "&Details..." in the
// system menu and Ctrl+D, enabled while a window is shown. The window follows
// the target the pages show; while it is closed nothing reads the details.
#include <memory>
#include <vector>

#include "app/FrameFeatures.h"
#include "app/MainWindow.h"
#include "details/CapabilityGroups.h"
#include "details/DetailsWindow.h"
#include "settings/RegistryStore.h"

namespace {

class MainWindowDetailsHost final : public DetailsHost {
 public:
  explicit MainWindowDetailsHost(TfrmTarvisk& frm) : m_frm(frm) {}
  HWND Owner() const override { return m_frm.Handle(); }
  TargetReading& Reading() override { return m_frm.Inspected.Reading(); }
  DisplayOptions Options() const override { return m_frm.CurrentDisplayOptions(); }
  std::unique_ptr<SettingsStore> OpenSettings() const override { return std::make_unique<RegistryStore>(); }

 private:
  TfrmTarvisk& m_frm;
};

// The groups of the Details window after the details' own, in their order.
// A capability that adds a group adds one line here: a function of the
// reading and the display options that returns its DetailsGroup (a group
// without rows is left out), e.g. ControlStylesGroup or SelectorsGroup.
std::vector<DetailsGroupSource> DetailsGroupSources(TfrmTarvisk& /*frm*/) {
  return {
      ControlStylesGroup,
      SelectorsGroup,
  };
}

class DetailsFeature final : public FrameFeature {
 public:
  explicit DetailsFeature(TfrmTarvisk& frm) : m_frm(frm), m_host(frm), m_window(m_host) {
    m_window.SetGroupSources(DetailsGroupSources(frm));
  }

  void AddMenuItems(HMENU systemMenu) override {
    AppendMenuA(systemMenu, MF_STRING, frame_ids::kSysDetails, "&Details...\tCtrl+D");
  }
  void UpdateMenuItems(HMENU systemMenu) override {
    EnableMenuItem(systemMenu, frame_ids::kSysDetails, MF_BYCOMMAND | (CanOpen() ? MF_ENABLED : MF_GRAYED));
  }
  bool OnSysCommand(UINT id) override {
    if (id != frame_ids::kSysDetails) return false;
    Open();
    return true;
  }
  bool PreTranslate(MSG& msg) override {
    if (m_window.PreTranslate(msg)) return true;
    if (!IsCtrlKey(msg, m_frm.Handle(), 'D')) return false;
    Open();
    return true;
  }
  void TargetShown() override { m_window.ShowTarget(); }
  void DisplayChanged() override { m_window.Redisplay(); }
  void Closing() override { m_window.Close(); }

 private:
  bool CanOpen() const {
    const HWND target = ToHwnd(m_frm.CurrentTarget());
    return target && IsWindow(target);
  }
  void Open() {
    if (CanOpen()) m_window.Open();
  }

  TfrmTarvisk& m_frm;
  MainWindowDetailsHost m_host;
  DetailsWindow m_window;
};

}  // namespace

std::unique_ptr<FrameFeature> MakeDetailsFeature(TfrmTarvisk& frm) { return std::make_unique<DetailsFeature>(frm); }
