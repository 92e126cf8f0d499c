#pragma once
// /processes and /threads over the system's processes and windows.
#include "cli/CliArgs.h"
#include "cli/CliRun.h"

// Text in the ANSI code page, JSON in UTF-8; kCliNoMatch for /threads of a
// process that does not exist.
CliOutcome RunProcessesCommand(const CliRequest& request);
