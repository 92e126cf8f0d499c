// The style editor and the Send message dialog as the main window offers
// them: items of the system menu (and of the Window page's style fields'
// menu), Ctrl+Shift+M, enabled while a target is shown and probing is
// stopped. Each dialog acts on the window it was opened on; after Apply and
// Undo the pages read that window again.
#include <memory>

#include "act/SendMessageDialog.h"
#include "act/StyleEditor.h"
#include "app/FrameFeatures.h"
#include "app/MainWindow.h"

namespace {

class ActCommands : public FrameFeature {
 public:
  explicit ActCommands(TfrmTarvisk& frm) : m_frm(frm) {}

  void AddMenuItems(HMENU menu) override {
    AppendMenuA(menu, MF_STRING, frame_ids::kSysEditStyles, "Edit st&yles...");
    AppendMenuA(menu, MF_STRING, frame_ids::kSysSendMessage, "Send messa&ge...\tCtrl+Shift+M");
  }
  void UpdateMenuItems(HMENU menu) override {
    const UINT state = MF_BYCOMMAND | (CanAct() ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, frame_ids::kSysEditStyles, state);
    EnableMenuItem(menu, frame_ids::kSysSendMessage, state);
  }
  bool OnSysCommand(UINT id) override {
    if (id == frame_ids::kSysEditStyles) {
      OpenStyleEditor();
      return true;
    }
    if (id == frame_ids::kSysSendMessage) {
      OpenSendMessage();
      return true;
    }
    return false;
  }
  bool PreTranslate(MSG& msg) override {
    if (m_styles.PreTranslate(msg) || m_send.PreTranslate(msg)) return true;
    if (!IsCtrlKey(msg, m_frm.Handle(), 'M', true)) return false;
    OpenSendMessage();
    return true;
  }
  void AddFieldMenuItems(HMENU menu, HWND field) override {
    const int id = GetDlgCtrlID(field);
    if (GetParent(field) != m_frm.Sheet(kPageWindow) ||
        (id != IDC_EDTSTYLE && id != IDC_EDTEXSTYLE && id != IDC_MEMSTYLE))
      return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (CanAct() ? MF_ENABLED : MF_GRAYED), frame_ids::kFieldEditStyles,
                "Edit st&yles...");
  }
  bool OnFieldMenuCommand(int id) override {
    if (id != frame_ids::kFieldEditStyles) return false;
    OpenStyleEditor();
    return true;
  }
  void Closing() override {
    m_styles.Close();
    m_send.Close();
  }

 private:
  bool CanAct() const { return m_frm.CurrentTarget() != 0 && !m_frm.Probing(); }

  void OpenStyleEditor() {
    if (!CanAct()) return;
    m_styles.Open(m_frm.Handle(), ToHwnd(m_frm.CurrentTarget()));
  }
  void OpenSendMessage() {
    if (!CanAct()) return;
    m_send.Open(m_frm.Handle(), ToHwnd(m_frm.CurrentTarget()));
  }
  // The pages show the edited window's new values when they show that window.
  void Applied() {
    if (m_styles.Target() == ToHwnd(m_frm.CurrentTarget()) && !m_frm.Probing()) m_frm.RefreshInformation();
  }

  TfrmTarvisk& m_frm;
  act::StyleEditor m_styles{[this] { Applied(); }};
  act::SendHistory m_history;
  act::SendMessageDialog m_send{m_history, [this] { return m_frm.CurrentDisplayOptions(); }};
};

}  // namespace

std::unique_ptr<FrameFeature> MakeActCommands(TfrmTarvisk& frm) { return std::make_unique<ActCommands>(frm); }
