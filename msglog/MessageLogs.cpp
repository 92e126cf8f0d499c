#include "msglog/MessageLogs.h"

#include "ui/MessageBoxes.h"

namespace msglog {

bool MessageLogs::CanOpen() const {
  HWND target = m_host.CurrentTarget();
  return target && IsWindow(target);
}

MessageLogWindow* MessageLogs::Find(HWND target) const {
  for (const auto& log : m_logs) {
    if (log->Handle() && log->Target() == target) return log.get();
  }
  return nullptr;
}

size_t MessageLogs::Count() const {
  size_t n = 0;
  for (const auto& log : m_logs) n += log->Handle() ? 1 : 0;
  return n;
}

MessageLogWindow* MessageLogs::OpenForCurrentTarget() {
  if (!CanOpen()) return nullptr;
  return Open(m_host.CurrentTarget(), false);
}

MessageLogWindow* MessageLogs::OpenForThread(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  return Open(window, true);
}

MessageLogWindow* MessageLogs::Open(HWND target, bool wholeThread) {
  Purge();
  if (MessageLogWindow* open = Find(target)) {
    if (IsIconic(open->Handle())) ShowWindow(open->Handle(), SW_RESTORE);
    SetForegroundWindow(open->Handle());
    return open;
  }
  MessageLogOptions o = options;
  o.wholeThread = wholeThread;
  if (!o.openSettings) o.openSettings = [this] { return m_host.OpenSettings(); };
  auto log = std::make_unique<MessageLogWindow>();
  const std::string error = log->Open(target, o);
  if (!error.empty()) {
    if (ErrorHook) {
      ErrorHook(error);
    } else {
      ShowErrorBox(m_host.Owner(), error);
    }
    return nullptr;
  }
  m_logs.push_back(std::move(log));
  return m_logs.back().get();
}

void MessageLogs::Purge() {
  for (size_t i = 0; i < m_logs.size();) {
    if (!m_logs[i]->Handle()) {
      m_logs.erase(m_logs.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

void MessageLogs::CloseAll() {
  // Each window removes its hooks as it goes.
  m_logs.clear();
}

bool MessageLogs::PreTranslate(MSG& msg) {
  for (const auto& log : m_logs) {
    if (log->PreTranslate(msg)) return true;
  }
  return false;
}

}  // namespace msglog
