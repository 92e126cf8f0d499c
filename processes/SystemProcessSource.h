#pragma once
// The processes and threads as the system gives them, behind ProcessSource.
#include <memory>

#include "processes/ProcessModel.h"

std::unique_ptr<ProcessSource> MakeSystemProcessSource();

// Whether a thread answers: WM_NULL to its window, sent with the pages'
// time-out and SMTO_ABORTIFHUNG, so that a hung thread costs that time at most.
Hung AskWhetherHung(Hwnd window);
