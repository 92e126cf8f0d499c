#pragma once
// Turns the numbers shown about a window into text. The two display options are
// passed in at every call, so a page filled again after an option changed shows
// the new form at once.
#include <cstdint>
#include <string>

#include "platform/WindowSystem.h"

// Indices of the Options page radio groups, as stored in the registry.
enum IntegerFormat { kFormatHexadecimal = 0, kFormatDecimal = 1, kFormatBinary = 2 };
enum ConstsCase { kCaseLower = 0, kCaseUpper = 1 };

struct DisplayOptions {
  int integerFormat = 0;  // IntegerFormat; any other value: nothing selected
  int constsCase = 0;     // ConstsCase
};

// A 32-bit value (handle, identifier, address, style word): 8 upper-case hex
// digits, signed decimal or 32 binary digits; the empty text for an unknown format.
std::string FormatInteger(uint32_t value, const DisplayOptions& opts);
// A pointer-sized value (instance, procedure, module handle) of a program whose
// addresses have `bits` bits: FormatInteger for 32, and for 64 the same forms at
// twice the width (16 hex digits, signed 64-bit decimal, 64 binary digits).
std::string FormatAddress(uint64_t value, int bits, const DisplayOptions& opts);
// The low 8 bits of value: 2 hex digits, 0..255 or 8 binary digits.
std::string FormatByte(uint32_t value, const DisplayOptions& opts);
// The low `digits` bits of value (1..32), most significant first.
std::string BinaryDigits(uint32_t value, int digits);

// Coordinates and sizes are always signed decimal, whatever the integer format.
std::string RectText(const WinRect& r);
std::string SizeText(int32_t width, int32_t height);
std::string PointText(int32_t x, int32_t y);
// A colour 0x00BBGGRR, each channel through FormatByte.
std::string PixelColorText(uint32_t color, const DisplayOptions& opts);

// Lower-cases ASCII letters when the constants case is lower; bytes >= 0x80 (the
// no-break spaces of the separators) are left as they are.
std::string ApplyConstsCase(std::string text, const DisplayOptions& opts);
