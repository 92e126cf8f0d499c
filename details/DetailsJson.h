#pragma once
// The details as the JSON report's "details" object (docs/tarvisk-report.schema.json):
// handles and values as integers, flags as their value and constant names.
// A fact the system did not give is null, and its key is named in the
// "notAvailable" array of the object that holds it; a null whose key is not
// named there is a fact the window does not have (no menu, not layered).
#include <string>

#include "platform/JsonWriter.h"
#include "reading/WindowDetails.h"

// The object, as the next value of `out`.
void WriteDetailsJson(JsonWriter& out, const WindowDetails& details);
// The object alone, on one line without blanks: a snapshot's record holds it.
std::string DetailsJsonText(const WindowDetails& details);
