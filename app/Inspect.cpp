// InspectWindow: the central gathering, in its fixed order of steps. The
// gathering itself is portable (inspect/WindowInfo); this file is the order.
#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "exeinfo/ExePages.h"
#include "exeinfo/ModuleList.h"
#include "inspect/InfoPages.h"
#include "inspect/WindowInfo.h"

namespace {
constexpr unsigned Bit(int page) { return 1u << page; }
}  // namespace

// Everything is read at the moments it always was, so the pages show the target
// as it was when inspected; writing a page's controls costs far more under Wine
// than reading the target, and only the page in front of the user is written.
void TfrmTarvisk::InspectWindow(Hwnd handle, bool refreshAll) {
  SetDiggerTimerEnabled(false);
  if (handle == CurrentTarget && !refreshAll) return;

  Hwnd active = FromHwnd(GetActiveWindow());
  if (!refreshAll && active != CurrentTarget) ToggleTargetFlash();
  int page = pgcMain.ActiveIndex();
  if (page == kPageTree || refreshAll) m_pendingPages |= Bit(kPageTree);

  m_pendingInfo = GatherWindowInfo(m_ws, handle, CurrentDisplayOptions());
  m_pendingPages |= Bit(kPageWindow) | Bit(kPageClass);

  CurrentTarget = handle;
  // A null window would invalidate the whole screen.
  if (HWND icons = GetDlgItem(Sheet(kPageClass), IDC_PNTICONS)) InvalidateRect(icons, nullptr, FALSE);

  if (page == kPageParents || refreshAll) FillParents(handle);
  if (page == kPageChildren || refreshAll) FillChildren(handle);
  if (page == kPageDigger || refreshAll) RefreshDigger();
  if (TakeProcessChange(LastProcessId, m_pendingInfo.processId)) LoadProcessInfo(m_pendingInfo.processId);
  FillModifyPage(handle);
  WritePendingPage(page);

  if (!refreshAll && FromHwnd(GetActiveWindow()) != CurrentTarget) ToggleTargetFlash();
  UpdateParentTreeButton();
}

void TfrmTarvisk::WritePendingPage(int page) {
  if (page < 0 || page >= 32 || m_writingPages || m_framing) return;
  BuildPage(page);
  static const int kListOfPage[][2] = {
      {kPageParents, kListParents}, {kPageChildren, kListChildren}, {kPageDigger, kListDigger}};
  for (auto& pair : kListOfPage) {
    if (pair[0] == page && m_windowLists.HasPending(pair[1])) {
      m_writingPages = true;
      m_windowLists.ShowPending(pair[1]);
      m_writingPages = false;
    }
  }
  if (page == kPageTree && (m_treeBuildDeferred || m_treePage.TreePending())) {
    // Reading the desktop reads this program's own controls too, which must
    // not write the page before its tree is there.
    m_writingPages = true;
    if (m_treeBuildDeferred) m_treePage.GatherWindowTree();
    m_treeBuildDeferred = false;
    m_treePage.ShowPendingTree();
    m_writingPages = false;
  }
  if (!PagePending(page)) return;
  m_pendingPages &= ~Bit(page);
  m_writingPages = true;
  switch (page) {
    case kPageWindow:
      ShowWindowPage(Sheet(kPageWindow), m_pendingInfo, m_windowPageShown ? &m_windowPageInfo : nullptr);
      m_windowPageInfo = m_pendingInfo;
      m_windowPageShown = true;
      break;
    case kPageClass:
      ShowClassPage(Sheet(kPageClass), m_pendingInfo, m_classPageShown ? &m_classPageInfo : nullptr);
      m_classPageInfo = m_pendingInfo;
      m_classPageShown = true;
      break;
    case kPageTree:
      m_treePage.SelectTreeNode(CurrentTarget);
      m_treePage.UpdateParentTreeButton();
      break;
    case kPageExecutable: ShowExecutableInfo(Sheet(kPageExecutable), m_pendingProcess.executable); break;
    case kPageModules: ShowModuleRows(Sheet(kPageModules), m_pendingProcess.modules); break;
    case kPageModify: Modify.ShowModifyValues(m_pendingModify); break;
  }
  m_writingPages = false;
}

void TfrmTarvisk::MarkPagePending(int page) {
  m_pendingPages |= Bit(page);
  WriteIfShowing(page);
}

void TfrmTarvisk::WriteIfShowing(int page) {
  if (page == pgcMain.ActiveIndex()) WritePendingPage(page);
}

void TfrmTarvisk::WriteAllPendingPages() {
  for (int page = 0; page < pgcMain.Count(); ++page) WritePendingPage(page);
}

void TfrmTarvisk::BeforePageRead(HWND control) {
  if (m_writingPages) return;
  for (HWND h = control; h && h != m_hwnd; h = GetParent(h)) {
    for (int page = 0; page < pgcMain.Count(); ++page) {
      if (Sheet(page) == h) return WritePendingPage(page);
    }
  }
}

void TfrmTarvisk::pntIconsPaint(HDC dc, const RECT& box) {
  PaintClassIcons(Sheet(kPageClass), dc, box, ToHwnd(CurrentTarget));
}
