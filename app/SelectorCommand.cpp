// The selectors as the main window offers them: a "Copy selector" submenu in
// the system menu and in the fields' context menu, one item per notation,
// each marked where it does not name the target alone. The counts are taken
// from the desktop as it is when the menu opens.
#include "app/SelectorCommand.h"

#include "app/MainWindow.h"
#include "platform/CodePages.h"
#include "selectors/SelectorLabels.h"
#include "selectors/SystemSelectors.h"
#include "ui/Controls.h"

namespace {

constexpr UINT kSysFirst = frame_ids::kSysCopySelector + 0x10;  // 0x0160, 0x0170, 0x0180, 0x0190
constexpr UINT kSysStep = 0x10;  // the system keeps the low four bits of its items' ids

class SelectorCommand : public FrameFeature {
 public:
  explicit SelectorCommand(TfrmTarvisk& frm) : m_frm(frm) {}

  void AddMenuItems(HMENU systemMenu) override {
    m_sysPopup = CreatePopupMenu();
    for (int n = 0; n < kSelectorNotationCount; ++n) {
      AppendMenuA(m_sysPopup, MF_STRING, kSysFirst + kSysStep * static_cast<UINT>(n), "");
    }
    AppendMenuA(systemMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_sysPopup), "C&opy selector");
  }

  void UpdateMenuItems(HMENU systemMenu) override {
    if (!m_sysPopup) return;
    const bool target = ReadSelectors();
    for (int n = 0; n < kSelectorNotationCount; ++n) {
      const std::wstring label = Widen(SelectorMenuLabel(m_facts, static_cast<SelectorNotation>(n)));
      ModifyMenuW(m_sysPopup, static_cast<UINT>(n), MF_BYPOSITION | MF_STRING,
                  kSysFirst + kSysStep * static_cast<UINT>(n), label.c_str());
    }
    const int count = GetMenuItemCount(systemMenu);
    for (int i = 0; i < count; ++i) {
      if (GetSubMenu(systemMenu, i) == m_sysPopup) {
        EnableMenuItem(systemMenu, static_cast<UINT>(i), MF_BYPOSITION | (target ? MF_ENABLED : MF_GRAYED));
      }
    }
  }

  bool OnSysCommand(UINT id) override {
    if (id < kSysFirst || id >= kSysFirst + kSysStep * kSelectorNotationCount) return false;
    Copy(static_cast<int>((id - kSysFirst) / kSysStep));
    return true;
  }

  void AddFieldMenuItems(HMENU menu, HWND /*field*/) override {
    if (!ReadSelectors()) return;
    HMENU popup = CreatePopupMenu();
    for (int n = 0; n < kSelectorNotationCount; ++n) {
      const std::wstring label = Widen(SelectorMenuLabel(m_facts, static_cast<SelectorNotation>(n)));
      AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(frame_ids::kFieldCopySelectorFirst + n), label.c_str());
    }
    // The field's menu is destroyed with its submenus once it has closed.
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "C&opy selector");
  }

  bool OnFieldMenuCommand(int id) override {
    const int n = id - frame_ids::kFieldCopySelectorFirst;
    if (n < 0 || n >= kSelectorNotationCount) return false;
    Copy(n);
    return true;
  }

 private:
  // The target's selectors over the desktop as it is now; false without a target.
  bool ReadSelectors() {
    m_facts = SelectorFacts{};
    const Hwnd target = m_frm.CurrentTarget();
    if (target == 0) return false;
    try {
      m_facts = SystemWindowSelectors(m_frm.Inspected.Windows(), target);
    } catch (const std::exception&) {
      m_facts = SelectorFacts{};
    }
    return m_facts.known;
  }

  // What the menu showed is what is copied, even if the desktop moved since.
  void Copy(int notation) {
    if (!m_facts.known) return;
    try {
      PutTextOnClipboard(m_frm.Handle(), SelectorCopyText(m_facts, static_cast<SelectorNotation>(notation)));
    } catch (const std::exception&) {
    }
  }

  TfrmTarvisk& m_frm;
  HMENU m_sysPopup = nullptr;  // owned by the system menu
  SelectorFacts m_facts;
};

}  // namespace

std::unique_ptr<FrameFeature> MakeSelectorCommand(TfrmTarvisk& frm) { return std::make_unique<SelectorCommand>(frm); }
