#pragma once
// Shared by the fuzz targets: a broken property aborts, so that libFuzzer keeps
// the input as a crash, and prints what differed in a readable form.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Control and high bytes as \xNN, long texts shortened in the middle.
inline std::string Shown(const std::string& s) {
  std::string out;
  const size_t keep = 160;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.size() > 2 * keep && i == keep) {
      out += "...(" + std::to_string(s.size() - 2 * keep) + " bytes)...";
      i = s.size() - keep;
    }
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

[[noreturn]] inline void FuzzFail(const char* condition, const char* file, int line,
                                  const std::string& detail) {
  std::fprintf(stderr, "\n==== property broken: %s\n     at %s:%d\n", condition, file, line);
  if (!detail.empty()) std::fprintf(stderr, "     %s\n", detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// FUZZ_CHECK(condition) or FUZZ_CHECK(condition, detail-string-expression).
#define FUZZ_CHECK(cond, ...)                                                  \
  do {                                                                         \
    if (!(cond)) FuzzFail(#cond, __FILE__, __LINE__, std::string(__VA_ARGS__)); \
  } while (0)
