#pragma once
// The open message logs of the program, one per target.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "msglog/MessageLogHost.h"
#include "msglog/MessageLogWindow.h"

namespace msglog {

class MessageLogs {
 public:
  explicit MessageLogs(MessageLogHost& host) : m_host(host) {}
  ~MessageLogs() { CloseAll(); }

  // Enabled when the main window shows a window that still exists.
  bool CanOpen() const;
  // Opens a log for the current target, or brings its open log forward.
  // On failure the reason goes to the error box (or ErrorHook) and nothing opens.
  MessageLogWindow* OpenForCurrentTarget();
  // Opens a log of every window of the thread of `window`.
  MessageLogWindow* OpenForThread(HWND window);
  MessageLogWindow* Find(HWND target) const;
  size_t Count() const;
  void CloseAll();
  // Keyboard messages for a log window's dialog keys.
  bool PreTranslate(MSG& msg);

  MessageLogOptions options;
  std::function<void(const std::string& text)> ErrorHook;

 private:
  void Purge();
  MessageLogWindow* Open(HWND target, bool wholeThread);

  MessageLogHost& m_host;
  std::vector<std::unique_ptr<MessageLogWindow>> m_logs;
};

}  // namespace msglog
