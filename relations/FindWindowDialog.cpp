#include "relations/FindWindowDialog.h"

#include <exception>
#include <vector>

#include "relations/RelationControls.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"

namespace {

constexpr int kClientWidth = 185, kClientHeight = 240;
constexpr int kModeItems = 2;

TfrmFindWindow* FormOf(HWND dlg) { return reinterpret_cast<TfrmFindWindow*>(GetWindowLongPtrA(dlg, DWLP_USER)); }

}  // namespace

TfrmFindWindow::~TfrmFindWindow() {
  if (m_dlg && IsWindow(m_dlg)) DestroyWindow(m_dlg);
}

bool TfrmFindWindow::Create(HWND owner) {
  if (m_dlg) return true;
  m_owner = owner;
  // An empty in-memory template: fixed dialog border, no controls; FormCreate
  // makes them from its table. Not visible until ShowModal.
  std::vector<WORD> buf(sizeof(DLGTEMPLATE) / sizeof(WORD) + 8, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buf.data());
  t->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  t->cx = 100;
  t->cy = 50;
  m_dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, owner, DialogProc, reinterpret_cast<LPARAM>(this));
  return m_dlg != nullptr;
}

void TfrmFindWindow::FormCreate() {
  SetWindowTextA(m_dlg, "Find Window");
  SizeAndCenterDialog(m_dlg, kClientWidth, kClientHeight);
  // Each row: kind, id, caption, left, top, width, height. Creation order is the
  // tab order.
  CreateControls(m_dlg, {
      {ControlKind::Label, IDC_FIND_LBLTEXT, "&Text", 8, 8, 169, 14},
      {ControlKind::Edit, IDC_FIND_EDTTEXT, "", 8, 24, 169, 21},
      {ControlKind::Label, IDC_FIND_LBLCLASS, "&Class", 8, 52, 169, 14},
      {ControlKind::Edit, IDC_FIND_EDTCLASS, "", 8, 68, 169, 21},
      {ControlKind::Label, IDC_FIND_LBLHANDLE, "&Handle", 8, 96, 169, 14},
      {ControlKind::Edit, IDC_FIND_EDTHANDLE, "", 8, 112, 169, 21},
  });
  CreateRadioGroup(m_dlg, {IDC_FIND_RGRMODE, "Mode", 8, 140, 169, 57, "", {"By te&xt and class", "By h&andle"}});
  CreateControls(m_dlg, {
      {ControlKind::DefaultButton, IDOK, "OK", 12, 207, 77, 25},
      {ControlKind::Button, IDCANCEL, "Cancel", 96, 207, 77, 25},
  });
  // OK starts a group of its own, so that the arrow keys stay within the radio items.
  HWND ok = Item(IDOK);
  SetWindowLongA(ok, GWL_STYLE, GetWindowLongA(ok, GWL_STYLE) | WS_GROUP);
  SendMessageA(m_dlg, DM_SETDEFID, IDOK, 0);

  HWND handle = Item(IDC_FIND_EDTHANDLE);
  SetWindowLongA(handle, GWL_STYLE, GetWindowLongA(handle, GWL_STYLE) | ES_UPPERCASE);
  m_editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HandleEditProc)));
  SetRadioGroupIndex(m_dlg, IDC_FIND_RGRMODE, kModeItems, kFindByText);
  rgrModeClick();

  m_fonts.Prepare(m_dlg);
}

bool TfrmFindWindow::ShowModal(FindRequest& request) {
  if (!m_dlg || m_running) return false;
  RECT client;
  GetClientRect(m_dlg, &client);
  SizeAndCenterDialog(m_dlg, client.right, client.bottom);
  m_running = true;
  m_result = IDCANCEL;
  const bool ownerWasEnabled = m_owner && IsWindowEnabled(m_owner);
  if (ownerWasEnabled) EnableWindow(m_owner, FALSE);
  ShowWindow(m_dlg, SW_SHOW);
  FormShow();
  MSG msg;
  while (m_running) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The application is ending: the quit message belongs to the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      m_result = IDCANCEL;
      break;
    }
    if (got == -1) break;
    if (IsDialogMessageW(m_dlg, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  m_running = false;
  // The owner comes back before the dialog hides, so that it takes the activation.
  if (ownerWasEnabled) EnableWindow(m_owner, TRUE);
  ShowWindow(m_dlg, SW_HIDE);
  if (m_result != IDOK) return false;
  request.mode = Mode();
  request.text = Text();
  request.className = ClassText();
  request.handle = HandleText();
  return true;
}

int TfrmFindWindow::Mode() const {
  return RadioGroupIndex(m_dlg, IDC_FIND_RGRMODE, kModeItems) == kFindByHandle ? kFindByHandle : kFindByText;
}

std::string TfrmFindWindow::Text() const { return WindowTextOf(Item(IDC_FIND_EDTTEXT)); }
std::string TfrmFindWindow::ClassText() const { return WindowTextOf(Item(IDC_FIND_EDTCLASS)); }
std::string TfrmFindWindow::HandleText() const { return WindowTextOf(Item(IDC_FIND_EDTHANDLE)); }

void TfrmFindWindow::FormShow() {
  HWND text = Item(IDC_FIND_EDTTEXT);
  SetFocus(IsWindowEnabled(text) ? text : Item(IDC_FIND_EDTHANDLE));
  UpdateOKButton();
}

void TfrmFindWindow::rgrModeClick() {
  const bool byText = Mode() == kFindByText;
  for (int id : {IDC_FIND_LBLTEXT, IDC_FIND_EDTTEXT, IDC_FIND_LBLCLASS, IDC_FIND_EDTCLASS}) {
    SetEnabled(Item(id), byText);
  }
  for (int id : {IDC_FIND_LBLHANDLE, IDC_FIND_EDTHANDLE}) SetEnabled(Item(id), !byText);
  UpdateOKButton();
}

void TfrmFindWindow::UpdateOKButton() {
  SetEnabled(Item(IDOK), FindOkEnabled(Mode(), Text(), ClassText(), HandleText()));
}

bool TfrmFindWindow::FormCloseQuery() {
  if (Mode() != kFindByHandle) return true;
  Hwnd handle = 0;
  const std::string text = HandleText();
  if (ParseHandle(text, handle)) return true;
  SetFocus(Item(IDC_FIND_EDTHANDLE));
  ShowErrorText(m_box, m_dlg, InvalidHandleText(text));
  return false;
}

void TfrmFindWindow::Close(INT_PTR result) {
  m_result = result;
  m_running = false;
}

void TfrmFindWindow::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      // Enter reaches here through the dialog manager even while OK is disabled.
      if (IsWindowEnabled(Item(IDOK)) && FormCloseQuery()) Close(IDOK);
      return;
    case IDCANCEL: Close(IDCANCEL); return;
    case IDC_FIND_EDTTEXT:
    case IDC_FIND_EDTCLASS:
    case IDC_FIND_EDTHANDLE:
      if (code == EN_CHANGE) edtChange();
      return;
  }
  if (id > IDC_FIND_RGRMODE && id <= IDC_FIND_RGRMODE + kModeItems && code == BN_CLICKED) rgrModeClick();
}

INT_PTR CALLBACK TfrmFindWindow::DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    switch (msg) {
      case WM_INITDIALOG: {
        auto* form = reinterpret_cast<TfrmFindWindow*>(lParam);
        SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        form->m_dlg = dlg;
        form->FormCreate();
        return FALSE;  // the focus is placed when the dialog is shown
      }
      case WM_COMMAND:
        if (TfrmFindWindow* form = FormOf(dlg)) form->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_CLOSE:
        if (TfrmFindWindow* form = FormOf(dlg)) form->Close(IDCANCEL);
        return TRUE;
    }
  } catch (const std::exception& e) {
    ShowErrorText(DefaultMessageBox(), dlg, e.what());
  } catch (...) {
    ShowErrorText(DefaultMessageBox(), dlg, "Internal error");
  }
  return FALSE;
}

LRESULT CALLBACK TfrmFindWindow::HandleEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
  TfrmFindWindow* form = FormOf(GetParent(edit));
  // A Unicode edit: a character past ASCII is no digit, whatever its low byte.
  if (msg == WM_CHAR && (wParam > 0x7F || !HandleKeyAccepted(static_cast<char>(wParam)))) {
    MessageBeep(0);
    return 0;
  }
  WNDPROC previous = form ? form->m_editProc : nullptr;
  return previous ? CallWindowProcW(previous, edit, msg, wParam, lParam) : DefWindowProcW(edit, msg, wParam, lParam);
}
