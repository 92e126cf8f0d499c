#pragma once
// The Processes window: a resizable, non-modal tree-list of the processes,
// their threads and each thread's windows, in a virtual list view whose
// first column is indented by depth ("+" and "-" mark rows that open). It
// sorts by any column, finds processes and threads, refreshes by hand or
// every N seconds keeping the open rows and the selection, and asks each
// thread whether it answers on a thread of its own, so that a hung program
// never stalls it. Its place, size, columns and options are kept.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "processes/ProcessModel.h"
#include "processes/ProcessesHost.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"

// Control identifiers of the Processes window; tests in other processes use them.
enum ProcessesControl {
  IDC_PROC_FIND_LABEL = 1201, IDC_PROC_FIND_TEXT, IDC_PROC_FIND, IDC_PROC_NEXT, IDC_PROC_PREVIOUS,
  IDC_PROC_REFRESH, IDC_PROC_ALL, IDC_PROC_AUTO, IDC_PROC_INTERVAL, IDC_PROC_SECONDS, IDC_PROC_LIST = 1220,
  IDC_PROC_STATUS,
};

struct ProcessesSettings : WindowPlace {
  ProcessesSettings() {
    width = 760;
    height = 520;
  }
  bool all = false, autoRefresh = false;
  int interval = 5;  // seconds, 1 to 3600
  int sortColumn = 0;
  bool descending = false;
  std::vector<int> columnWidths;  // at 96 dpi; empty: the defaults
};
ProcessesSettings ReadProcessesSettings(SettingsStore& store, const std::string& title);
void WriteProcessesSettings(SettingsStore& store, const std::string& title, const ProcessesSettings& s);

class ProcessesWindow : public BaseWindow<ProcessesWindow> {
 public:
  static constexpr const char* kClassName = "TfrmProcesses";

  explicit ProcessesWindow(ProcessesHost& host);
  ~ProcessesWindow() override;
  ProcessesWindow(const ProcessesWindow&) = delete;
  ProcessesWindow& operator=(const ProcessesWindow&) = delete;

  // Opens the window (or brings it forward) on the current target's process
  // and thread; with a process id, on that process.
  bool Open(uint32_t processId = 0);
  void Close();

  void Refresh();
  const ProcessView& View() const { return m_view; }
  // The row selected; false for none.
  bool Selected(RowKey& key) const;
  void Select(const RowKey& key);
  // Find (from the top), Next and Previous with the find box's text.
  bool FindFirst();
  bool FindStep(int direction);
  // Answers of the last hung check, taken in when they arrive; for tests.
  unsigned HungChecks() const { return m_hungChecks; }

  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  struct HungCheck;
  void BuildControls();
  void Layout();
  void Fill();
  void ShowRows(const RowKey* keep);
  void StartHungCheck();
  // GUI states of the open processes' threads not read yet.
  void ReadThreadStates();
  void RevealAndRead(const RowKey& key);
  std::set<uint32_t> OpenProcesses() const;
  void TakeHungAnswers();
  void Activate(int row);
  void ToggleRow(int row, int open);  // open: 1 open, 0 close, -1 toggle
  void ShowMenu(int row, POINT at);
  void SetTimerFromOptions();
  // The next automatic refresh, never sooner than twenty times the last one
  // took: on a crowded desktop a refresh every second would cost a core.
  void ScheduleRefresh();
  LRESULT OnNotify(NMHDR* hdr);
  void SaveSettings();

  ProcessesHost& m_host;
  ProcessView m_view;
  ProcessesSettings m_settings;
  std::shared_ptr<HungCheck> m_hung;
  unsigned m_hungChecks = 0;
  DWORD m_lastFillMs = 0;
  HWND m_list = nullptr, m_status = nullptr;
  FormFonts m_fonts;
  std::vector<RowKey> m_found;
  size_t m_foundAt = 0;
  std::string m_foundText;
  std::wstring m_cell;  // the text a list item asked for last
};
