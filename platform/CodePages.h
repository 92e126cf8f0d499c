#pragma once
// The boundary between the program's UTF-8 and the system: UTF-16 for the W
// entry points, the ANSI code page for what stays ANSI (the default report,
// the plug-in contract, settings, paths of the A file functions).
#include <windows.h>

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const wchar_t* text, size_t length);
inline std::string Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

// Characters the code page lacks become the system's default character ("?"),
// as the ANSI entry points convert them.
std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
