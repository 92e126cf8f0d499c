// Starting and stopping probing, and turning cursor movement into inspections.
#include <windows.h>
#include <commctrl.h>

#include "app/HotKeyValue.h"
#include "app/MainWindow.h"
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
    CaptureScreen(CurrentTarget());
  } else {
    if (OptionChecked(IDC_CHBFLASH)) ToggleTargetFlash();
    SetWindowTextA(btnStart, kCaptionProbe);
    m_startTag = 0;
    RemoveProbeHook();
    CaptureScreen(CurrentTarget());
  }
  if (!Probing()) SetForegroundWindow(btnStart);
  InspectWindow(CurrentTarget(), true);
  SetProbingState(Probing());
}

// What the probing state enables: the commands that act on a fixed target.
void TfrmTarvisk::SetProbingState(bool probing) {
  m_fields.SetMenuVisible(!probing);
  UpdateDetailButton();
  SetEnabled(btnSave, !probing);
  SetEnabled(btnPrint, !probing);
  for (TabPage* page : m_pages) page->SetProbing(probing);
}

void TfrmTarvisk::StartProbingAtLaunch() {
  m_startTag = 1;
  SetWindowTextA(btnStart, kCaptionStop);
  SetProbingState(true);
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
  bool moved = pt.x != ProbePoint().x || pt.y != ProbePoint().y;
  // A capture skipped for recent input is made once the cursor rests, since
  // no further movement may come to ask for it.
  bool captureDue = pgcMain.ActiveIndex() == kPageGraphics && Graphics.RedrawPending();
  if (moved || captureDue) PostMessageA(m_hwnd, kWmProbe, 0, 0);
}

void TfrmTarvisk::ProbeCursor() {
  ++m_probeCount;
  POINT pt;
  if (GetCursorPos(&pt)) Inspected.Reading().SetPoint({pt.x, pt.y});
  if (!Probing()) return;
  POINT screen = {ProbePoint().x, ProbePoint().y};
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
  HWND target = ToHwnd(CurrentTarget());
  if (target == m_hwnd || GetForegroundWindow() == target) return;
  FlashWindow(target, TRUE);
}

void TfrmTarvisk::RefreshInformation() {
  int saved = m_startTag;
  m_startTag = 1;
  try {
    InspectWindow(CurrentTarget(), true);
    CaptureScreen(CurrentTarget());
    BuildWindowTree();
  } catch (...) {
    m_startTag = saved;
    throw;
  }
  m_startTag = saved;
}

void TfrmTarvisk::UpdateDetailButton() {
  const TabPage* page = ActivePage();
  SetEnabled(btnDetail, !Probing() && page && page->DetailEnabled());
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
