// The Find Window dialog's handle syntax: ParseHandle against a second,
// differently built reading of the same grammar, and every accepted handle
// written back in each form the syntax offers must read as the same handle.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "relations/FindWin.h"

namespace {

bool AllOf(const std::string& s, int (*pred)(int)) {
  for (char c : s)
    if (!pred(static_cast<unsigned char>(c))) return false;
  return true;
}

// Blanks, a sign, then "$" and 1-8 hex digits or decimal digits within the
// signed 32-bit range; a minus negates in 32 bits.
bool ReferenceParse(const std::string& text, Hwnd& out) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string rest = text.substr(i);
  uint64_t magnitude = 0;
  if (!rest.empty() && rest[0] == '$') {
    std::string digits = rest.substr(1);
    if (digits.empty() || digits.size() > 8 || !AllOf(digits, isxdigit)) return false;
    magnitude = std::strtoull(digits.c_str(), nullptr, 16);
  } else {
    if (rest.empty() || !AllOf(rest, isdigit)) return false;
    size_t firstNonZero = rest.find_first_not_of('0');
    std::string significant = firstNonZero == std::string::npos ? "0" : rest.substr(firstNonZero);
    if (significant.size() > 10) return false;
    magnitude = std::strtoull(significant.c_str(), nullptr, 10);
    if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
  }
  const uint32_t m = static_cast<uint32_t>(magnitude);
  out = negative ? 0u - m : m;
  return true;
}

std::string Hex(uint32_t v, bool upper, bool padded) {
  char buf[16];
  std::snprintf(buf, sizeof buf, padded ? (upper ? "%08X" : "%08x") : (upper ? "%X" : "%x"), v);
  return buf;
}

void ExpectParses(const std::string& text, Hwnd expected, const std::string& from) {
  Hwnd h = 0;
  const bool ok = ParseHandle(text, h);
  FUZZ_CHECK(ok && h == expected, "'" + Shown(text) + "' written back from '" + Shown(from) +
                                      "' gave " + (ok ? std::to_string(h) : "rejection") +
                                      ", want " + std::to_string(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Hwnd parsed = 0, expected = 0;
  const bool ok = ParseHandle(text, parsed);
  const bool refOk = ReferenceParse(text, expected);
  FUZZ_CHECK(ok == refOk, "'" + Shown(text) + "': ParseHandle " + (ok ? "accepts" : "rejects") +
                              " it, the grammar " + (refOk ? "accepts" : "rejects") + " it");
  FUZZ_CHECK(InvalidHandleText(text) == "'" + text + "' is not a valid integer value");
  if (!ok) return 0;
  FUZZ_CHECK(parsed == expected, "'" + Shown(text) + "' gave " + std::to_string(parsed) +
                                     ", want " + std::to_string(expected));

  // Every form that names this handle reads back as it.
  const int32_t asSigned = static_cast<int32_t>(parsed);
  ExpectParses(std::to_string(asSigned), parsed, text);
  if (asSigned >= 0) ExpectParses("+00" + std::to_string(asSigned), parsed, text);
  ExpectParses("$" + Hex(parsed, true, true), parsed, text);
  ExpectParses("$" + Hex(parsed, false, false), parsed, text);
  ExpectParses("-$" + Hex(0u - parsed, true, false), parsed, text);
  ExpectParses("  " + text, parsed, text);

  // The Handle field's key filter lets a hexadecimal handle through.
  for (char c : "$" + Hex(parsed, false, false) + Hex(parsed, true, false))
    FUZZ_CHECK(HandleKeyAccepted(c), std::string("key ") + c);

  // Nothing may follow the number.
  Hwnd ignored = 0;
  FUZZ_CHECK(!ParseHandle(text + " ", ignored), Shown(text) + " with a blank after it");
  FUZZ_CHECK(!ParseHandle(text + "g", ignored), Shown(text) + " with a letter after it");
  return 0;
}
