#pragma once
// The main window: its frame, pages and the state the pages share. The pages'
// own contents live in their subsystems; this class calls them in order.
#include <windows.h>

#include <string>

#include "app/ControlIds.h"
#include "app/Settings.h"
#include "capture/GraphicsPage.h"
#include "capture/MainWindowHost.h"
#include "exeinfo/ModuleList.h"
#include "inspect/Format.h"
#include "inspect/WindowInfo.h"
#include "modify/MainWindowModifyHost.h"
#include "modify/ModifyPage.h"
#include "app/MainWindowMessageLogHost.h"
#include "msglog/MessageLogs.h"
#include "report/Report.h"
#include "report/SaveAndPrint.h"
#include "platform/Win32WindowSystem.h"
#include "relations/RelationPages.h"
#include "relations/TreePage.h"
#include "ui/BaseWindow.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/PageHandler.h"

#include <functional>
#include <map>
#include <vector>

class TfrmTarvisk;

// The main window's state and operations as the relation pages see them.
class MainRelationsHost : public RelationsHost {
 public:
  explicit MainRelationsHost(TfrmTarvisk& frm) : m_frm(frm) {}
  DisplayOptions CurrentDisplayOptions() const override;
  bool Probing() const override;
  int ActivePage() const override;
  bool ShowSubchildren() const override;
  bool DigChildren() const override;
  WinPoint ProbePoint() const override;
  WinPoint LastDiggerPoint() const override;
  void SetLastDiggerPoint(WinPoint point) override;
  SortState Sort() const override;
  void SetSort(const SortState& sort) override;
  bool TextSearchFlag() const override;
  void SetTextSearchFlag(bool flag) override;
  void InspectWindow(Hwnd window, bool refreshAll) override;
  void ShowWindowPage() override;
  void UpdateDetailButton() override;

 private:
  TfrmTarvisk& m_frm;
};

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

  // --- Shared state, in declaration order of the design ---
  HWINEVENTHOOK ProbeHook = nullptr;
  bool HideNag = false;
  Hwnd CurrentTarget = 0;
  uint32_t LastProcessId = 0;
  uint8_t SortColumn = 0;
  uint8_t LastSortColumn = 0;
  bool SortInverted = false;
  bool TextSearchFlag = false;
  HDC DesktopCanvas = nullptr;
  HBITMAP CaptureBitmap = nullptr;
  bool HotKeyRegistered = false;
  WinPoint ProbePoint;
  WinPoint LastDiggerPoint;
  std::string ProgramFolder;
  bool ModifyFilling = false;

  // --- Controls ---
  PageControl pgcMain;
  MainWindowGraphicsHost m_graphicsHost{*this};
  GraphicsPage Graphics{m_graphicsHost};
  MainWindowModifyHost m_modifyHost{*this};
  ModifyPage Modify{m_modifyHost};
  HWND btnDetail = nullptr, btnRefresh = nullptr, btnSave = nullptr, btnPrint = nullptr,
       btnStart = nullptr, btnClose = nullptr, stbMain = nullptr;
  // Commands on the Tree and Graphics pages that the probing state enables.
  HWND btnFindWindow = nullptr, btnFindNextWindow = nullptr, btnFindPrevWindow = nullptr,
       btnCopyImage = nullptr, btnSaveImage = nullptr, btnParentTree = nullptr;
  HWND Sheet(int page) const { return pgcMain.Sheet(page); }
  HWND OptionsItem(int id) const { return GetDlgItem(Sheet(10), id); }

  // The probing state: the tag of btnStart, 0 idle, 1 probing.
  int StartTag() const { return m_startTag; }
  bool Probing() const { return m_startTag != 0; }

  // --- Program entry and frame ---
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void pgcMainChange();
  void rgrOptionsClick();
  void chbAlwaysOnTopClick();
  void btnLinkClick(HWND button);
  void btnCloseClick();
  int IntegerFormat() const;
  int ConstsFormat() const;

  // --- Probing control ---
  void btnStartClick();
  void StartProbingAtLaunch();
  void InstallProbeHook();
  void RemoveProbeHook();
  void ProbeCursor();
  void RegisterStartStopHotKey();
  void UnregisterStartStopHotKey();
  uint16_t StartStopHotKey() const;
  void SetStartStopHotKey(uint16_t value);
  void ToggleTargetFlash();
  void RefreshInformation();
  void SetFieldMenuVisible(bool visible);
  // Information fields of a page: context menu, double-click copy, focus rules.
  void AttachInformationFields(int page);
  void ShowFieldMenu(HWND field, LPARAM screenPoint);
  bool OnFieldMenuCommand(int id);
  void UpdateDetailButton();
  bool DiggerTimerEnabled() const { return m_diggerTimerEnabled; }
  void SetDiggerTimerEnabled(bool enabled);
  bool FieldMenuVisible() const { return m_fieldMenuVisible; }
  // WM_PROBE messages handled so far, for tests and benchmarks.
  unsigned ProbeCount() const { return m_probeCount; }
  // Fills of the Executable and Modules pages so far, for tests.
  unsigned ProcessInfoFills() const { return m_processInfoFills; }

  // Pages that handle their own controls; the main window does not own them.
  void AddPageHandler(PageHandler* page) { m_pages.push_back(page); }
  // Makes the page's controls, if they are not made yet, in the state the
  // program holds for them (options, column widths, zoom, enabled commands).
  void BuildPage(int page);
  bool PageBuilt(int page) const { return (m_builtPages & (1u << page)) != 0; }
  // An option's check box, or the option as held while its page is not made.
  bool OptionChecked(int id) const;

  // --- Window inspection ---
  void InspectWindow(Hwnd handle, bool refreshAll);
  // An inspection writes only the page that shows; what it read for the others
  // waits here until their page shows or something reads them.
  void WritePendingPage(int page);
  void WriteAllPendingPages();
  // `control`, or a control on it, is about to be read: its page is brought up to date.
  void BeforePageRead(HWND control);
  bool PagePending(int page) const { return (m_pendingPages & (1u << page)) != 0; }
  // Marks what the page shows as read; a page that shows is written at once.
  void MarkPagePending(int page);
  void WriteIfShowing(int page);
  void pntIconsPaint(HDC dc, const RECT& box);
  DisplayOptions CurrentDisplayOptions() const { return {IntegerFormat(), ConstsFormat()}; }

  // --- Reports ---
  // Brings every page up to date, then reads the report from them.
  // The pages' texts in the ANSI code page, as the default report has them,
  // or as they are (UTF-8) for the UTF-8 report.
  ReportInput GatherReport(bool utf8 = false);
  // The JSON report of CurrentTarget, read afresh at the probe point.
  std::string JsonReport() const;
  void btnSaveClick();
  void btnPrintClick();
  // Tests answer the save dialog and the message boxes in place of a user.
  std::function<bool(std::string& fileName)> SaveDialogHook;
  // The save dialog's file type (ReportFileType), kept for the run like its
  // file name; a test's SaveDialogHook chooses it by setting it.
  int ReportFileType = kReportFileText;
  std::function<int(const std::string& text, unsigned style)> MessageBoxHook;

  // --- Operations filled in by the pages' subsystems ---
  void LoadProcessInfo(uint32_t processId);
  void FillParents(Hwnd window);
  void FillChildren(Hwnd window);
  void RefreshDigger();
  void CaptureScreen(Hwnd window);
  void BuildWindowTree();
  void SelectTreeNode(Hwnd window);
  void DiscoverPlugins();
  void LoadSettings();
  void SaveSettings();
  // Every setting as the controls and fields hold it now.
  SettingsValues CurrentSettings() const;
  SettingsContext CurrentSettingsContext() const;
  void UpdatePluginPanel();
  void EnableModifyPage(bool enabled);
  void FillModifyPage(Hwnd window);
  void CreateFindWindowDialog();
  void timDiggerTimer();
  void UpdateParentTreeButton();

  // --- Message log (app/MessageLogCommand.cpp) ---
  MainWindowMessageLogHost m_messageLogHost{*this};
  msglog::MessageLogs MessageLogs{m_messageLogHost};
  void AddMessageLogMenuItem();
  void UpdateMessageLogMenuItem();
  bool OnMessageLogSysCommand(WPARAM command);
  bool MessageLogKeys(MSG& msg);

  // --- Window relations ---
  WindowListsPage& WindowLists() { return m_windowLists; }
  TreePage& Tree() { return m_treePage; }

 private:
  void CreateFrame();
  void CreateOptionsPage();
  void CreateAboutPage();
  void BuildNextPage();
  // The check boxes of the Options page, and the setting behind each.
  static constexpr int kOptionChecks[] = {IDC_CHBSHOWSUBCHILDREN, IDC_CHBDIGCHILDREN, IDC_CHBAUTOSTART,
                                          IDC_CHBFLASH, IDC_CHBALWAYSONTOP};
  template <typename Values>
  static auto OptionField(Values& v, int id) -> decltype(&v.autoStart) {
    switch (id) {
      case IDC_CHBSHOWSUBCHILDREN: return &v.showSubchildren;
      case IDC_CHBDIGCHILDREN: return &v.digChildren;
      case IDC_CHBAUTOSTART: return &v.autoStart;
      case IDC_CHBFLASH: return &v.flashTarget;
      case IDC_CHBALWAYSONTOP: return &v.alwaysOnTop;
    }
    return nullptr;
  }
  // The enabled state of a command on the Tree or Graphics page, kept for a
  // page that is made later.
  void SetPageCommand(int id, bool enabled);
  void ApplyCommonStartStopSteps();
  void CursorWatchTick();
  void ApplicationHint();
  void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(int id, int code, HWND control);
  LRESULT OnNotify(NMHDR* hdr);

  std::vector<PageHandler*> m_pages;
  MainRelationsHost m_relationsHost{*this};
  WindowListsPage m_windowLists{m_relationsHost};
  TreePage m_treePage{m_relationsHost};
  // Settings that no control holds (yet): those of pages not made, and those
  // no page shows, carried from the restore to the writing so that a run does
  // not lose them.
  SettingsValues m_stored;
  unsigned m_builtPages = 0;  // a bit per page index
  bool m_framing = true;      // pages wait until the restore has chosen the one to show
  int m_designSheetWidth = 428;
  HWND m_tooltip = nullptr;
  std::map<int, bool> m_pageCommands;
  Win32WindowSystem m_ws;
  FormFonts m_fonts;
  int m_startTag = 0;
  bool m_diggerTimerEnabled = false;
  bool m_fieldMenuVisible = true;
  bool m_destroyed = false;
  unsigned m_probeCount = 0;
  unsigned m_processInfoFills = 0;
  // What the pending pages will show, read by the last inspection that touched them.
  unsigned m_pendingPages = 0;  // a bit per page index
  bool m_writingPages = false;
  bool m_pageChanging = false;  // inside the tab control's own change of page
  bool m_treeBuildDeferred = false;  // the start-up tree, read when the Tree page first shows
  WindowInfo m_pendingInfo;
  // What the Window and Class pages were last given, so that a write touches
  // only the fields whose text changes.
  WindowInfo m_windowPageInfo, m_classPageInfo;
  bool m_windowPageShown = false, m_classPageShown = false;
  ProcessInfo m_pendingProcess;
  ModifyValues m_pendingModify;
  std::string m_lastHint;
  HBRUSH m_white = nullptr;
  HMENU m_fieldMenu = nullptr;
  std::string m_reportFileName;  // the save dialog's file name, kept for the run
  bool ChooseReportFile(std::string& fileName);
  int Ask(const std::string& text, unsigned style);
};

// The one main window of the process; the WinEvent callback reaches it here.
extern TfrmTarvisk* g_frmTarvisk;
