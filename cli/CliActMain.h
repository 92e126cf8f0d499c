#pragma once
// Runs /style and /send against the system's windows (cli/CliAct.h).
#include "cli/CliRun.h"

// The outcome's output goes to standard output even when its status is not
// kCliOk (/style's words when some change did not take).
CliOutcome RunActCommand(const CliRequest& request);
