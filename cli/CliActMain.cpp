#include "cli/CliActMain.h"

#include "act/TargetActions.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"

namespace {

CliOutcome Failure(int status, const std::string& error) {
  CliOutcome o;
  o.status = status;
  o.error = error;
  return o;
}

CliOutcome RunStyle(const CliActRequest& r, HWND target) {
  act::StyleWords before;
  if (!act::ReadStyleWords(target, &before)) return Failure(kCliNoMatch, "no window matches " + r.handleText);
  const StyleFamily family = act::TargetStyleFamily(target);
  std::vector<act::StyleEdit> edits;
  for (const std::string& change : r.changes) {
    act::StyleEdit edit;
    std::string error;
    if (!act::ParseStyleEdit(change, family, r.exWord, &edit, &error)) return Failure(kCliFailed, error);
    edits.push_back(edit);
  }
  const act::StyleWords wanted = act::ApplyStyleEdits(before, edits, r.exWord);
  const act::StyleApplyResult applied = act::ApplyStyleWords(target, before, wanted);
  if (applied.status == act::StyleApplyResult::Gone) return Failure(kCliNoMatch, applied.error);
  if (applied.status == act::StyleApplyResult::Hung) return Failure(kCliTimedOut, applied.error);
  std::vector<std::string> missed;
  for (const act::MissedBit& bit : applied.missed) missed.push_back(act::MissedBitText(bit, family));
  CliOutcome o;
  o.output = StyleOutcomeLines(applied.before.style, applied.before.exStyle, applied.after.style,
                               applied.after.exStyle, missed);
  if (applied.status == act::StyleApplyResult::Unfinished) {
    o.status = kCliTimedOut;
    o.error = applied.error;
  } else if (!missed.empty()) {
    o.status = kCliNotAllTaken;
    o.error = "some changes did not take";
  }
  return o;
}

bool TakeNumber(const std::string& text, const char* what, uint64_t* value, std::string* error) {
  if (act::ParseActNumber(text, value)) return true;
  *error = "'" + text + "' is no " + what + ": a number, decimal, 0x or $ hexadecimal";
  return false;
}

CliOutcome RunSend(const CliActRequest& r, HWND target) {
  act::ParsedMessage parsed;
  std::string error;
  if (!act::ParseMessageText(r.message, &parsed, &error)) return Failure(kCliFailed, error);
  if (!parsed.registeredName.empty()) {
    parsed.message = RegisterWindowMessageA(Utf8ToAnsi(parsed.registeredName).c_str());
    if (parsed.message == 0) return Failure(kCliFailed, "could not register " + parsed.registeredName);
  }
  act::SendRequest request;
  request.message = parsed.message;
  request.post = r.post;
  if (r.hasWParam && !TakeNumber(r.wParam, "wParam", &request.wParam, &error)) return Failure(kCliFailed, error);
  if (r.hasLParam) {
    // A text is what WM_SETTEXT takes; for any other message a word that is
    // no number is an error of its own.
    if (request.message == kWmSetText) {
      request.hasText = true;
      request.text = AnsiToUtf8(r.lParam);
    } else if (!act::ParseActNumber(r.lParam, &request.lParam)) {
      request.hasText = true;
      request.text = AnsiToUtf8(r.lParam);
    }
  }
  if (request.message == kWmGetText && !r.hasWParam) request.wParam = act::kGetTextDefaultChars;
  const msglog::ControlFamily family = msglog::FamilyOfClass(act::TargetClassName(target));
  const std::string refusal = act::RefusalReason(request, family);
  if (!refusal.empty()) return Failure(kCliFailed, act::TargetMessageName(target, request.message) + " refused: " + refusal);
  const act::SendOutcome sent = act::SendToTarget(target, request);
  CliOutcome o;
  switch (sent.status) {
    case act::SendOutcome::Sent:
      o.output = sent.hasText ? Utf8ToAnsi(sent.text) + "\r\n" : SendResultLine(sent.result, sizeof(void*) * 8);
      break;
    case act::SendOutcome::Posted: o.output = "posted\r\n"; break;
    case act::SendOutcome::TimedOut:
      return Failure(kCliTimedOut, "the window did not answer within " + std::to_string(kGetTextTimeoutMs) + " ms");
    default:
      if (!IsWindow(target)) return Failure(kCliNoMatch, "no window matches " + r.handleText);
      return Failure(kCliFailed, sent.error);
  }
  return o;
}

}  // namespace

CliOutcome RunActCommand(const CliRequest& request) {
  const CliActRequest& r = request.act;
  HWND target = ToHwnd(r.handle);
  if (r.handle == 0 || !IsWindow(target)) return Failure(kCliNoMatch, "no window matches " + r.handleText);
  return request.command == CliCommand::Style ? RunStyle(r, target) : RunSend(r, target);
}
