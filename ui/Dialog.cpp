#include "ui/Dialog.h"

#include <vector>

namespace {

// DLGTEMPLATE, then empty menu, class and title arrays; DWORD aligned.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> buf(sizeof(DLGTEMPLATE) / sizeof(WORD) + 8, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buf.data());
  t->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER;
  t->cdit = 0;
  t->cx = 100;
  t->cy = 50;
  return buf;
}

}  // namespace

INT_PTR RunModalDialog(HWND owner, DLGPROC proc, LPARAM param) {
  const std::vector<WORD> t = EmptyTemplate();
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                 proc, param);
}

HWND CreateModelessDialog(HWND owner, DLGPROC proc, LPARAM param) {
  const std::vector<WORD> t = EmptyTemplate();
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                    proc, param);
}

bool TakeDialogKeys(HWND window, MSG& msg) {
  if (!window || !(msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) return false;
  if (msg.hwnd != window && !IsChild(window, msg.hwnd)) return false;
  return IsDialogMessageW(window, &msg) != FALSE;
}

void CenterScaled(HWND dialog) {
  RECT client = {};
  GetClientRect(dialog, &client);
  SizeAndCenterDialog(dialog, client.right, client.bottom);
}

void SizeAndCenterDialog(HWND dialog, int clientWidth, int clientHeight) {
  RECT r = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}
