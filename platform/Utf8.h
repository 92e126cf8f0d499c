#pragma once
// UTF-8 is how this program keeps every text it reads from other windows and
// every text it shows; the system speaks UTF-16. These conversions carry
// unpaired surrogates and broken sequences through as U+FFFD, so no text a
// window gives can make them fail.
#include <cstddef>
#include <string>

std::u16string Utf8ToUtf16(const std::string& text);
// The same into `out`, whose storage is reused: for conversions in a loop.
void Utf8ToUtf16(const std::string& text, std::u16string& out);
std::string Utf16ToUtf8(const char16_t* text, size_t length);
inline std::string Utf16ToUtf8(const std::u16string& text) { return Utf16ToUtf8(text.data(), text.size()); }

// Characters (code points) in the text: the width a text takes in a report
// laid out in characters.
size_t Utf8Length(const std::string& text);
// The first `count` characters, never cutting one in two.
std::string Utf8Prefix(const std::string& text, size_t count);
// The longest start of the text that fits in `bytes` bytes without cutting a
// character in two.
size_t Utf8FitBytes(const std::string& text, size_t bytes);
