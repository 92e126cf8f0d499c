#pragma once
// A modeless dialog without a resource template, as ui/Dialog.h makes modal
// ones: the procedure creates its controls from tables at WM_INITDIALOG, and
// the owner's message loop hands it its keys (IsDialogMessage).
#include <windows.h>

namespace act {

HWND CreateModelessDialog(HWND owner, DLGPROC proc, LPARAM param);

}  // namespace act
