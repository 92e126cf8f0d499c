#pragma once
// The command line's selectors: /select lists the windows a selector names,
// /report /select reports the first of them.
#include "cli/CliRun.h"

CliOutcome RunSelect(const CliRequest& request, const CliEnvironment& env);

// False, with `failure` saying where, for a request whose selector does not parse.
bool SelectorParses(const CliRequest& request, const CliEnvironment& env, CliOutcome& failure);

// The first window the request's selector names; 0 when none does, or when
// it does not parse.
Hwnd FirstSelectedWindow(const CliRequest& request, const CliEnvironment& env);
