#include "platform/CodePages.h"

#include "platform/Utf8.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

std::wstring Widen(const std::string& utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text), length);
}

std::string Utf8ToAnsi(const std::string& utf8) {
  if (utf8.empty()) return utf8;
  const std::wstring wide = Widen(utf8);
  const int size = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, &out[0], bytes, nullptr, nullptr);
  return out;
}

std::string AnsiToUtf8(const std::string& ansi) {
  if (ansi.empty()) return ansi;
  const int size = static_cast<int>(ansi.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (wide <= 0) return std::string();
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, &w[0], wide);
  return Narrow(w);
}
