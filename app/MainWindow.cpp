#include "app/MainWindow.h"

#include <commctrl.h>

#include "app/Nag.h"
#include "app/StartupSteps.h"
#include "ui/Controls.h"
#include "ui/HintText.h"
#include "ui/MessageBoxes.h"

TfrmTarvisk* g_frmTarvisk = nullptr;

namespace {

constexpr int kClientWidth = 436, kClientHeight = 553;
constexpr int kDesignLeft = 314, kDesignTop = 241;

}  // namespace

TfrmTarvisk::TfrmTarvisk()
    : m_pages{&WindowPage, &ClassPage, &m_windowLists.Page(kListParents), &m_windowLists.Page(kListChildren),
              &m_windowLists.Page(kListDigger), &m_treePage, &ExePage, &ModulesList, &Modify, &Graphics,
              &Options, &About} {
  g_frmTarvisk = this;
  Options.FormatChanged = [this] { rgrOptionsClick(); };
  Options.AlwaysOnTopChanged = [this] { chbAlwaysOnTopClick(); };
  m_fields.BeforeRead = [this](HWND control) { BeforePageRead(control); };
  m_fields.ExtendMenu = [this](HMENU menu, HWND field) { Features.AddFieldMenuItems(menu, field); };
}

TfrmTarvisk::~TfrmTarvisk() {
  if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
  if (m_white) DeleteObject(m_white);
  if (g_frmTarvisk == this) g_frmTarvisk = nullptr;
}

bool TfrmTarvisk::Create() {
  StartupSteps& steps = StartupSteps::Instance();
  steps.Mark("start");
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&icc);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!RegisterClass(kClassName, icon)) return false;
  m_white = CreateSolidBrush(RGB(255, 255, 255));

  // Fixed single border, system menu and minimise box only.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT r = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
  // Made in the design state of "Always on top", which the settings keep by
  // default: a start that keeps it needs no change of the window's band.
  DWORD exStyle = WS_EX_CONTROLPARENT | (SettingsValues{}.alwaysOnTop ? WS_EX_TOPMOST : 0);
  if (!CreateWindowExA(exStyle, kClassName, kAppTitle, style, kDesignLeft, kDesignTop,
                       r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                       GetModuleHandleA(nullptr), this)) {
    return false;
  }
  m_fields.SetOwner(m_hwnd);
  steps.Mark("main window created");
  CreateFrame();
  AddMessageLogMenuItem();
  AddFrameFeatures(*this, Features);
  Features.AddMenuItems(GetSystemMenu(m_hwnd, FALSE));
  steps.Mark("tabs and buttons created");
  m_fonts.ApplyDesignFont(m_hwnd, true);  // FormCreate adopts the message font
  m_fonts.ScaleToScreen(m_hwnd);
  m_fonts.Rescaled = [this] {
    pgcMain.LayoutSheets();
    for (int page = 0; page < kPageCount; ++page) {
      if (PageBuilt(page)) m_pages[page]->Rescaled();
    }
  };
  pgcMain.LayoutSheets();
  steps.Mark("fonts and layout");
  FormCreate();
  // The other pages are made once the message loop runs, after the window shows.
  PostMessageA(m_hwnd, kWmBuildPages, 0, 0);
  return true;
}

void TfrmTarvisk::CreateFrame() {
  // A page the program brings forward (Detail, the restored page) shows what
  // was last inspected, as one the user picks does.
  pgcMain.BeforeSheetShows = [this](int page) {
    if (!m_framing) BuildPage(page);
    m_fonts.ReleaseHeldFont(Sheet(page));
    if (!m_pageChanging) WritePendingPage(page);
  };
  pgcMain.Create(m_hwnd, IDC_PGCMAIN, 0, 0, 436, 445,
                 {"Window", "Class", "Parents", "Children", "Digger", "Tree", "Executable",
                  "Modules", "Modify", "Graphics", "Options", "About"});
  RECT sheet;
  if (GetClientRect(Sheet(kPageAbout), &sheet) && sheet.right > 0) About.SetDesignWidth(sheet.right);
  // Each row: kind, id, caption, left, top, width, height, hint.
  CreateControls(m_hwnd, {
      {ControlKind::Button, IDC_BTNDETAIL, "Det&ail", 16, 460, 93, 25,
       "|Click this button to see more detailed information about selected window"},
      {ControlKind::Button, IDC_BTNREFRESH, "Re&fresh", 120, 460, 93, 25,
       "|Click this button to refresh information"},
      {ControlKind::Button, IDC_BTNSAVE, "Sa&ve...", 224, 460, 93, 25,
       "|Click this button to save current information to a file"},
      {ControlKind::Button, IDC_BTNPRINT, "&Print", 328, 460, 93, 25,
       "|Click this button to print current information"},
      {ControlKind::DefaultButton, IDC_BTNSTART, kCaptionProbe, 16, 496, 93, 25,
       "|Click this button to start/stop probing process"},
      {ControlKind::Button, IDC_BTNCLOSE, "&Exit", 328, 496, 93, 25,
       "|Click this button to exit Tarvisk"},
  });
  btnDetail = Item(m_hwnd, IDC_BTNDETAIL);
  btnRefresh = Item(m_hwnd, IDC_BTNREFRESH);
  btnSave = Item(m_hwnd, IDC_BTNSAVE);
  btnPrint = Item(m_hwnd, IDC_BTNPRINT);
  btnStart = Item(m_hwnd, IDC_BTNSTART);
  btnClose = Item(m_hwnd, IDC_BTNCLOSE);
  stbMain = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 534, 436, 19, m_hwnd,
                            reinterpret_cast<HMENU>(IDC_STBMAIN), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(stbMain, SB_SIMPLE, TRUE, 0);
  SetControlHint(stbMain, "Field and control information");
  pgcMain.SetActiveIndex(kPageAbout);  // the design page, kept when the restore ends early
  for (int page = 0; page < pgcMain.Count(); ++page) m_fonts.HoldFontFor(Sheet(page));
}

// The pages' controls are made when a page first shows or something reads it,
// or when the program is idle after start-up, whichever comes first: a start
// makes only the page in front of the user.
void TfrmTarvisk::BuildPage(int page) {
  if (page < 0 || page >= kPageCount || PageBuilt(page)) return;
  HWND sheet = Sheet(page);
  m_pages[page]->Create(sheet);
  m_fonts.AdoptLateControls(sheet);
  static const FieldUse kFieldUse[kPageCount] = {
      FieldUse::Fields,    FieldUse::Fields,    FieldUse::ReadsOnly, FieldUse::ReadsOnly,
      FieldUse::ReadsOnly, FieldUse::ReadsOnly, FieldUse::Fields,    FieldUse::ReadsOnly,
      FieldUse::ReadsOnly, FieldUse::FieldsWithoutCopy, FieldUse::None, FieldUse::None};
  m_fields.Attach(sheet, kFieldUse[page]);
  if (m_tooltip) AddTooltipsFor(m_tooltip, m_hwnd, sheet);
  m_pages[page]->Placed();
}

TabPage* TfrmTarvisk::ActivePage() const {
  const int page = pgcMain.ActiveIndex();
  return page >= 0 && page < kPageCount ? m_pages[page] : nullptr;
}

void TfrmTarvisk::BuildNextPage() {
  // Nobody can point at a control before the window shows; its tooltips come
  // first, for every control made so far.
  if (!m_tooltip) {
    m_tooltip = AddTooltips(m_hwnd);
    PostMessageA(m_hwnd, kWmBuildPages, 0, 0);
    return;
  }
  for (int page = 0; page < kPageCount; ++page) {
    if (PageBuilt(page)) continue;
    BuildPage(page);
    // One page per message, so that input between them is not kept waiting.
    PostMessageA(m_hwnd, kWmBuildPages, 0, 0);
    return;
  }
}

// ---------------------------------------------------------------------------
// Lifecycle

void TfrmTarvisk::FormCreate() {
  m_fonts.AdoptMessageFont(m_hwnd);
  pgcMain.LayoutSheets();

  // One guarded block: the first failure ends it silently and what was not yet
  // restored keeps its design value.
  try {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    ProgramFolder = path;
    size_t slash = ProgramFolder.find_last_of("\\/:");
    ProgramFolder = slash == std::string::npos ? "" : ProgramFolder.substr(0, slash + 1);
    if (ProgramFolder.empty() || ProgramFolder.back() != '\\') ProgramFolder += '\\';

    Modify.DiscoverPlugins();
    StartupSteps::Instance().Mark("plug-ins discovered");
    LoadSettings();
    StartupSteps::Instance().Mark("settings restored");
    Modify.UpdatePluginPanel();
  } catch (...) {
  }
  // The page the restore ended on, whichever it is, is made and shows in the form's font.
  m_framing = false;
  BuildPage(pgcMain.ActiveIndex());
  m_fonts.ReleaseHeldFont(Sheet(pgcMain.ActiveIndex()));
  StartupSteps::Instance().Mark("first page made");

  if (OptionChecked(IDC_CHBAUTOSTART)) {
    StartProbingAtLaunch();
  } else {
    InspectWindow(0, false);
    CaptureScreen(0);
  }
  StartupSteps::Instance().Mark("first inspection");
  if (pgcMain.ActiveIndex() != kPageOptions) RegisterStartStopHotKey();
  SetDiggerTimerEnabled(true);
  StartupSteps::Instance().Mark("hot key and timers");
}

void TfrmTarvisk::Show() {
  FormShow();
  StartupSteps::Instance().Mark("reminder, on top, window tree");
  ShowWindow(m_hwnd, SW_SHOW);
  // Focus given to a hidden window activates it, and under Wine the first
  // activation sets up the input method; once shown it is activated anyway.
  SetFocus(pgcMain.Handle());
  UpdateWindow(m_hwnd);
  StartupSteps::Instance().Mark("shown and painted");
}

void TfrmTarvisk::FormShow() {
  if (!HideNag) HideNag = TfrmNag::Run(m_hwnd);
  const bool topmost = (GetWindowLongA(m_hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (OptionChecked(IDC_CHBALWAYSONTOP) != topmost) chbAlwaysOnTopClick();
  // Reading the whole desktop takes a while; a tree nobody looks at yet is
  // read when its page first shows.
  if (pgcMain.ActiveIndex() == kPageTree) {
    BuildWindowTree();
  } else {
    m_treePage.DeferRead();
  }
}

void TfrmTarvisk::FormDestroy() {
  if (m_destroyed) return;
  m_destroyed = true;
  MessageLogs.CloseAll();
  Features.Closing();
  UnregisterStartStopHotKey();
  KillTimer(m_hwnd, kTimerCursorWatch);
  RemoveProbeHook();
  SaveSettings();
  Modify.ReleasePlugins();
}

// ---------------------------------------------------------------------------
// Frame handlers

void TfrmTarvisk::pgcMainChange() {
  SetFocus(pgcMain.Handle());
  UpdateDetailButton();
  if (pgcMain.ActiveIndex() == kPageOptions) {
    UnregisterStartStopHotKey();
  } else {
    RegisterStartStopHotKey();
  }
  if (pgcMain.ActiveIndex() == kPageGraphics) {
    CaptureScreen(CurrentTarget());
  } else {
    InspectWindow(CurrentTarget(), true);
  }
}

void TfrmTarvisk::rgrOptionsClick() {
  // The pages whose numbers or constants follow the display options.
  for (int page : {kPageWindow, kPageClass, kPageParents, kPageChildren, kPageDigger, kPageGraphics}) {
    m_pages[page]->Invalidate();
  }
  WritePendingPage(pgcMain.ActiveIndex());
  Features.DisplayChanged();
}

void TfrmTarvisk::chbAlwaysOnTopClick() {
  HWND after = OptionChecked(IDC_CHBALWAYSONTOP) ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(m_hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TfrmTarvisk::btnCloseClick() { DestroyWindow(m_hwnd); }

// ---------------------------------------------------------------------------
// Messages

bool TfrmTarvisk::PreTranslate(MSG& msg) {
  if (!m_hwnd) return false;
  if (MessageLogKeys(msg) || Features.PreTranslate(msg)) return true;
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
    return IsDialogMessageW(m_hwnd, &msg) != FALSE;
  }
  return false;
}

LRESULT TfrmTarvisk::OnCommand(int id, int code, HWND control) {
  if (!control && (OnFieldMenuCommand(id) || Features.OnFieldMenuCommand(id))) return 0;
  // A button acts on its page as the page would show it.
  if (control && code == BN_CLICKED) BeforePageRead(control);
  // Only the page whose sheet holds the control: every field written sends
  // two notifications, and asking each page would cost a round trip each.
  if (HWND sheet = control ? GetParent(control) : nullptr) {
    for (TabPage* page : m_pages) {
      if (page->Sheet() == sheet) {
        if (page->OnCommand(id, code, control)) return 0;
        break;
      }
    }
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case IDC_BTNDETAIL:
      if (TabPage* page = ActivePage()) page->Detail();
      break;
    case IDC_BTNSTART: btnStartClick(); break;
    case IDC_BTNREFRESH: RefreshInformation(); break;
    case IDC_BTNCLOSE: btnCloseClick(); break;
    case IDC_BTNSAVE: btnSaveClick(); break;
    case IDC_BTNPRINT: btnPrintClick(); break;
  }
  return 0;
}

LRESULT TfrmTarvisk::OnNotify(NMHDR* hdr) {
  if (hdr->hwndFrom == pgcMain.Handle() && hdr->code == TCN_SELCHANGE) {
    // The change's own inspection writes the page; writing it first too would
    // only double the work.
    m_pageChanging = true;
    pgcMain.ShowActiveSheet();
    m_pageChanging = false;
    pgcMainChange();
    return 0;
  }
  LRESULT result = 0;
  if (m_windowLists.OnNotify(hdr, result)) return result;
  for (TabPage* page : m_pages) {
    if (page->OnNotify(hdr, result)) return result;
  }
  return 0;
}

LRESULT TfrmTarvisk::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_HOTKEY:
      if (wParam == 1 && IsWindowEnabled(btnStart)) btnStartClick();
      return 0;
    case kWmProbe:
      ProbeCursor();
      return 0;
    case kWmBuildPages:
      BuildNextPage();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerDigger) timDiggerTimer();
      if (wParam == kTimerCursorWatch) CursorWatchTick();
      if (wParam == kTimerCaptureRetry) {
        KillTimer(m_hwnd, kTimerCaptureRetry);
        if (pgcMain.ActiveIndex() == kPageGraphics && Graphics.RedrawPending()) CaptureScreen(CurrentTarget());
      }
      for (TabPage* page : m_pages) {
        if (page->OnTimer(wParam)) break;
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      for (TabPage* page : m_pages) {
        if (page->OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam))) break;
      }
      return 0;
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      HDC dc = reinterpret_cast<HDC>(wParam);
      char cls[16] = {};
      GetClassNameA(control, cls, sizeof cls);
      bool field = lstrcmpiA(cls, "Edit") == 0 && (GetWindowLongA(control, GWL_STYLE) & ES_READONLY);
      if (field) {  // information fields: read-only edits on white; disabled edits stay grey
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(m_white);
      }
      if (GetDlgCtrlID(control) == IDC_PNLNAME) {
        SetTextColor(dc, RGB(0, 128, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      for (TabPage* page : m_pages) {
        if (page->OnDrawItem(dis)) return TRUE;
      }
      break;
    }
    case WM_INITMENU:
      UpdateMessageLogMenuItem();
      Features.UpdateMenuItems(GetSystemMenu(m_hwnd, FALSE));
      break;
    case WM_SYSCOMMAND:
      if (OnMessageLogSysCommand(wParam) || Features.OnSysCommand(wParam)) return 0;
      break;
    case DM_GETDEFID:
      return MAKELRESULT(IDC_BTNSTART, DC_HASDEFID);
    case WM_NEXTDLGCTL:
      // The dialog manager asks for this when a label's mnemonic is pressed;
      // only dialog procedures answer it by themselves.
      OnNextDialogControl(wParam, lParam);
      return 0;
    case WM_CLOSE:
      DestroyWindow(m_hwnd);
      return 0;
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void TfrmTarvisk::OnNextDialogControl(WPARAM wParam, LPARAM lParam) {
  HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                             : GetNextDlgTabItem(m_hwnd, GetFocus(), wParam != 0);
  if (!next) return;
  SetFocus(next);
  if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
}

void TfrmTarvisk::ApplicationIdle() {
  if (!m_hwnd || m_destroyed) return;
  SetDiggerTimerEnabled(!Probing());
  // A capture skipped because input was recent (a click on the tab, the hot
  // key) is made once input has been quiet for a moment.
  if (!Probing() && pgcMain.ActiveIndex() == kPageGraphics && Graphics.RedrawPending()) {
    SetTimer(m_hwnd, kTimerCaptureRetry, 30, nullptr);
  }
  ApplicationHint();
}

void TfrmTarvisk::ApplicationHint() {
  POINT pt;
  std::string hint;
  if (GetCursorPos(&pt)) {
    HWND h = WindowFromPoint(pt);
    if (h && GetAncestor(h, GA_ROOT) == m_hwnd) {
      // Descend to the deepest control under the mouse, disabled ones included.
      for (;;) {
        POINT local = pt;
        ScreenToClient(h, &local);
        HWND c = ChildWindowFromPointEx(h, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!c || c == h) break;
        h = c;
      }
      hint = HintStatusPart(FindHint(h));
    }
  }
  if (hint == m_lastHint) return;
  m_lastHint = hint;
  SendMessageA(stbMain, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(hint.c_str()));
}
