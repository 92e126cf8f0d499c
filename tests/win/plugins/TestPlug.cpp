// A plug-in that misbehaves on request, for the host's tests. Its results are
// declared as 32-bit values so that the upper bytes, undefined in the
// contract, can be set on purpose. Action's behaviour is chosen by the data text.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

extern "C" {

uint32_t __stdcall Name(char* Buffer, int32_t Size) {
  lstrcpynA(Buffer, "Test plug-in", Size);
  return 1;
}

// Low byte zero, upper bytes set: false.
uint32_t __stdcall Hint(char* Buffer, int32_t Size) {
  lstrcpynA(Buffer, "not to be shown", Size);
  return 0xFFFFFF00u;
}

// Fills all of Size with no NUL at all.
uint32_t __stdcall Info(char* Buffer, int32_t Size) {
  std::memset(Buffer, 'I', static_cast<size_t>(Size));
  return 1;
}

uint32_t __stdcall Action(uint32_t Wnd, char* Buffer, int32_t Size) {
  std::string data = Buffer;
  if (data == "fail-high") {
    lstrcpynA(Buffer, "scribbled", Size);
    return 0xABCDEF00u;
  }
  if (data == "true-high") {
    lstrcpynA(Buffer, "ok", Size);
    return 0xABCDEF01u;
  }
  if (data == "untouched") return 1;
  if (data == "overfill") {  // one byte more than allowed: the whole host buffer
    std::memset(Buffer, 'F', static_cast<size_t>(Size) + 1);
    return 1;
  }
  if (data == "long") {
    lstrcpynA(Buffer, std::string(300, 'L').c_str(), Size);
    return 1;
  }
  char report[64];
  std::snprintf(report, sizeof report, "wnd=%u len=%u size=%d", static_cast<unsigned>(Wnd),
                static_cast<unsigned>(data.size()), static_cast<int>(Size));
  lstrcpynA(Buffer, report, Size);
  return 1;
}

}  // extern "C"
