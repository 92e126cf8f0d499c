#pragma once
// Saving the report so that a failed save never costs the file it replaces.
#include <string>

// Writes bytes to a temporary file in path's folder and, once every byte is
// written, moves it over path. On failure path is left as it was, the
// temporary file is removed, and *error gets a message naming the file and
// the system's reason.
bool SaveFileReplacing(const std::string& path, const std::string& bytes, std::string* error);

// The system's text for an error code, without its trailing line end.
std::string SystemErrorText(unsigned long code);
