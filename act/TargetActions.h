#pragma once
// The calls that act on another program's window, shared by the two dialogs
// and the command line. None of them can keep Tarvisk waiting on a hung or
// vanished window: messages go with the pages' time-out, and the style calls,
// which the system sends to the target without one, run on a thread of
// their own that Tarvisk waits for only so long.
#include <windows.h>

#include <string>
#include <vector>

#include "act/MessageRules.h"
#include "act/StyleChange.h"

namespace act {

// The class name of the window, as the reading gives it.
std::string TargetClassName(HWND target);
// "CLASS 0x0001005C", as the titles of the log and the dialogs name a window.
std::string TargetName(HWND target);

// False when the window is gone.
bool ReadStyleWords(HWND target, StyleWords* words);
// The family of the target's control style (its class, or the system class
// its class was made from).
StyleFamily TargetStyleFamily(HWND target);

struct StyleApplyResult {
  enum Status { Done, Gone, Hung, Unfinished } status = Done;
  StyleWords before, wanted, after;  // after: read back once the calls returned
  std::vector<MissedBit> missed;
  // Gone, Hung, Unfinished: a sentence for the user.
  std::string error;
  bool AllTaken() const { return status == Done && missed.empty(); }
};

// Takes the window from `before` (what the caller last read) to `wanted`
// with the calls of PlanStyleChange, then reads the words back and lists the
// bits that did not take. A window that is gone or does not answer gets no
// change at all.
StyleApplyResult ApplyStyleWords(HWND target, const StyleWords& before, const StyleWords& wanted);

// Sends (SendMessageTimeout with the pages' time-out) or posts the request;
// the caller has asked RefusalReason and AskFirstQuestion first.
SendOutcome SendToTarget(HWND target, const SendRequest& request);
// The message's name as the target's class names it (registered names too).
std::string TargetMessageName(HWND target, uint32_t message);

}  // namespace act
