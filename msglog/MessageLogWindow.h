#pragma once
// The log window of one target: a virtual list of the recorded lines, the
// commands above it and a status line below. It drains the session's ring on
// a short timer and follows the newest line unless the user scrolled up.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "msglog/LogSession.h"
#include "msglog/LogSettings.h"
#include "msglog/LogStore.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"

namespace msglog {

struct MessageLogOptions {
  // Where the window's size and filter are kept; none: defaults, not kept.
  std::function<std::unique_ptr<SettingsStore>()> openSettings;
  uint32_t ringCapacity = kDefaultRingCapacity;
  size_t lineCap = 1000000;
  UINT drainMs = 30;
  bool descendants = false;
  // Every window of the target's thread: the title names the thread.
  bool wholeThread = false;
};

// Control identifiers of the log window; tests in other processes use them.
enum MessageLogControl {
  IDC_LOG_PAUSE = 1001, IDC_LOG_CLEAR, IDC_LOG_FILTER, IDC_LOG_SAVE, IDC_LOG_COPY,
  IDC_LOG_DESCENDANTS, IDC_LOG_LIST = 1010, IDC_LOG_STATUS,
};


class MessageLogWindow : public BaseWindow<MessageLogWindow> {
 public:
  static constexpr const char* kClassName = "TfrmMessageLog";

  // `closed` runs when the window is gone; the owner may then delete it.
  explicit MessageLogWindow(std::function<void(MessageLogWindow*)> closed = nullptr);
  ~MessageLogWindow() override;

  // Starts logging `target` and shows the window; "" on success, otherwise
  // the reason, and no window is left.
  std::string Open(HWND target, const MessageLogOptions& options = MessageLogOptions());
  HWND Target() const { return m_target; }
  bool Logging() const { return m_session.Running(); }

  // What the timer does: takes the new records, notes losses and the
  // target's end, updates the list.
  void Drain();
  // Adds records as if read from the ring (the million-line test feeds it so).
  void AddRecords(const RecordData* records, size_t count);
  void TogglePause();
  bool Paused() const { return m_paused; }
  void ClearLog();
  void ApplyFilter(const LogFilter& filter);
  void SetDescendants(bool on);
  // Writes the shown lines; "" on success, otherwise a message naming the file.
  std::string SaveTo(const std::string& path) const;
  std::string SelectedText() const;
  void CopySelection();

  const LogStore& Store() const { return m_store; }
  HWND List() const { return m_list; }
  std::string StatusText() const;

  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // Tests answer the dialogs in place of a user.
  std::function<bool(std::string& fileName)> SaveDialogHook;
  std::function<bool(LogFilter& filter)> FilterDialogHook;
  std::function<void(const std::string& text)> ErrorHook;

 private:
  void BuildControls();
  void Layout();
  void Refresh();
  void ShowError(const std::string& text);
  void OnSave();
  void OnFilter();
  void SelectAll();
  LRESULT OnNotify(NMHDR* hdr);
  void TargetGone();

  std::function<void(MessageLogWindow*)> m_closed;
  HWND m_target = nullptr;
  HWND m_list = nullptr, m_status = nullptr;
  LogSession m_session;
  LogStore m_store;
  MessageLogOptions m_options;
  MessageLogSettings m_settings;
  FormFonts m_fonts;
  std::vector<RecordData> m_records;
  uint32_t m_lostShown = 0;
  bool m_paused = false;
  bool m_targetGone = false;
  size_t m_shownRows = 0;
  std::string m_title;
  std::string m_fileName;
};

}  // namespace msglog
