#pragma once
// The Events window: records window events while it is open (until Pause)
// and lists them, newest at the bottom, following the newest while the last
// row is in view. The filters hide rows and show them again; the store keeps
// every event until it is full, then drops the oldest and counts them.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "events/EventSession.h"
#include "events/EventSettings.h"
#include "events/EventStore.h"
#include "events/EventsHost.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"

// Control identifiers of the Events window; tests in other processes use them.
enum EventsControl {
  IDC_EVENTS_PAUSE = 1201, IDC_EVENTS_CLEAR, IDC_EVENTS_COPY, IDC_EVENTS_SAVE, IDC_EVENTS_TOPLEVEL,
  IDC_EVENTS_PROCESS_LABEL, IDC_EVENTS_PROCESS, IDC_EVENTS_SELECTOR_LABEL, IDC_EVENTS_SELECTOR,
  IDC_EVENTS_KIND_FIRST = 1220,  // one check box per kind, in EventKind order
  IDC_EVENTS_LIST = 1240, IDC_EVENTS_STATUS,
};

class EventsWindow : public BaseWindow<EventsWindow> {
 public:
  static constexpr const char* kClassName = "TfrmEvents";

  explicit EventsWindow(EventsHost& host, size_t capacity = 100000) : m_host(host), m_store(capacity) {}
  ~EventsWindow() override;
  EventsWindow(const EventsWindow&) = delete;
  EventsWindow& operator=(const EventsWindow&) = delete;

  // Shows the window and starts recording, or brings it forward when open.
  // False with the reason when it could not.
  bool Open(std::string* error = nullptr);
  bool IsOpen() const { return m_hwnd != nullptr; }
  void Close();

  // What the timer does: polls and lists what was recorded.
  void Tick();
  void SetPaused(bool paused);
  bool Paused() const { return m_paused; }
  void ClearEvents();
  void ApplyFilter(const EventFilter& filter);
  const EventStore& Store() const { return m_store; }
  // Adds an event as if recorded (tests fill the store so).
  void AddEvent(const WindowEvent& e);

  // Inspects the row's window; false (and the status line says so) when it is gone.
  bool Activate(size_t row);
  // The shown rows as text lines or JSON lines; "" on success, else why not.
  std::string SaveTo(const std::string& path, bool json) const;
  std::string SelectedText() const;
  std::string StatusText() const;
  HWND List() const { return m_list; }

  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // Tests answer the dialogs in place of a user.
  std::function<bool(std::string& fileName, bool& json)> SaveDialogHook;
  std::function<void(const std::string& text)> ErrorHook;

 private:
  void BuildControls();
  void Layout();
  void Refresh();
  void ShowFilter();
  void ReadFilter();
  void StartRecording();
  void OnSave();
  void SelectAll();
  LRESULT OnNotify(NMHDR* hdr);
  void SaveSettings();

  EventsHost& m_host;
  EventSession m_session;
  EventStore m_store;
  EventsWindowSettings m_settings;
  FormFonts m_fonts;
  HWND m_list = nullptr, m_status = nullptr;
  bool m_paused = false;
  bool m_showingFilter = false;
  DWORD m_openTick = 0, m_sessionTick = 0;
  size_t m_shownRows = 0;
  UINT m_pollMs = kPollMs;
  std::string m_notice;  // the last command's word, ahead of the counts
  std::string m_shownStatus;  // a quiet desktop's status line is not drawn again each poll
  std::string m_fileName;
  bool m_fileJson = false;
};
