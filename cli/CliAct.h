#pragma once
// The command line's two commands that act on a window: /style changes its
// style words as the style editor does, /send sends or posts it a message as
// the Send message dialog does.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

struct CliActRequest {
  Hwnd handle = 0;
  std::string handleText;
  // /style
  bool exWord = false;
  std::vector<std::string> changes;  // +NAME, -NAME, =HEX as given
  // /send
  std::string message;
  bool hasWParam = false, hasLParam = false;
  std::string wParam, lParam;  // lParam may be the text of WM_SETTEXT
  bool post = false;
};

// Parses the arguments after /style or /send (`send` tells which); empty when
// they are well formed, otherwise the error line.
std::string ParseActArguments(const std::vector<std::string>& args, bool send, CliActRequest* request);

// The lines /style prints: the words before and after, then each bit that did
// not take. Words in the handle syntax's hexadecimal ($ and 8 digits).
std::string StyleOutcomeLines(uint32_t styleBefore, uint32_t exBefore, uint32_t styleAfter, uint32_t exAfter,
                              const std::vector<std::string>& missed);
// The line /send prints for a sent message's result: decimal (as the signed
// value the window returned) and hexadecimal.
std::string SendResultLine(uint64_t result, int addressBits);
