#include "app/OptionsPage.h"

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/HotKeyValue.h"
#include "ui/Controls.h"

namespace {

// The check boxes of the page, and the setting behind each.
struct OptionCheck {
  int id;
  bool SettingsValues::*value;
};
constexpr OptionCheck kChecks[] = {
    {IDC_CHBSHOWSUBCHILDREN, &SettingsValues::showSubchildren}, {IDC_CHBDIGCHILDREN, &SettingsValues::digChildren},
    {IDC_CHBAUTOSTART, &SettingsValues::autoStart},             {IDC_CHBFLASH, &SettingsValues::flashTarget},
    {IDC_CHBALWAYSONTOP, &SettingsValues::alwaysOnTop},
};

}  // namespace

void OptionsPage::MakeControls() {
  HWND page = m_sheet;
  CreateRadioGroup(page, {IDC_RGRFORMAT, "Integer format", 81, 100, 113, 73,
                          "|Format of the digit data", {"He&xadecimal", "Deci&mal", "&Binary"}});
  CreateRadioGroup(page, {IDC_RGRCASE, "Constants format", 81, 196, 113, 57,
                          "|Format of the WinAPI's constants", {"&Lower case", "&Upper case"}});
  // Each row: kind, id, caption, left, top, width, height, hint.
  CreateControls(page, {
      {ControlKind::Label, IDC_LBLSTARTSTOP, "Start/stop hot &key", 225, 101, 113, 14},
      {ControlKind::HotKey, IDC_HTKSTARTSTOP, "", 225, 117, 113, 19,
       "|Hot key for start and stop the probing process"},
      {ControlKind::CheckBox, IDC_CHBSHOWSUBCHILDREN, "Show sub&children", 226, 158, 160, 17,
       "|If this parameter is checked, the Clildren list shows all the children with their "
       "subchidren"},
      {ControlKind::CheckBox, IDC_CHBDIGCHILDREN, "Di&g children", 226, 178, 160, 17,
       "|If this parameter is unchecked, the Digger list shows only top-level windows"},
      {ControlKind::CheckBox, IDC_CHBAUTOSTART, "&Probe when run", 226, 198, 160, 17,
       "|If this parameter is checked, probing process start automatically when Tarvisk run"},
      {ControlKind::CheckBox, IDC_CHBFLASH, "Fl&ash target", 226, 218, 160, 17,
       "|If this parameter is checked, Tarvisk flashes new selected window"},
      {ControlKind::CheckBox, IDC_CHBALWAYSONTOP, "Alwa&ys on top", 226, 238, 160, 17,
       "|If this parameter is checked Tarvisk's window is shown above other windows"},
  });
  // The page starts from the settings' defaults until a restore gives it
  // others: a first run and a restore that stops early look the same.
  SetRadioGroupIndex(page, IDC_RGRFORMAT, 3, m_values.integerFormat);
  SetRadioGroupIndex(page, IDC_RGRCASE, 2, m_values.constsFormat);
  SetStartStopHotKey(m_values.startStopHotKey);
  for (const OptionCheck& c : kChecks) SetChecked(page, c.id, m_values.*c.value);
}

bool OptionsPage::Checked(int id) const {
  for (const OptionCheck& c : kChecks) {
    if (c.id == id) return m_sheet ? IsChecked(m_sheet, id) : m_values.*c.value;
  }
  return false;
}

int OptionsPage::IntegerFormat() const {
  return m_sheet ? RadioGroupIndex(m_sheet, IDC_RGRFORMAT, 3) : m_values.integerFormat;
}

int OptionsPage::ConstsFormat() const {
  return m_sheet ? RadioGroupIndex(m_sheet, IDC_RGRCASE, 2) : m_values.constsFormat;
}

uint16_t OptionsPage::StartStopHotKey() const {
  if (!m_sheet) return m_values.startStopHotKey;
  HWND htk = GetDlgItem(m_sheet, IDC_HTKSTARTSTOP);
  return HotKeyFromControl(static_cast<uint32_t>(SendMessageA(htk, HKM_GETHOTKEY, 0, 0)));
}

void OptionsPage::SetStartStopHotKey(uint16_t value) {
  m_values.startStopHotKey = value;
  if (m_sheet) SendMessageA(GetDlgItem(m_sheet, IDC_HTKSTARTSTOP), HKM_SETHOTKEY, HotKeyToControl(value), 0);
}

void OptionsPage::LoadSettings(const SettingsValues& v) {
  const bool formatChanged = v.integerFormat != IntegerFormat() || v.constsFormat != ConstsFormat();
  m_values = v;
  if (m_sheet) {
    for (const OptionCheck& c : kChecks) SetChecked(m_sheet, c.id, v.*c.value);
    SetRadioGroupIndex(m_sheet, IDC_RGRFORMAT, 3, v.integerFormat);
    SetRadioGroupIndex(m_sheet, IDC_RGRCASE, 2, v.constsFormat);
  }
  SetStartStopHotKey(v.startStopHotKey);
  // A radio group set from a stored index acts as if its new item were clicked.
  if (formatChanged && FormatChanged) FormatChanged();
}

void OptionsPage::StoreSettings(SettingsValues& v) const {
  for (const OptionCheck& c : kChecks) v.*c.value = Checked(c.id);
  v.integerFormat = IntegerFormat();
  v.constsFormat = ConstsFormat();
  v.startStopHotKey = StartStopHotKey();
}

bool OptionsPage::OnCommand(int id, int code, HWND control) {
  if (!m_sheet || !control || GetParent(control) != m_sheet || code != BN_CLICKED) return false;
  if (id == IDC_CHBALWAYSONTOP) {
    if (AlwaysOnTopChanged) AlwaysOnTopChanged();
    return true;
  }
  // A radio item reports a click also when the dialog manager moves the focus
  // onto it; only a change of the selected item redraws.
  if ((id > IDC_RGRFORMAT && id <= IDC_RGRFORMAT + 3) || (id > IDC_RGRCASE && id <= IDC_RGRCASE + 2)) {
    if (FormatChanged) FormatChanged();
    return true;
  }
  return false;
}
