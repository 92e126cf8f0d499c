#pragma once
// The Send message dialog: a message by name (with completion from the names
// the target's class takes) or number, wParam and lParam as numbers or
// WM_SETTEXT's text, Send with the pages' time-out or Post, the result in the
// integer format, and the last messages of the run.
#include <windows.h>

#include <functional>
#include <string>

#include "act/MessageRules.h"
#include "inspect/Format.h"
#include "ui/Dialog.h"
#include "ui/Form.h"

namespace act {

enum SendMessageControl {
  IDC_SND_MSGLABEL = 3400, IDC_SND_MESSAGE, IDC_SND_WLABEL, IDC_SND_WPARAM, IDC_SND_LLABEL, IDC_SND_LPARAM,
  IDC_SND_TEXTLABEL, IDC_SND_TEXT, IDC_SND_SEND, IDC_SND_POST, IDC_SND_RESULTLABEL, IDC_SND_RESULT,
  IDC_SND_HISTORYLABEL, IDC_SND_HISTORY,
};

class SendMessageDialog {
 public:
  // `history` outlives the dialog: the run's last messages, shared by every
  // dialog the run opens. `options` gives the integer format of now.
  SendMessageDialog(SendHistory& history, std::function<DisplayOptions()> options)
      : m_history(history), m_options(std::move(options)) {}
  ~SendMessageDialog();
  SendMessageDialog(const SendMessageDialog&) = delete;
  SendMessageDialog& operator=(const SendMessageDialog&) = delete;

  bool Open(HWND owner, HWND target);
  HWND Handle() const { return m_hwnd; }
  HWND Target() const { return m_target; }
  bool PreTranslate(MSG& msg);
  void Close();

  // Send (post: Post) with what the boxes hold; the result shows in the dialog.
  void Send(bool post);
  const SendOutcome& LastOutcome() const { return m_last; }
  std::string ResultText() const;

  // Tests answer in place of a user: errors, and the question asked before
  // a message that ends or closes the window (true: go on).
  std::function<void(const std::string&)> ErrorHook;
  std::function<bool(const std::string&)> AskHook;

 private:
  template <typename T>
  friend INT_PTR CALLBACK ::DialogObjectProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Complete();
  void MessageChanged();
  void ShowHistory();
  void Refuse(const std::string& name, const std::string& reason);
  bool Ask(const std::string& question);

  SendHistory& m_history;
  std::function<DisplayOptions()> m_options;
  HWND m_hwnd = nullptr, m_target = nullptr;
  msglog::ControlFamily m_family = msglog::ControlFamily::None;
  std::vector<std::string> m_names;
  size_t m_typed = 0;  // length of the message text the user typed, for completion
  SendOutcome m_last;
  FormFonts m_fonts;
};

}  // namespace act
