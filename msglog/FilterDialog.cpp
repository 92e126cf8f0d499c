#include "msglog/FilterDialog.h"

#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "ui/Form.h"
#include "ui/MessageBoxes.h"

namespace msglog {

namespace {

enum FilterControl {
  IDC_FLT_GROUPS = 2000, IDC_FLT_GROUP0 = 2001,  // one check box per group
  IDC_FLT_INCLUDELABEL = 2020, IDC_FLT_INCLUDE, IDC_FLT_EXCLUDELABEL, IDC_FLT_EXCLUDE,
};

constexpr const char* kGroupCaptions[kGroupCount] = {
    "&Mouse", "&Keyboard", "&Window management", "&Painting", "N&on-client",
    "&Control notifications", "&Timer", "Ot&her"};

struct FilterState {
  LogFilter* filter;
  FormFonts fonts;
};

void Fill(HWND dlg, const LogFilter& f) {
  for (int i = 0; i < kGroupCount; ++i) SetChecked(dlg, IDC_FLT_GROUP0 + i, f.groups[i]);
  SetDlgItemTextA(dlg, IDC_FLT_INCLUDE, MessageListText(f.include).c_str());
  SetDlgItemTextA(dlg, IDC_FLT_EXCLUDE, MessageListText(f.exclude).c_str());
}

bool Take(HWND dlg, LogFilter* out) {
  LogFilter f;
  for (int i = 0; i < kGroupCount; ++i) f.groups[i] = IsChecked(dlg, IDC_FLT_GROUP0 + i);
  for (int id : {IDC_FLT_INCLUDE, IDC_FLT_EXCLUDE}) {
    std::string bad;
    std::set<uint32_t>& list = id == IDC_FLT_INCLUDE ? f.include : f.exclude;
    if (!ParseMessageList(WindowTextOf(GetDlgItem(dlg, id)), &list, &bad)) {
      ShowErrorBox(dlg, "\"" + bad + "\" is no message name or number");
      SetFocus(GetDlgItem(dlg, id));
      return false;
    }
  }
  *out = f;
  return true;
}

INT_PTR CALLBACK FilterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<FilterState*>(lParam);
      SetWindowLongPtrA(dlg, DWLP_USER, lParam);
      SetWindowTextA(dlg, "Filter messages");
      SizeAndCenterDialog(dlg, 360, 262);
      CreateControl(dlg, {ControlKind::GroupBox, IDC_FLT_GROUPS, "Show these groups", 8, 8, 344, 102});
      for (int i = 0; i < kGroupCount; ++i) {
        CreateControl(dlg, {ControlKind::CheckBox, IDC_FLT_GROUP0 + i, kGroupCaptions[i],
                            20 + (i % 2) * 168, 26 + (i / 2) * 20, 160, 17});
      }
      // Each row: kind, id, caption, left, top, width, height, hint.
      CreateControls(dlg, {
          {ControlKind::Label, IDC_FLT_INCLUDELABEL, "&Always show (names or numbers):", 8, 120, 344, 14},
          {ControlKind::Edit, IDC_FLT_INCLUDE, "", 8, 136, 344, 21,
           "|Messages shown even when their group is off, e.g. WM_SETTEXT, WM_APP+1"},
          {ControlKind::Label, IDC_FLT_EXCLUDELABEL, "&Never show (names or numbers):", 8, 166, 344, 14},
          {ControlKind::Edit, IDC_FLT_EXCLUDE, "", 8, 182, 344, 21,
           "|Messages never shown, e.g. WM_MOUSEMOVE, WM_NCHITTEST, 0x0118"},
          {ControlKind::DefaultButton, IDOK, "OK", 196, 228, 75, 25},
          {ControlKind::Button, IDCANCEL, "Cancel", 277, 228, 75, 25},
      });
      state->fonts.Prepare(dlg);
      CenterScaled(dlg);
      Fill(dlg, *state->filter);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* state = reinterpret_cast<FilterState*>(GetWindowLongPtrA(dlg, DWLP_USER));
        if (Take(dlg, state->filter)) EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  (void)lParam;
  return FALSE;
}

}  // namespace

bool RunFilterDialog(HWND owner, LogFilter& filter) {
  LogFilter edited = filter;
  FilterState state{&edited, {}};
  if (RunModalDialog(owner, FilterProc, reinterpret_cast<LPARAM>(&state)) != IDOK) return false;
  filter = edited;
  return true;
}

}  // namespace msglog
