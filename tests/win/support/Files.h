#pragma once
// Clipboard and file helpers shared by the Wine tests.
#include <string>
#include <vector>

#include "tests/common/ReportLines.h"

// The clipboard's CF_TEXT, "<clipboard busy>" when it cannot be opened.
std::string ClipboardText();
// The clipboard's CF_UNICODETEXT as UTF-8, "<clipboard busy>" likewise.
std::string ClipboardUnicodeText();
void SetClipboardText(const std::string& text);
// A file's bytes; empty when it cannot be read.
std::string FileContents(const std::string& path);
// Removes a folder (ending in a backslash) with everything in it.
void RemoveTree(const std::string& folder);
