// The Modify page's "Properties" group: filling it from a window, enabling it
// with the probing state, and applying the user's changes to the target.
#include "modify/ModifyPage.h"

#include <commctrl.h>

#include <vector>

#include "modify/ModifyRules.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "reading/WindowFacts.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace {

// The group's controls are placed by their position in the group box; they
// are children of the page, so the group's own place is added.
constexpr int kGroupLeft = 12, kGroupTop = 12;

// How long WM_SETTEXT may keep the program waiting for the target's thread.

const char* const kStateHint = "|State of the specified window";
constexpr int kStateHelp = 76;

// One position or size: its label, edit and up-down, placed and ranged.
struct PositionRow {
  int labelId, editId, upDownId;
  const char* caption;
  int top;  // of the edit and up-down; the label stands 4 lower
  const char* hint;
  int helpContext;
  int minimum, maximum;
};

// Each row: label, edit, up-down, caption, top, hint, help context, range.
constexpr PositionRow kPositionRows[] = {
    {IDC_LBLLEFT, IDC_EDTLEFT, IDC_UDNLEFT, "&Left", 24, "|X coordinate of the specified window",
     72, -32768, 32767},
    {IDC_LBLTOP, IDC_EDTTOP, IDC_UDNTOP, "&Top", 52, "|Y coordinate of the specified window", 73,
     -32768, 32767},
    {IDC_LBLWIDTH, IDC_EDTWIDTH, IDC_UDNWIDTH, "&Width", 80, "|Width of the specified window", 74,
     0, 32767},
    {IDC_LBLHEIGHT, IDC_EDTHEIGHT, IDC_UDNHEIGHT, "&Height", 108,
     "|Height of the specified window", 75, 0, 32767},
};

bool IsPositionEdit(int id) {
  return id == IDC_EDTLEFT || id == IDC_EDTTOP || id == IDC_EDTWIDTH || id == IDC_EDTHEIGHT;
}

HWND TargetOf(const ModifyHost& host) { return ToHwnd(host.CurrentTarget()); }

// The filling flag for exactly the length of one fill, however it ends.
class FillingFlag {
 public:
  explicit FillingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
  ~FillingFlag() { m_flag = false; }
  FillingFlag(const FillingFlag&) = delete;
  FillingFlag& operator=(const FillingFlag&) = delete;

 private:
  bool& m_flag;
};

}  // namespace

void EnableControlsTree(HWND container, bool enable) {
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    EnableWindow(child, enable ? TRUE : FALSE);
    if (GetWindow(child, GW_CHILD)) EnableControlsTree(child, enable);
  }
}

void ModifyPage::MakeControls() {
  CreatePropertiesGroup();
  CreatePluginsGroup();
  // What was decided while the page had no controls.
  ShowPluginList();
  if (m_enabling.given) ApplyEnabling();
  UpdatePluginPanel();
}

void ModifyPage::CreatePropertiesGroup() {
  const int gl = kGroupLeft, gt = kGroupTop;
  CreateControl(m_sheet, {ControlKind::GroupBox, IDC_GRBPROPERTIES, "Properties", gl, gt, 403, 149});
  for (const PositionRow& row : kPositionRows) {
    CreateControl(m_sheet, {ControlKind::Label, row.labelId, row.caption, gl + 16, gt + row.top + 4,
                            52, 14, row.hint, row.helpContext});
    HWND edit = CreateControl(m_sheet, {ControlKind::Edit, row.editId, "0", gl + 72, gt + row.top,
                                        45, 21, row.hint, row.helpContext});
    // Through the common controls' subclass chain, which the up-down also
    // uses on its buddy for the arrow keys, so that neither undoes the other.
    SetWindowSubclass(edit, PositionEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    // Not aligned to the buddy: that would shrink the edit by the up-down's
    // width; both keep their own places.
    HWND upDown = CreateWindowExA(
        0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        gl + 117, gt + row.top, 17, 21, m_sheet,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.upDownId)), GetModuleHandleA(nullptr),
        nullptr);
    SetControlHint(upDown, row.hint, row.helpContext);
    SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(upDown, UDM_SETRANGE32, static_cast<WPARAM>(row.minimum), row.maximum);
    SendMessageA(upDown, UDM_SETPOS32, 0, 0);
  }

  CreateRadioGroup(m_sheet, {IDC_RGRSTATE, "State", gl + 168, gt + 20, 93, 65, kStateHint,
                             {"&Normal", "Mi&nimized", "Ma&ximized"}});
  for (int id = IDC_RGRSTATE; id <= IDC_RGRSTATE + 3; ++id)
    SetControlHint(Control(id), kStateHint, kStateHelp);
  SetRadioGroupIndex(m_sheet, IDC_RGRSTATE, 3, kStateNormal);
  m_stateItem = kStateNormal;

  // Each row: kind, id, caption, left, top, width, height, hint, help context.
  CreateControls(m_sheet, {
      {ControlKind::CheckBox, IDC_CHBVISIBLE, "&Visible", gl + 300, gt + 32, 89, 16,
       "|Visible state of the specified window", 77},
      {ControlKind::CheckBox, IDC_CHBENABLED, "Ena&bled", gl + 300, gt + 48, 89, 16,
       "|Enabled state of the specified window", 78},
      {ControlKind::CheckBox, IDC_CHBSTAYONTOP, "&Stay on top", gl + 300, gt + 64, 89, 17,
       "|\"Stay on top\" state of the specified window", 79},
      {ControlKind::Label, IDC_LBLWINDOWTEXT, "&Text", gl + 168, gt + 93, 100, 14,
       "|Text of the specified window", 80},
      {ControlKind::Edit, IDC_EDTWINDOWTEXT, "", gl + 168, gt + 108, 217, 21,
       "|Text of the specified window", 80},
  });
  // Ends the state items' group, so that the arrow keys stay among them.
  HWND visible = Control(IDC_CHBVISIBLE);
  SetWindowLongA(visible, GWL_STYLE, GetWindowLongA(visible, GWL_STYLE) | WS_GROUP);
  // A window's text may be far longer than an edit takes by default.
  SendMessageA(Control(IDC_EDTWINDOWTEXT), EM_SETLIMITTEXT, 0, 0);
}

LRESULT CALLBACK ModifyPage::PositionEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR page) {
  if (msg == WM_CHAR && !reinterpret_cast<ModifyPage*>(page)->edtLeftKeyPress(static_cast<char>(wParam)))
    return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(edit, PositionEditProc, id);
  return DefSubclassProc(edit, msg, wParam, lParam);
}

void ModifyPage::SetUpDown(int id, int32_t value) {
  // The up-down keeps the value within its range and writes it into its edit.
  // Writing costs hundreds of microseconds under Wine, and from one target to
  // the next most values stay the same.
  int16_t wanted = UpDownValue(value);
  BOOL invalid = FALSE;
  LRESULT current = SendMessageA(Control(id), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&invalid));
  if (!invalid && current == wanted) return;
  SendMessageA(Control(id), UDM_SETPOS32, 0, wanted);
}

int ModifyPage::UpDownPosition(int id) const {
  // UDM_GETPOS first takes the value from the edit's text when that is a
  // number within the range, and otherwise keeps the one it had.
  LRESULT r = SendMessageA(Control(id), UDM_GETPOS, 0, 0);
  return static_cast<int16_t>(LOWORD(r));
}

void ModifyPage::FillModifyPage(Hwnd window) { ShowModifyValues(GatherModifyValues(window)); }

ModifyValues ModifyPage::GatherModifyValues(Hwnd window) {
  Win32WindowSystem ws;
  const WindowFacts f =
      ReadWindowFacts(ws, window, Facts::Text | Facts::Parent | Facts::Rects | Facts::Styles | Facts::Visible);
  // GetParent also names the owner of a pop-up, whose client area has nothing
  // to do with where the pop-up stands; MoveWindow places every window that is
  // not a child in screen coordinates, and so the page shows it.
  const WinRect& r = PlacedInParent(f.style) ? f.parentCoords : f.screenCoords;
  ModifyValues v;
  v.left = r.left;
  v.top = r.top;
  v.width = RectWidth(r);
  v.height = RectHeight(r);
  v.text = OwnText(f);
  v.stateItem = StateItemFor((f.style & WS_MAXIMIZE) != 0, (f.style & WS_MINIMIZE) != 0);
  v.visible = f.visible;
  v.enabled = (f.style & WS_DISABLED) == 0;
  v.topmost = (f.exStyle & kExStyleTopmost) != 0;
  return v;
}

void ModifyPage::ShowModifyValues(const ModifyValues& v) {
  FillingFlag filling(m_filling);
  SetUpDown(IDC_UDNLEFT, v.left);
  SetUpDown(IDC_UDNTOP, v.top);
  SetUpDown(IDC_UDNWIDTH, v.width);
  SetUpDown(IDC_UDNHEIGHT, v.height);
  HWND edit = Control(IDC_EDTWINDOWTEXT);
  // Setting the same text again would only move the user's caret.
  if (WindowTextOf(edit) != v.text) SetControlText(edit, v.text);
  m_stateItem = v.stateItem;
  SetRadioGroupIndex(m_sheet, IDC_RGRSTATE, 3, m_stateItem);
  SetChecked(m_sheet, IDC_CHBVISIBLE, v.visible);
  SetChecked(m_sheet, IDC_CHBENABLED, v.enabled);
  SetChecked(m_sheet, IDC_CHBSTAYONTOP, v.topmost);
}

void ModifyPage::EnableModifyPage(bool enable) {
  // The target is read now, so that a page made later shows what it would have.
  Win32WindowSystem ws;
  m_enabling = {true, enable, ReadWindowFacts(ws, m_host.CurrentTarget(), Facts::Styles).style};
  if (!m_sheet) return;
  ApplyEnabling();
  UpdatePluginPanel();
}

void ModifyPage::ApplyEnabling() {
  EnableControlsTree(m_sheet, m_enabling.enable);
  bool state = StateGroupEnabled(m_enabling.enable, m_enabling.targetStyle);
  for (int id = IDC_RGRSTATE; id <= IDC_RGRSTATE + 3; ++id) SetEnabled(Control(id), state);
}

void ModifyPage::edtLeftChange() {
  if (Passive()) return;
  MoveWindow(TargetOf(m_host), UpDownPosition(IDC_UDNLEFT), UpDownPosition(IDC_UDNTOP),
             UpDownPosition(IDC_UDNWIDTH), UpDownPosition(IDC_UDNHEIGHT), TRUE);
}

void ModifyPage::rgrStateClick() {
  if (Passive()) return;
  HWND target = TargetOf(m_host);
  int command = ShowCommandForState(RadioGroupIndex(m_sheet, IDC_RGRSTATE, 3), IsIconic(target) != FALSE);
  if (command >= 0) ShowWindow(target, command);
}

void ModifyPage::chbVisibleClick() {
  if (Passive()) return;
  ShowWindow(TargetOf(m_host), ShowCommandForVisible(IsChecked(m_sheet, IDC_CHBVISIBLE)));
}

void ModifyPage::chbEnabledClick() {
  if (Passive()) return;
  EnableWindow(TargetOf(m_host), IsChecked(m_sheet, IDC_CHBENABLED) ? TRUE : FALSE);
}

void ModifyPage::chbStayOnTopClick() {
  if (Passive()) return;
  HWND after = IsChecked(m_sheet, IDC_CHBSTAYONTOP) ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(TargetOf(m_host), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void ModifyPage::edtWindowTextChange() {
  if (Passive()) return;
  std::string text = WindowTextOf(Control(IDC_EDTWINDOWTEXT));
  // The empty text goes as an empty string, never as a null pointer: Wine
  // drops a null WM_SETTEXT to another program's window (the target faults
  // on it and keeps its text), and a window procedure of its own may read
  // the text without checking. A hung target must not hang the program: the
  // call gives up after a short while.
  DWORD_PTR result = 0;
  const std::wstring wide = Widen(text);
  SendMessageTimeoutW(TargetOf(m_host), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                      SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &result);
}

bool ModifyPage::edtLeftKeyPress(char key) {
  if (AcceptPositionKey(static_cast<unsigned char>(key))) return true;
  m_prompts->Beep();
  return false;
}

bool ModifyPage::OnCommand(int id, int code, HWND control) {
  if (!m_sheet || !control || GetParent(control) != m_sheet) return false;
  if (IsPositionEdit(id)) {
    if (code == EN_CHANGE) edtLeftChange();
    return true;
  }
  if (id > IDC_RGRSTATE && id <= IDC_RGRSTATE + 3) {
    // A radio item also reports a click when it merely takes the focus, and
    // when the checked item is clicked again; only a new item is a change.
    int item = id - IDC_RGRSTATE - 1;
    if (code == BN_CLICKED && IsChecked(m_sheet, id) && item != m_stateItem) {
      m_stateItem = item;
      rgrStateClick();
    }
    return true;
  }
  switch (id) {
    case IDC_EDTWINDOWTEXT:
      if (code == EN_CHANGE) edtWindowTextChange();
      return true;
    case IDC_CHBVISIBLE:
      if (code == BN_CLICKED) chbVisibleClick();
      return true;
    case IDC_CHBENABLED:
      if (code == BN_CLICKED) chbEnabledClick();
      return true;
    case IDC_CHBSTAYONTOP:
      if (code == BN_CLICKED) chbStayOnTopClick();
      return true;
    case IDC_LSBPLUGINS:
      if (code == LBN_SELCHANGE) lsbPluginsClick();
      return true;
    case IDC_BTNPLUGINADD:
      if (code == BN_CLICKED) btnPluginAddClick();
      return true;
    case IDC_BTNPLUGINDELETE:
      if (code == BN_CLICKED) btnPluginDeleteClick();
      return true;
    case IDC_BTNPLUGINABOUT:
      if (code == BN_CLICKED) btnPluginAboutClick();
      return true;
    case IDC_BTNPLUGINEXECUTE:
      if (code == BN_CLICKED) btnPluginExecuteClick();
      return true;
  }
  return false;
}

void ModifyPage::StoreSettings(SettingsValues& values) const { values.selectedPlugin = SelectedPlugin(); }

void ModifyPage::SetProbing(bool probing) { EnableModifyPage(!probing); }

// The target is read when the page shows, so it shows the window as it is.
void ModifyPage::Show() { ShowModifyValues(GatherModifyValues(m_host.CurrentTarget())); }
