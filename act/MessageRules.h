#pragma once
// What the Send message dialog and /send may send: the message by name or
// number, and the messages they refuse or ask about first. Parameters that
// are addresses in the target's memory cannot come from Tarvisk: the system
// carries a buffer between processes only for a few messages (WM_SETTEXT's
// text, WM_GETTEXT's answer), and any other address of ours would point into
// nothing, or into something else, in the target.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "msglog/MessageNames.h"
#include "platform/WinConstants.h"

namespace act {

// How a text box, number, WM_USER+n, WM_APP+n or constant name reads as a
// message. Any other word is a registered message's name: `registeredName`
// is set and the caller registers it (RegisterWindowMessage).
struct ParsedMessage {
  uint32_t message = 0;
  std::string registeredName;
};
bool ParseMessageText(const std::string& text, ParsedMessage* out, std::string* error);

// Which parameter of a message is an address in the receiver's memory, by the
// message's name as the target's class names it. 1 wParam, 2 lParam, 3 both;
// 0 for none. A message whose address may be null (EM_GETSEL) is marked
// optional: it is sent when that parameter is 0.
struct AddressUse {
  int params = 0;
  bool optional = false;
};
AddressUse MessageAddressUse(uint32_t message, msglog::ControlFamily family);
// The first name of the address table that the name tables do not know
// (a row that could never match); empty when there is none.
std::string UnknownAddressRowName();

struct SendRequest {
  uint32_t message = 0;
  uint64_t wParam = 0, lParam = 0;
  bool hasText = false;  // lParam is a text: WM_SETTEXT's
  std::string text;
  bool post = false;
};

// Empty when the request may go, otherwise why not, in one line.
std::string RefusalReason(const SendRequest& request, msglog::ControlFamily family);
// Empty when no question is needed; otherwise the question to ask first.
std::string AskFirstQuestion(const SendRequest& request, msglog::ControlFamily family);

// The buffer WM_GETTEXT gets when no wParam is given, in characters.
constexpr uint64_t kGetTextDefaultChars = 4096;

// What came back from one send, and its line in the dialog's list.
struct SendOutcome {
  enum Status { Sent, Posted, TimedOut, Failed, Refused, Cancelled } status = Sent;
  uint64_t result = 0;     // the answer of a sent message
  bool hasText = false;    // WM_GETTEXT's text came back
  std::string text;        // UTF-8
  std::string error;       // Failed, Refused
};

// "WM_GETTEXT(0x00000100, 0x00000000) = 5 \"hello\"", the result in the
// integer format of `formatted` (FormatAddress of the caller's choosing).
std::string OutcomeText(const std::string& messageName, const SendRequest& request,
                        const SendOutcome& outcome, const std::string& formattedResult,
                        const std::string& formattedW, const std::string& formattedL);

// The last messages sent this run, newest first, at most kHistorySize.
class SendHistory {
 public:
  static constexpr size_t kHistorySize = 20;
  void Add(const std::string& line) {
    m_lines.push_front(line);
    if (m_lines.size() > kHistorySize) m_lines.pop_back();
  }
  const std::deque<std::string>& Lines() const { return m_lines; }

 private:
  std::deque<std::string> m_lines;
};

// The names offered for completion for a window of `family`: the WM_ names
// and the family's own, in table order.
std::vector<std::string> CompletionNames(msglog::ControlFamily family);

}  // namespace act
