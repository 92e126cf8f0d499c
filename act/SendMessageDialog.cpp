#include "act/SendMessageDialog.h"

#include <cctype>

#include "act/TargetActions.h"
#include "platform/AsciiCase.h"
#include "platform/CodePages.h"
#include "platform/Win32WindowSystem.h"
#include "ui/Controls.h"
#include "ui/Dialog.h"
#include "ui/MessageBoxes.h"

namespace act {

namespace {

}  // namespace

SendMessageDialog::~SendMessageDialog() { Close(); }

void SendMessageDialog::Close() {
  if (m_hwnd) {
    HWND h = m_hwnd;
    m_hwnd = nullptr;
    DestroyWindow(h);
  }
}

bool SendMessageDialog::Open(HWND owner, HWND target) {
  Close();
  if (!IsWindow(target)) {
    if (ErrorHook) {
      ErrorHook("The window is gone");
    } else {
      ShowErrorBox(owner, "The window is gone");
    }
    return false;
  }
  m_target = target;
  m_family = msglog::FamilyOfClass(TargetClassName(target));
  m_names = CompletionNames(m_family);
  m_hwnd = CreateModelessDialog(owner, DialogObjectProc<SendMessageDialog>, reinterpret_cast<LPARAM>(this));
  if (!m_hwnd) return false;
  ShowWindow(m_hwnd, SW_SHOW);
  return true;
}

bool SendMessageDialog::PreTranslate(MSG& msg) { return TakeDialogKeys(m_hwnd, msg); }

void SendMessageDialog::CreateControls() {
  // Each row: kind, id, caption, left, top, width, height, hint.
  ::CreateControls(m_hwnd, {
      {ControlKind::Label, IDC_SND_MSGLABEL, "&Message (name or number):", 8, 10, 200, 14},
      {ControlKind::Label, IDC_SND_WLABEL, "&wParam:", 8, 60, 60, 14},
      {ControlKind::Edit, IDC_SND_WPARAM, "", 70, 56, 130, 21,
       "|A number: decimal, 0x or $ hexadecimal; for WM_GETTEXT the buffer's length in characters"},
      {ControlKind::Label, IDC_SND_LLABEL, "&lParam:", 216, 60, 60, 14},
      {ControlKind::Edit, IDC_SND_LPARAM, "", 278, 56, 130, 21, "|A number: decimal, 0x or $ hexadecimal"},
      {ControlKind::Label, IDC_SND_TEXTLABEL, "&Text (WM_SETTEXT):", 8, 90, 120, 14},
      {ControlKind::Edit, IDC_SND_TEXT, "", 130, 86, 278, 21, "|The text WM_SETTEXT gives the window"},
      {ControlKind::DefaultButton, IDC_SND_SEND, "&Send", 252, 116, 75, 25,
       "|Send the message and wait for the answer as long as the pages do"},
      {ControlKind::Button, IDC_SND_POST, "&Post", 333, 116, 75, 25, "|Post the message without waiting"},
      {ControlKind::Label, IDC_SND_RESULTLABEL, "Result:", 8, 152, 60, 14},
      {ControlKind::Field, IDC_SND_RESULT, "", 70, 150, 338, 18},
      {ControlKind::Label, IDC_SND_HISTORYLABEL, "Sent this run (newest first):", 8, 178, 200, 14},
      {ControlKind::ListBox, IDC_SND_HISTORY, "", 8, 194, 400, 140},
      {ControlKind::Button, IDCANCEL, "Close", 333, 342, 75, 25},
  });
  // The message box: typed with completion, or picked from the class's names.
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                                         CBS_AUTOHSCROLL,
                               8, 26, 400, 240, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SND_MESSAGE)),
                               GetModuleHandleW(nullptr), nullptr);
  SetControlHint(combo, "");
  SetWindowPos(combo, GetDlgItem(m_hwnd, IDC_SND_MSGLABEL), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
  for (const std::string& n : m_names) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
  SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  SizeAndCenterDialog(m_hwnd, 416, 375);
}

void SendMessageDialog::Complete() {
  // Completes what was typed with the first name it begins, the rest
  // selected, so that typing on replaces it; a deletion is left alone.
  HWND combo = GetDlgItem(m_hwnd, IDC_SND_MESSAGE);
  const std::string text = WindowTextOf(combo);
  const bool grew = text.size() > m_typed;
  m_typed = text.size();
  if (!grew || text.empty()) return;
  for (const std::string& n : m_names) {
    if (n.size() > text.size() && StartsWithNoCase(n, text)) {
      SetControlText(combo, n);
      SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(text.size(), n.size()));
      return;
    }
  }
}

void SendMessageDialog::MessageChanged() {
  ParsedMessage parsed;
  std::string error;
  const bool text = ParseMessageText(WindowTextOf(GetDlgItem(m_hwnd, IDC_SND_MESSAGE)), &parsed, &error) &&
                    parsed.registeredName.empty() && parsed.message == kWmSetText;
  EnableWindow(GetDlgItem(m_hwnd, IDC_SND_TEXT), text);
  EnableWindow(GetDlgItem(m_hwnd, IDC_SND_LPARAM), !text);
}

void SendMessageDialog::Send(bool post) {
  if (!m_hwnd) return;
  const std::string messageText = WindowTextOf(GetDlgItem(m_hwnd, IDC_SND_MESSAGE));
  ParsedMessage parsed;
  std::string error;
  if (!ParseMessageText(messageText, &parsed, &error)) {
    Refuse(messageText, error);
    return;
  }
  if (!parsed.registeredName.empty()) {
    parsed.message = RegisterWindowMessageA(Utf8ToAnsi(parsed.registeredName).c_str());
    if (parsed.message == 0) {
      Refuse(parsed.registeredName, "it could not be registered");
      return;
    }
  }
  const std::string name = TargetMessageName(m_target, parsed.message);
  SendRequest r;
  r.message = parsed.message;
  r.post = post;
  for (int id : {IDC_SND_WPARAM, IDC_SND_LPARAM}) {
    const std::string value = WindowTextOf(GetDlgItem(m_hwnd, id));
    uint64_t& param = id == IDC_SND_WPARAM ? r.wParam : r.lParam;
    if (value.empty()) {
      param = (id == IDC_SND_WPARAM && r.message == kWmGetText) ? kGetTextDefaultChars : 0;
    } else if (r.message == kWmSetText && id == IDC_SND_LPARAM) {
      continue;  // the text goes in its place
    } else if (!ParseActNumber(value, &param)) {
      Refuse(name, std::string(id == IDC_SND_WPARAM ? "wParam" : "lParam") + " '" + value +
                       "' is no number: decimal, 0x or $ hexadecimal");
      return;
    }
  }
  if (r.message == kWmSetText) {
    r.hasText = true;
    r.text = WindowTextOf(GetDlgItem(m_hwnd, IDC_SND_TEXT));
  }
  const std::string reason = RefusalReason(r, m_family);
  if (!reason.empty()) {
    Refuse(name, reason);
    return;
  }
  const std::string question = AskFirstQuestion(r, m_family);
  if (!question.empty() && !Ask(question)) {
    m_last = SendOutcome();
    m_last.status = SendOutcome::Cancelled;
    SetDlgItemTextA(m_hwnd, IDC_SND_RESULT, "Not sent.");
    return;
  }
  m_last = SendToTarget(m_target, r);
  const DisplayOptions opts = m_options ? m_options() : DisplayOptions{};
  const int bits = static_cast<int>(sizeof(void*) * 8);
  m_history.Add(OutcomeText(name, r, m_last, FormatAddress(m_last.result, bits, opts),
                            FormatAddress(r.wParam, bits, opts), FormatAddress(r.lParam, bits, opts)));
  SetControlText(GetDlgItem(m_hwnd, IDC_SND_RESULT), ResultText());
  ShowHistory();
}

std::string SendMessageDialog::ResultText() const {
  const DisplayOptions opts = m_options ? m_options() : DisplayOptions{};
  switch (m_last.status) {
    case SendOutcome::Sent: {
      const std::string value = FormatAddress(m_last.result, static_cast<int>(sizeof(void*) * 8), opts);
      return m_last.hasText ? value + " \"" + m_last.text + "\"" : value;
    }
    case SendOutcome::Posted: return "Posted.";
    case SendOutcome::TimedOut:
      return "No answer within " + std::to_string(kGetTextTimeoutMs) + " ms: the window is hung or busy.";
    case SendOutcome::Failed: return "Failed: " + m_last.error;
    case SendOutcome::Refused: return "Refused: " + m_last.error;
    case SendOutcome::Cancelled: return "Not sent.";
  }
  return std::string();
}

void SendMessageDialog::ShowHistory() {
  HWND list = GetDlgItem(m_hwnd, IDC_SND_HISTORY);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : m_history.Lines()) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  }
}

void SendMessageDialog::Refuse(const std::string& name, const std::string& reason) {
  m_last = SendOutcome();
  m_last.status = SendOutcome::Refused;
  m_last.error = reason;
  SetControlText(GetDlgItem(m_hwnd, IDC_SND_RESULT), ResultText());
  const std::string text = name + " is not sent: " + reason;
  if (ErrorHook) {
    ErrorHook(text);
  } else {
    ShowErrorBox(m_hwnd, text);
  }
}

bool SendMessageDialog::Ask(const std::string& question) {
  return AskHook ? AskHook(question) : AskYesNo(m_hwnd, question, MB_DEFBUTTON2);
}

INT_PTR SendMessageDialog::Handle(UINT msg, WPARAM wParam, LPARAM /*lParam*/) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextW(m_hwnd, Widen("Send message - " + TargetName(m_target)).c_str());
      CreateControls();
      m_fonts.Prepare(m_hwnd);
      CenterScaled(m_hwnd);
      ShowHistory();
      MessageChanged();
      // Enter presses Send; the dialog manager would otherwise look for IDOK.
      SendMessageA(m_hwnd, DM_SETDEFID, IDC_SND_SEND, 0);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDCANCEL) {
        Close();
      } else if (id == IDC_SND_SEND || id == IDC_SND_POST || id == IDOK) {
        Send(id == IDC_SND_POST);
      } else if (id == IDC_SND_MESSAGE && code == CBN_EDITCHANGE) {
        Complete();
        MessageChanged();
      } else if (id == IDC_SND_MESSAGE && code == CBN_SELCHANGE) {
        // The edit takes the picked name only after this notification.
        HWND combo = GetDlgItem(m_hwnd, IDC_SND_MESSAGE);
        const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_names.size()) {
          SetControlText(combo, m_names[static_cast<size_t>(index)]);
          m_typed = m_names[static_cast<size_t>(index)].size();
        }
        MessageChanged();
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace act
