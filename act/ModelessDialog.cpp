#include "act/ModelessDialog.h"

#include <vector>

namespace act {

HWND CreateModelessDialog(HWND owner, DLGPROC proc, LPARAM param) {
  // DLGTEMPLATE, then empty menu, class and title arrays; DWORD aligned.
  std::vector<WORD> buf(sizeof(DLGTEMPLATE) / sizeof(WORD) + 8, 0);
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buf.data());
  t->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER;
  t->cx = 100;
  t->cy = 50;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, owner, proc, param);
}

}  // namespace act
