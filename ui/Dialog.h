#pragma once
// Dialogs without a resource template: an empty in-memory template whose
// controls the dialog creates from its tables at WM_INITDIALOG. The platform's
// dialog manager then gives Escape, Enter and Tab their usual meaning.
#include <windows.h>

// Runs `proc` as a modal dialog owned by `owner`; returns EndDialog's result.
INT_PTR RunModalDialog(HWND owner, DLGPROC proc, LPARAM param);
// Creates `proc` as a modeless dialog owned by `owner`, still hidden; the
// owner's message loop hands it its keys (TakeDialogKeys).
HWND CreateModelessDialog(HWND owner, DLGPROC proc, LPARAM param);
// Sets the dialog's client size in pixels and centres it on the screen.
void SizeAndCenterDialog(HWND dialog, int clientWidth, int clientHeight);

// Centres the dialog at the size it has (after scaling).
void CenterScaled(HWND dialog);

// A keyboard message for `window` or one of its controls, given to the dialog
// manager (Tab, arrows, Enter, Escape, mnemonics); true when it took it.
bool TakeDialogKeys(HWND window, MSG& msg);

// The procedure of a dialog object whose `this` is the dialog's LPARAM: from
// WM_INITDIALOG on it keeps the dialog's handle in m_hwnd and handles each
// message in Handle(msg, wParam, lParam). An exception ends with the message
// it came from rather than in the system's dispatcher. The class befriends
// it: template <typename T> friend INT_PTR CALLBACK DialogObjectProc(...).
template <typename T>
INT_PTR CALLBACK DialogObjectProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lParam);
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(dlg, DWLP_USER));
  if (!self) return FALSE;
  try {
    if (msg == WM_INITDIALOG) self->m_hwnd = dlg;
    return self->Handle(msg, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}
