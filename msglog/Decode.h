#pragma once
// The parameters of a recorded message in words: positions, keys, flags and
// codes by name, the text of WM_SETTEXT. Messages without a rule give "".
#include <cstdint>
#include <string>

#include "msghook/RingFormat.h"

namespace msglog {

std::string DecodeParameters(const RecordData& record);
// A handle or parameter as the log shows it: 0x and 8 hex digits, 16 when the
// value needs them.
std::string HexValue(uint64_t value);
// The result column: hexadecimal, for returns only.
std::string ResultText(const RecordData& record);

}  // namespace msglog
