#pragma once
// The parameters of a recorded message in words: positions, keys, flags and
// codes by name, the text of WM_SETTEXT. Messages without a rule give "".
#include <string>

#include "msglog/RingFormat.h"

namespace msglog {

std::string DecodeParameters(const RecordData& record);
// The result column: hexadecimal, for returns only.
std::string ResultText(const RecordData& record);

}  // namespace msglog
