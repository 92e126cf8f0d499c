#pragma once
// Modal dialogs without a resource template: an empty in-memory template whose
// controls the dialog creates from its tables at WM_INITDIALOG. The platform's
// dialog manager then gives Escape, Enter and Tab their usual meaning.
#include <windows.h>

// Runs `proc` as a modal dialog owned by `owner`; returns EndDialog's result.
INT_PTR RunModalDialog(HWND owner, DLGPROC proc, LPARAM param);
// Sets the dialog's client size in pixels and centres it on the screen.
void SizeAndCenterDialog(HWND dialog, int clientWidth, int clientHeight);
