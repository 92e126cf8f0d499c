#pragma once
// The system's side of the selectors: executables' names come from the one
// process list (SystemExecutableNames).
#include "platform/ProcessList.h"
#include "platform/WindowSystem.h"
#include "selectors/DesktopSelectors.h"
#include "reading/Reading.h"

// The selectors of one window over the live desktop, with their match counts:
// what the Copy selector menu and the Details window show.
SelectorFacts SystemWindowSelectors(const WindowSystem& ws, Hwnd w);

// `sources` with the selectors part read from `ws`, which must outlive them.
ReadingSources WithSelectors(ReadingSources sources, const WindowSystem& ws);
