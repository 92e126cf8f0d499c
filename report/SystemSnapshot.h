#pragma once
// The system's side of a snapshot: the process reader and the screen's pixels,
// and the code-page conversion of the JSON report.
#include <string>

#include "report/TargetSnapshot.h"

// The executable and modules through the system's module walks, and the pixel
// of the screen as the Graphics page reads it.
SnapshotSources SystemSnapshotSources();

// A text of the ANSI code page as UTF-8.
std::string AnsiToUtf8(const std::string& text);
