#pragma once
// The density a window is shown at, and what the system gives at another
// density. The functions for this exist only on newer systems and are bound
// late; where they are missing there is one density, the system's.
#include <windows.h>

constexpr int kDesignDpi = 96;

// The system's density (the primary monitor's at logon).
int SystemDpi();
// The density of the monitor the window is on, as the window is told it.
int DpiOfWindow(HWND window);
// The system's message font as it is at `dpi`; false when the system cannot say.
bool MessageFontAt(int dpi, LOGFONTA& font);
// AdjustWindowRectEx with the frame `window` has at `dpi`: the system scales
// the frame only of windows aware of each monitor in the second version.
void AdjustWindowRectAtDpi(HWND window, RECT& r, int dpi);
// The dialog manager of a per-monitor program rescales a dialog's font and
// controls on a change of density; the toolkit scales its forms itself, so the
// two would scale twice.
void KeepDialogManagerFromScaling(HWND dialog);
