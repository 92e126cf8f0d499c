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

// The character that starts at text[i], moving i past it. A broken sequence
// gives U+FFFD and moves one byte, so the next lead byte is not lost.
char32_t Utf8Next(const std::string& text, size_t& i);
// Where a broken sequence starts at text[i]: how many of its bytes begin a
// character correctly before it breaks (at least 1), for the writers that put
// one U+FFFD for a character cut short.
size_t Utf8BrokenLength(const std::string& text, size_t i);
void AppendUtf8(char32_t codePoint, std::string& out);

// Characters (code points) in the text: the width a text takes in a report
// laid out in characters.
size_t Utf8Length(const std::string& text);
// The first `count` characters, never cutting one in two.
std::string Utf8Prefix(const std::string& text, size_t count);
// The longest start of the text that fits in `bytes` bytes without cutting a
// character in two.
size_t Utf8FitBytes(const std::string& text, size_t bytes);
