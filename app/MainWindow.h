#pragma once
// The main window: its frame, and the order of things between the pages. Each
// page is an object of its own that shows its part of the one reading of the
// target; this class says which page is in front and when a page is out of date.
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "app/AboutPage.h"
#include "app/CommandStates.h"
#include "app/FrameFeatures.h"
#include "app/ControlIds.h"
#include "app/InformationFields.h"
#include "app/Inspection.h"
#include "app/MainWindowHosts.h"
#include "app/MainWindowMessageLogHost.h"
#include "app/OptionsPage.h"
#include "capture/GraphicsPage.h"
#include "exeinfo/ExePages.h"
#include "inspect/InfoPages.h"
#include "modify/ModifyPage.h"
#include "msglog/MessageLogs.h"
#include "relations/RelationPages.h"
#include "relations/TreePage.h"
#include "report/SaveAndPrint.h"
#include "report/ReadingReport.h"
#include "settings/Settings.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"
#include "ui/PageControl.h"

class TfrmTarvisk : public BaseWindow<TfrmTarvisk> {
 public:
  static constexpr const char* kClassName = "TfrmTarvisk";

  TfrmTarvisk();
  ~TfrmTarvisk() override;

  // Creates the window and its controls and runs FormCreate; the window stays hidden.
  bool Create();
  // FormShow, then the window becomes visible.
  void Show();
  // Runs what the application does each time its message loop becomes idle.
  void ApplicationIdle();
  // Hands a keyboard message to the dialog manager (Tab, Enter, mnemonics).
  bool PreTranslate(MSG& msg);

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  HWINEVENTHOOK ProbeHook = nullptr;
  bool HideNag = false;
  bool HotKeyRegistered = false;
  std::string ProgramFolder;

  // --- The inspection and the pages that show it ---
  Inspection Inspected;
  Hwnd CurrentTarget() const { return Inspected.Target(); }
  WinPoint ProbePoint() const { return Inspected.ProbePoint(); }
  MainWindowHosts m_hosts{*this};
  WindowInfoPage WindowPage{m_hosts};
  ClassInfoPage ClassPage{m_hosts};
  ExecutablePage ExePage{m_hosts};
  ModulesPage ModulesList{m_hosts};
  GraphicsPage Graphics{m_hosts};
  ModifyPage Modify{m_hosts};
  OptionsPage Options;
  FormFonts m_fonts;
  AboutPage About{m_fonts};
  WindowListsPage& WindowLists() { return m_windowLists; }
  TreePage& Tree() { return m_treePage; }
  TabPage& Page(int page) { return *m_pages[page]; }
  // The page in front of the user; null while the tab control has none selected.
  TabPage* ActivePage() const;

  // --- Controls ---
  PageControl pgcMain;
  HWND btnDetail = nullptr, btnRefresh = nullptr, btnSave = nullptr, btnPrint = nullptr,
       btnStart = nullptr, btnClose = nullptr, stbMain = nullptr;
  HWND Sheet(int page) const { return pgcMain.Sheet(page); }

  // The probing state: the tag of btnStart, 0 idle, 1 probing.
  int StartTag() const { return m_startTag; }
  bool Probing() const { return m_startTag != 0; }

  // --- Program entry and frame ---
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void pgcMainChange();
  // A different integer format or constants' case: every page redraws what
  // it shows from the reading, without reading the target again.
  void rgrOptionsClick();
  void chbAlwaysOnTopClick();
  void btnCloseClick();
  int IntegerFormat() const { return Options.IntegerFormat(); }
  int ConstsFormat() const { return Options.ConstsFormat(); }
  bool OptionChecked(int id) const { return Options.Checked(id); }
  DisplayOptions CurrentDisplayOptions() const { return Options.Options(); }

  // --- Probing control ---
  void btnStartClick();
  void StartProbingAtLaunch();
  void InstallProbeHook();
  void RemoveProbeHook();
  void ProbeCursor();
  void RegisterStartStopHotKey();
  void UnregisterStartStopHotKey();
  uint16_t StartStopHotKey() const { return Options.StartStopHotKey(); }
  void SetStartStopHotKey(uint16_t value) { Options.SetStartStopHotKey(value); }
  void ToggleTargetFlash();
  void RefreshInformation();
  void UpdateDetailButton();
  bool DiggerTimerEnabled() const { return m_diggerTimerEnabled; }
  void SetDiggerTimerEnabled(bool enabled);
  void timDiggerTimer();
  bool FieldMenuVisible() const { return m_fields.MenuVisible(); }
  bool OnFieldMenuCommand(int id) { return m_fields.OnMenuCommand(id); }
  // WM_PROBE messages handled so far, for tests and benchmarks.
  unsigned ProbeCount() const { return m_probeCount; }
  // Reads of the Executable and Modules pages' process so far, for tests.
  unsigned ProcessInfoFills() { return Inspected.Reading().ProcessReads(); }

  // Makes the page's controls, if they are not made yet, in the state the
  // page holds (its settings, its commands).
  void BuildPage(int page);
  bool PageBuilt(int page) const { return m_pages[page]->Created(); }

  // --- Window inspection ---
  void InspectWindow(Hwnd handle, bool refreshAll);
  // Writes the page if it is made and out of date.
  void WritePendingPage(int page);
  // `control`, or a control on it, is about to be read: its page is brought up to date.
  void BeforePageRead(HWND control);
  bool PagePending(int page) const { return m_pages[page]->OutOfDate(); }
  // The Graphics page captured around the probe point for `window`, which it
  // follows without inspecting it; what it read goes into the reading.
  void CaptureScreen(Hwnd window);
  void BuildWindowTree();
  // The reading, its lists to be read with the options of now.
  TargetReading& ListReading();

  // --- Reports ---
  // The report of the reading the pages show, its texts in the ANSI code page
  // as the default report has them, or as they are (UTF-8) for the UTF-8 report.
  ReportInput GatherReport(bool utf8 = false);
  // The text report, as Save and Print write it.
  std::string TextReport(bool utf8 = false);
  // The JSON report of the same reading.
  std::string JsonReport();
  void btnSaveClick();
  void btnPrintClick();
  // Tests answer the save dialog and the message boxes in place of a user.
  std::function<bool(std::string& fileName)> SaveDialogHook;
  // The save dialog's file type (ReportFileType), kept for the run like its
  // file name; a test's SaveDialogHook chooses it by setting it.
  int ReportFileType = kReportFileText;
  std::function<int(const std::string& text, unsigned style)> MessageBoxHook;

  // --- Settings ---
  void LoadSettings();
  void SaveSettings();
  // Every setting as the pages and the frame hold it now.
  SettingsValues CurrentSettings() const;
  SettingsContext CurrentSettingsContext() const;

  // --- Message log (app/MessageLogCommand.cpp) ---
  MainWindowMessageLogHost m_messageLogHost{*this};
  msglog::MessageLogs MessageLogs{m_messageLogHost};
  void AddMessageLogMenuItem();
  void UpdateMessageLogMenuItem();
  bool OnMessageLogSysCommand(WPARAM command);
  bool MessageLogKeys(MSG& msg);

  // What the window offers beside its pages (app/FrameFeatureList.cpp).
  FrameFeatures Features;

 private:
  void CreateFrame();
  void BuildNextPage();
  void SetProbingState(bool probing);
  void CursorWatchTick();
  void ApplicationHint();
  void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(NMHDR* hdr);
  bool ChooseReportFile(std::string& fileName);
  int Ask(const std::string& text, unsigned style);

  WindowListsPage m_windowLists{m_hosts};
  TreePage m_treePage{m_hosts};
  // In tab order.
  std::array<TabPage*, kPageCount> m_pages{};
  InformationFields m_fields;
  bool m_framing = true;      // pages wait until the restore has chosen the one to show
  HWND m_tooltip = nullptr;
  int m_startTag = 0;
  bool m_diggerTimerEnabled = false;
  bool m_destroyed = false;
  unsigned m_probeCount = 0;
  unsigned m_writingPages = 0;  // a bit per page being written
  bool m_pageChanging = false;  // inside the tab control's own change of page
  std::string m_lastHint;
  HBRUSH m_white = nullptr;
  std::string m_reportFileName;  // the save dialog's file name, kept for the run
};

// The one main window of the process; the WinEvent callback reaches it here.
extern TfrmTarvisk* g_frmTarvisk;
