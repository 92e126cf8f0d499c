#pragma once
// /watch and /wait over the live desktop (cli/CliEvents.h parses them).
#include <functional>
#include <string>

#include "cli/CliArgs.h"

// `out` writes bytes to standard output (utf8: UTF-8, else the ANSI code
// page) and says whether it could; `error` writes one line to standard error.
int RunEventsCommandLine(const CliRequest& request, const std::function<bool(const std::string&, bool utf8)>& out,
                         const std::function<void(const std::string&)>& error);
