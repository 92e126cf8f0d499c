#pragma once
// The command-line mode of Tarvisk.exe: reports and listings written to a file
// or to standard output, without a window, a reminder or a settings write.
#include <string>
#include <vector>

#include "cli/CliRun.h"

// The arguments after the program's name, in the ANSI code page.
std::vector<std::string> CommandLineArguments();

// The system as the command line sees it: user32 behind the window seam, the
// saved settings (read, never written), the cursor and the foreground window.
CliEnvironment SystemCliEnvironment(const WindowSystem& ws);

// Runs the command and returns the exit status; the output goes to the file or
// to standard output, a failure's one-line message to the error stream.
int RunCommandLine(const std::vector<std::string>& args);
