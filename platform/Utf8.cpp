#include "platform/Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

char32_t Utf8Next(const std::string& text, size_t& i) {
  const auto c = static_cast<unsigned char>(text[i]);
  size_t extra = 0;
  char32_t cp = 0, minimum = 0;
  if (c < 0x80) {
    ++i;
    return c;
  } else if ((c & 0xE0) == 0xC0) {
    extra = 1, cp = c & 0x1F, minimum = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    extra = 2, cp = c & 0x0F, minimum = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    extra = 3, cp = c & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + extra >= text.size()) {
    ++i;
    return kReplacement;
  }
  for (size_t k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if (!IsContinuation(next)) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past the last plane are no characters.
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

size_t Utf8BrokenLength(const std::string& text, size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  size_t need = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range; later ones take any continuation
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2, low = c == 0xE0 ? 0xA0 : 0x80, high = c == 0xED ? 0x9F : 0xBF;
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3, low = c == 0xF0 ? 0x90 : 0x80, high = c == 0xF4 ? 0x8F : 0xBF;
  }
  size_t n = 1;
  while (n <= need && i + n < text.size()) {
    const auto t = static_cast<unsigned char>(text[i + n]);
    if (t < low || t > high) break;
    low = 0x80, high = 0xBF;
    ++n;
  }
  return n;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  Utf8ToUtf16(text, out);
  return out;
}

void Utf8ToUtf16(const std::string& text, std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const char32_t cp = Utf8Next(text, i);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
}

std::string Utf16ToUtf8(const char16_t* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(cp, out);
  }
  return out;
}

size_t Utf8Length(const std::string& text) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++n) Utf8Next(text, i);
  return n;
}

std::string Utf8Prefix(const std::string& text, size_t count) {
  size_t i = 0;
  for (size_t n = 0; n < count && i < text.size(); ++n) Utf8Next(text, i);
  return text.substr(0, i);
}

size_t Utf8FitBytes(const std::string& text, size_t bytes) {
  size_t i = 0;
  while (i < text.size()) {
    size_t next = i;
    Utf8Next(text, next);
    if (next > bytes) break;
    i = next;
  }
  return i;
}
