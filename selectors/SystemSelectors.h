#pragma once
// The system's side of the selectors: executables' names from the processes'
// image names.
#include "platform/WindowSystem.h"
#include "selectors/DesktopSelectors.h"
#include "reading/Reading.h"

// The image's file name ("notepad.exe") in UTF-8; empty when the process
// cannot be opened.
ExeNameSource SystemExeNames();

// The selectors of one window over the live desktop, with their match counts:
// what the Copy selector menu and the Details window show.
SelectorFacts SystemWindowSelectors(const WindowSystem& ws, Hwnd w);

// `sources` with the selectors part read from `ws`, which must outlive them.
ReadingSources WithSelectors(ReadingSources sources, const WindowSystem& ws);
