#pragma once
// The system's side of a snapshot: the process reader and the screen's pixels,
// and the code-page conversion of the JSON report (AnsiToUtf8).
#include <string>

#include "platform/CodePages.h"

#include "target/TargetSnapshot.h"

// The executable and modules through the system's module walks, and the pixel
// of the screen as the Graphics page reads it.
SnapshotSources SystemSnapshotSources();

