#include "inspect/Format.h"

#include <cstdio>

std::string FormatInteger(uint32_t value, const DisplayOptions& opts) {
  char text[16];
  switch (opts.integerFormat) {
    case kFormatHexadecimal:
      std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
      return text;
    case kFormatDecimal:
      std::snprintf(text, sizeof text, "%ld", static_cast<long>(static_cast<int32_t>(value)));
      return text;
    case kFormatBinary:
      return BinaryDigits(value, 32);
  }
  return std::string();
}

std::string FormatAddress(uint64_t value, int bits, const DisplayOptions& opts) {
  if (bits != 64) return FormatInteger(static_cast<uint32_t>(value), opts);
  char text[32];
  switch (opts.integerFormat) {
    case kFormatHexadecimal:
      std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(value));
      return text;
    case kFormatDecimal:
      std::snprintf(text, sizeof text, "%lld", static_cast<long long>(static_cast<int64_t>(value)));
      return text;
    case kFormatBinary:
      return BinaryDigits(static_cast<uint32_t>(value >> 32), 32) +
             BinaryDigits(static_cast<uint32_t>(value), 32);
  }
  return std::string();
}

std::string FormatByte(uint32_t value, const DisplayOptions& opts) {
  unsigned byte = value & 0xFFu;
  char text[8];
  switch (opts.integerFormat) {
    case kFormatHexadecimal:
      std::snprintf(text, sizeof text, "%02X", byte);
      return text;
    case kFormatDecimal:
      std::snprintf(text, sizeof text, "%u", byte);
      return text;
    case kFormatBinary:
      return BinaryDigits(byte, 8);
  }
  return std::string();
}

std::string BinaryDigits(uint32_t value, int digits) {
  if (digits < 1) return std::string();
  if (digits > 32) digits = 32;
  std::string text;
  text.reserve(digits);
  for (uint32_t mask = 1u << (digits - 1); mask != 0; mask >>= 1) text += (value & mask) ? '1' : '0';
  return text;
}

std::string RectText(const WinRect& r) {
  char text[96];
  std::snprintf(text, sizeof text, "left: %ld, top: %ld, right: %ld, bottom: %ld",
                static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                static_cast<long>(r.bottom));
  return text;
}

std::string SizeText(int32_t width, int32_t height) {
  char text[64];
  std::snprintf(text, sizeof text, "width: %ld, height: %ld", static_cast<long>(width),
                static_cast<long>(height));
  return text;
}

std::string PointText(int32_t x, int32_t y) {
  char text[64];
  std::snprintf(text, sizeof text, "X: %ld  Y: %ld", static_cast<long>(x), static_cast<long>(y));
  return text;
}

std::string PixelColorText(uint32_t color, const DisplayOptions& opts) {
  return "R: " + FormatByte(color, opts) + "  G: " + FormatByte(color >> 8, opts) +
         "  B: " + FormatByte(color >> 16, opts);
}

std::string ApplyConstsCase(std::string text, const DisplayOptions& opts) {
  if (opts.constsCase != kCaseLower) return text;
  // Not tolower(): its result for bytes >= 0x80 depends on the C locale.
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}
