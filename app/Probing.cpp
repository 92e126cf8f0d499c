// Starting and stopping probing, and turning cursor movement into inspections.
#include <windows.h>
#include <commctrl.h>

#include "app/CommandStates.h"
#include "app/HotKeyValue.h"
#include "app/MainWindow.h"
#include "relations/RelationControls.h"
#include "ui/Controls.h"

namespace {

// Out of context, the system calls this on the thread that installed the hook,
// while it takes messages; it only asks for one look at the cursor.
void CALLBACK ProbeEventProc(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  TfrmTarvisk* frm = g_frmTarvisk;
  if (frm && frm->ProbeHook && hook == frm->ProbeHook) {
    PostMessageA(frm->Handle(), kWmProbe, 0, 0);
  }
}

constexpr UINT kCursorWatchMs = 25;

}  // namespace

void TfrmTarvisk::btnStartClick() {
  if (!Probing()) {
    SetWindowTextA(btnStart, kCaptionStop);
    m_startTag = 1;
    InstallProbeHook();
    BuildWindowTree();
    CaptureScreen(CurrentTarget);
  } else {
    if (OptionChecked(IDC_CHBFLASH)) ToggleTargetFlash();
    SetWindowTextA(btnStart, kCaptionProbe);
    m_startTag = 0;
    RemoveProbeHook();
    CaptureScreen(CurrentTarget);
    SelectTreeNode(CurrentTarget);
    SetForegroundWindow(btnStart);
  }
  ApplyCommonStartStopSteps();
}

void TfrmTarvisk::ApplyCommonStartStopSteps() {
  bool idle = !Probing();
  CommandStates s = CommandStatesFor(Probing(), TextSearchFlag);
  InspectWindow(CurrentTarget, true);
  SetFieldMenuVisible(s.fieldMenu);
  UpdateDetailButton();
  SetEnabled(btnSave, s.save);
  SetEnabled(btnPrint, s.print);
  SetPageCommand(IDC_BTNFINDWINDOW, s.findWindow);
  SetPageCommand(IDC_BTNFINDNEXTWINDOW, s.findNextPrev);
  SetPageCommand(IDC_BTNFINDPREVWINDOW, s.findNextPrev);
  SetPageCommand(IDC_BTNCOPYIMAGE, s.copyImage);
  SetPageCommand(IDC_BTNSAVEIMAGE, s.saveImage);
  EnableModifyPage(idle);
  FillModifyPage(CurrentTarget);
}

void TfrmTarvisk::StartProbingAtLaunch() {
  m_startTag = 1;
  SetWindowTextA(btnStart, kCaptionStop);
  SetFieldMenuVisible(false);
  UpdateDetailButton();
  for (HWND h : {btnSave, btnPrint}) SetEnabled(h, false);
  const int pageCommands[] = {IDC_BTNFINDWINDOW, IDC_BTNFINDNEXTWINDOW, IDC_BTNFINDPREVWINDOW, IDC_BTNCOPYIMAGE,
                              IDC_BTNSAVEIMAGE};
  for (int id : pageCommands) SetPageCommand(id, false);
  EnableModifyPage(false);
  InstallProbeHook();
}

void TfrmTarvisk::InstallProbeHook() {
  ProbeHook = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                              ProbeEventProc, 0, 0, WINEVENT_OUTOFCONTEXT);
  // The hook may fail to install, and some systems never report location
  // changes at all; watching the cursor keeps probing alive either way.
  SetTimer(m_hwnd, kTimerCursorWatch, kCursorWatchMs, nullptr);
}

void TfrmTarvisk::RemoveProbeHook() {
  KillTimer(m_hwnd, kTimerCursorWatch);
  if (ProbeHook) UnhookWinEvent(ProbeHook);
}

void TfrmTarvisk::CursorWatchTick() {
  if (!Probing()) {
    KillTimer(m_hwnd, kTimerCursorWatch);
    return;
  }
  POINT pt;
  if (!GetCursorPos(&pt)) return;
  bool moved = pt.x != ProbePoint.x || pt.y != ProbePoint.y;
  // A capture skipped for recent input is made once the cursor rests, since
  // no further movement may come to ask for it.
  bool captureDue = pgcMain.ActiveIndex() == kPageGraphics && Graphics.RedrawPending();
  if (moved || captureDue) PostMessageA(m_hwnd, kWmProbe, 0, 0);
}

void TfrmTarvisk::ProbeCursor() {
  ++m_probeCount;
  POINT pt;
  if (GetCursorPos(&pt)) ProbePoint = {pt.x, pt.y};
  if (!Probing()) return;
  POINT screen = {ProbePoint.x, ProbePoint.y};
  HWND w = WindowFromPoint(screen);
  POINT p = screen;
  ScreenToClient(w, &p);
  HWND c = ChildWindowFromPoint(w, p);
  if (pgcMain.ActiveIndex() == kPageGraphics) {
    CaptureScreen(static_cast<Hwnd>(reinterpret_cast<UINT_PTR>(w)));
  } else {
    HWND target = c ? c : w;
    InspectWindow(static_cast<Hwnd>(reinterpret_cast<UINT_PTR>(target)), false);
  }
}

uint16_t TfrmTarvisk::StartStopHotKey() const {
  if (!PageBuilt(kPageOptions)) return m_stored.startStopHotKey;
  HWND htk = OptionsItem(IDC_HTKSTARTSTOP);
  return HotKeyFromControl(static_cast<uint32_t>(SendMessageA(htk, HKM_GETHOTKEY, 0, 0)));
}

void TfrmTarvisk::SetStartStopHotKey(uint16_t value) {
  if (!PageBuilt(kPageOptions)) m_stored.startStopHotKey = value;
  SendMessageA(OptionsItem(IDC_HTKSTARTSTOP), HKM_SETHOTKEY, HotKeyToControl(value), 0);
}

void TfrmTarvisk::RegisterStartStopHotKey() {
  if (HotKeyRegistered) return;
  HotKeyRegistration r = HotKeyToRegistration(StartStopHotKey());
  HotKeyRegistered = RegisterHotKey(m_hwnd, 1, r.modifiers, r.key) != FALSE;
}

void TfrmTarvisk::UnregisterStartStopHotKey() {
  if (!HotKeyRegistered) return;
  HotKeyRegistered = UnregisterHotKey(m_hwnd, 1) == FALSE;
}

void TfrmTarvisk::ToggleTargetFlash() {
  if (!OptionChecked(IDC_CHBFLASH)) return;
  HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(CurrentTarget));
  if (target == m_hwnd || GetForegroundWindow() == target) return;
  FlashWindow(target, TRUE);
}

void TfrmTarvisk::RefreshInformation() {
  int saved = m_startTag;
  m_startTag = 1;
  try {
    InspectWindow(CurrentTarget, true);
    CaptureScreen(CurrentTarget);
    BuildWindowTree();
    SelectTreeNode(CurrentTarget);
  } catch (...) {
    m_startTag = saved;
    throw;
  }
  m_startTag = saved;
}

void TfrmTarvisk::SetFieldMenuVisible(bool visible) { m_fieldMenuVisible = visible; }

void TfrmTarvisk::UpdateDetailButton() {
  DetailSources sources;
  m_windowLists.FillDetailSources(sources);
  m_treePage.FillDetailSources(sources);
  SetEnabled(btnDetail, DetailButtonEnabled(Probing(), pgcMain.ActiveIndex(), sources));
}

void TfrmTarvisk::SetDiggerTimerEnabled(bool enabled) {
  if (enabled == m_diggerTimerEnabled) return;
  m_diggerTimerEnabled = enabled;
  if (enabled) {
    SetTimer(m_hwnd, kTimerDigger, 200, nullptr);
  } else {
    KillTimer(m_hwnd, kTimerDigger);
  }
}
