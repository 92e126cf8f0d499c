#pragma once
// The log's Filter dialog: message groups to show, and messages always or
// never shown, by name or number.
#include <windows.h>

#include "msglog/LogFilter.h"

namespace msglog {

// True when the user chose OK; `filter` then holds the new filter.
bool RunFilterDialog(HWND owner, LogFilter& filter);

}  // namespace msglog
