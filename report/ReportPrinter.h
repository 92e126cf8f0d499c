#pragma once
// Printing the report on the default printer, with no printer or page dialog.
#include <string>

// Prints text (the report's bytes) as one job with an empty document name in
// the printer font. Returns false with *error set when there is no default
// printer (kNoDefaultPrinter) or the job cannot be started.
bool PrintReportText(const std::string& text, std::string* error);
