#include "app/Nag.h"

#include "app/ControlIds.h"
#include "platform/OnDemandDlls.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "ui/Form.h"

namespace {

struct NagState {
  FormFonts fonts;
  bool hideNag = false;
};

void Close(HWND dlg, bool donate) {
  auto* state = reinterpret_cast<NagState*>(GetWindowLongPtrA(dlg, DWLP_USER));
  state->hideNag = IsChecked(dlg, IDC_NAG_CHBHIDENAG);
  EndDialog(dlg, 0);
  if (donate) OpenWithShell(DonationTarget());
}

}  // namespace

bool TfrmNag::Run(HWND owner) {
  NagState state;
  RunModalDialog(owner, DialogProc, reinterpret_cast<LPARAM>(&state));
  return state.hideNag;
}

INT_PTR CALLBACK TfrmNag::DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<NagState*>(lParam);
      SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      SetWindowTextA(dlg, "Donate to Tarvisk!");
      SizeAndCenterDialog(dlg, 367, 226);
      // Each row: kind, id, caption, left, top, width, height.
      CreateControls(dlg, {
          {ControlKind::WrapLabel, IDC_NAG_LBLINFO,
           "Tarvisk is free, and it is made better in the time of the people who write it. "
           "If it saves you time, please support its development with a donation.\r\n\r\n"
           "The \"Donate!\" button below, or the Donate button on the About page, takes you "
           "to the donation page. Thank you!",
           8, 8, 351, 156},
          {ControlKind::CheckBox, IDC_NAG_CHBHIDENAG, "Don't show me this again", 8, 192, 161, 17},
          {ControlKind::DefaultButton, IDC_NAG_BTNDONATE, "Donate!", 196, 192, 77, 25},
          {ControlKind::Button, IDC_NAG_BTNCLOSE, "Close", 280, 192, 77, 25},
      });
      SendMessageA(dlg, DM_SETDEFID, IDC_NAG_BTNDONATE, 0);
      state->fonts.Prepare(dlg);
      RECT client;
      GetClientRect(dlg, &client);
      SizeAndCenterDialog(dlg, client.right, client.bottom);  // recentre at the scaled size
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_NAG_BTNDONATE: Close(dlg, true); return TRUE;
        case IDC_NAG_BTNCLOSE:
        case IDCANCEL: Close(dlg, false); return TRUE;
      }
      break;
  }
  return FALSE;
}
