#include "act/TargetActions.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "reading/WindowFacts.h"

namespace act {

namespace {

// How long the style calls may take in all. Each of them sends the target a
// message or two (WM_STYLECHANGING, WM_NCCALCSIZE, WM_SHOWWINDOW...), so a
// window that answers the pages' time-out answers these well within it.
constexpr DWORD kApplyDeadlineMs = 10 * kGetTextTimeoutMs;

// Runs `work` on a thread of its own and waits for it at most `deadlineMs`,
// answering the messages other threads send to this one meanwhile (a target
// of this very process sends its messages through here). False when the work
// did not finish in time: it goes on alone, holding what it needs.
struct Job {
  std::function<void()> work;
};

DWORD WINAPI RunJob(LPVOID p) {
  std::unique_ptr<Job> owned(static_cast<Job*>(p));
  try {
    owned->work();
  } catch (...) {
  }
  return 0;
}

bool RunWithDeadline(std::function<void()> work, DWORD deadlineMs) {
  auto* job = new Job{std::move(work)};
  HANDLE thread = CreateThread(nullptr, 0, RunJob, job, 0, nullptr);
  if (!thread) {
    delete job;
    return false;
  }
  const DWORD start = GetTickCount();
  bool done = false;
  for (;;) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= deadlineMs) break;
    const DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, deadlineMs - waited, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) {
      done = true;
      break;
    }
    if (r != WAIT_OBJECT_0 + 1) break;
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread);
  return done;
}

bool Answers(HWND target) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &ignored) != 0;
}

}  // namespace

std::string TargetClassName(HWND target) {
  Win32WindowSystem ws;
  return ReadWindowFacts(ws, FromHwnd(target), Facts::ClassName).className;
}

std::string TargetName(HWND target) {
  Win32WindowSystem ws;
  return ClassAndHandle(ws, FromHwnd(target));
}

bool ReadStyleWords(HWND target, StyleWords* words) {
  Win32WindowSystem ws;
  const Hwnd h = FromHwnd(target);
  if (!ws.IsWindow(h)) return false;
  const WindowFacts facts = ReadWindowFacts(ws, h, Facts::Styles);
  words->style = facts.style;
  words->exStyle = facts.exStyle;
  return ws.IsWindow(h);
}

StyleFamily TargetStyleFamily(HWND target) {
  Win32WindowSystem ws;
  return ReadWindowFacts(ws, FromHwnd(target), Facts::ControlFamily).family;
}

StyleApplyResult ApplyStyleWords(HWND target, const StyleWords& before, const StyleWords& wanted) {
  StyleApplyResult result;
  result.before = before;
  result.wanted = wanted;
  result.after = before;
  if (!IsWindow(target)) {
    result.status = StyleApplyResult::Gone;
    result.error = "The window is gone; nothing was changed";
    return result;
  }
  if (!Answers(target)) {
    result.status = IsWindow(target) ? StyleApplyResult::Hung : StyleApplyResult::Gone;
    result.error = result.status == StyleApplyResult::Hung
                       ? "The window does not answer (it is hung or busy); nothing was changed"
                       : "The window is gone; nothing was changed";
    return result;
  }
  const StylePlan plan = PlanStyleChange(before, wanted);
  const bool finished = RunWithDeadline(
      [target, plan] {
        if (plan.writeStyle) SetWindowLongPtrA(target, GWL_STYLE, static_cast<LONG_PTR>(static_cast<LONG>(plan.style)));
        if (plan.writeExStyle)
          SetWindowLongPtrA(target, GWL_EXSTYLE, static_cast<LONG_PTR>(static_cast<LONG>(plan.exStyle)));
        // The frame is drawn from the style only once the system recomputes it.
        if (plan.writeStyle || plan.writeExStyle) {
          SetWindowPos(target, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (plan.show >= 0) ShowWindow(target, plan.show ? SW_SHOWNA : SW_HIDE);
        if (plan.enable >= 0) EnableWindow(target, plan.enable ? TRUE : FALSE);
        // A window that owns pop-ups is moved with them only when the owner's
        // order is left alone (a Wine difference; Windows takes either).
        if (plan.topmost >= 0) {
          SetWindowPos(target, plan.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
      },
      kApplyDeadlineMs);
  if (!ReadStyleWords(target, &result.after)) {
    result.status = StyleApplyResult::Gone;
    result.error = "The window went away while its styles were changed";
    return result;
  }
  if (!finished) {
    result.status = StyleApplyResult::Unfinished;
    result.error = "The window stopped answering while its styles were changed; what it kept is shown";
  }
  result.missed = MissedBits(before, wanted, result.after);
  return result;
}

std::string TargetMessageName(HWND target, uint32_t message) {
  std::string registered;
  if (message >= kFirstRegisteredMessage && message <= 0xFFFF) {
    char name[256] = {};
    if (GetClipboardFormatNameA(message, name, sizeof name) > 0) registered = name;
  }
  return msglog::MessageName(message, msglog::FamilyOfClass(TargetClassName(target)), registered);
}

SendOutcome SendToTarget(HWND target, const SendRequest& r) {
  SendOutcome o;
  if (!IsWindow(target)) {
    o.status = SendOutcome::Failed;
    o.error = "the window is gone";
    return o;
  }
  if (r.post) {
    if (PostMessageA(target, r.message, static_cast<WPARAM>(r.wParam), static_cast<LPARAM>(r.lParam))) {
      o.status = SendOutcome::Posted;
    } else {
      o.status = SendOutcome::Failed;
      o.error = "PostMessage failed (error " + std::to_string(GetLastError()) + ")";
    }
    return o;
  }
  DWORD_PTR answer = 0;
  LRESULT sent = 0;
  SetLastError(0);
  if (r.message == kWmGetText) {
    // The buffer is as long as wParam says, within reason; the system copies
    // the text back into it.
    const uint64_t chars = r.wParam == 0 ? 0 : std::min<uint64_t>(r.wParam, 1u << 20);
    std::wstring buffer(static_cast<size_t>(chars) + 1, L'\0');
    sent = SendMessageTimeoutW(target, WM_GETTEXT, static_cast<WPARAM>(chars), reinterpret_cast<LPARAM>(&buffer[0]),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &answer);
    if (sent) {
      o.hasText = true;
      o.text = Narrow(buffer.c_str(), wcsnlen(buffer.c_str(), static_cast<size_t>(chars)));
    }
  } else if (r.message == kWmSetText) {
    const std::wstring text = Widen(r.text);
    sent = SendMessageTimeoutW(target, WM_SETTEXT, static_cast<WPARAM>(r.wParam), reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &answer);
  } else {
    sent = SendMessageTimeoutA(target, r.message, static_cast<WPARAM>(r.wParam), static_cast<LPARAM>(r.lParam),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &answer);
  }
  if (sent) {
    o.status = SendOutcome::Sent;
    o.result = static_cast<uint64_t>(answer);
    return o;
  }
  const DWORD error = GetLastError();
  if (!IsWindow(target)) {
    o.status = SendOutcome::Failed;
    o.error = "the window is gone";
  } else if (error == ERROR_TIMEOUT || error == 0) {
    o.status = SendOutcome::TimedOut;
  } else {
    o.status = SendOutcome::Failed;
    o.error = "error " + std::to_string(error);
  }
  return o;
}

}  // namespace act
