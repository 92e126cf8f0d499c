// InspectWindow: the central gathering, in its fixed order of steps. The
// gathering itself is portable (inspect/WindowInfo); this file is the order.
#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "exeinfo/ModuleList.h"
#include "inspect/InfoPages.h"
#include "inspect/WindowInfo.h"

void TfrmTarvisk::InspectWindow(Hwnd handle, bool refreshAll) {
  SetDiggerTimerEnabled(false);
  if (handle == CurrentTarget && !refreshAll) return;

  Hwnd active = FromHwnd(GetActiveWindow());
  if (!refreshAll && active != CurrentTarget) ToggleTargetFlash();
  if (pgcMain.ActiveIndex() == kPageTree || refreshAll) SelectTreeNode(handle);

  WindowInfo info = GatherWindowInfo(m_ws, handle, CurrentDisplayOptions());
  ShowWindowInfo(Sheet(kPageWindow), Sheet(kPageClass), info);

  CurrentTarget = handle;
  InvalidateRect(GetDlgItem(Sheet(kPageClass), IDC_PNTICONS), nullptr, FALSE);

  int page = pgcMain.ActiveIndex();
  if (page == kPageParents || refreshAll) FillParents(handle);
  if (page == kPageChildren || refreshAll) FillChildren(handle);
  if (page == kPageDigger || refreshAll) RefreshDigger();
  if (TakeProcessChange(LastProcessId, info.processId)) LoadProcessInfo(info.processId);
  FillModifyPage(handle);

  if (!refreshAll && FromHwnd(GetActiveWindow()) != CurrentTarget) ToggleTargetFlash();
  UpdateParentTreeButton();
}

void TfrmTarvisk::pntIconsPaint(HDC dc, const RECT& box) {
  PaintClassIcons(Sheet(kPageClass), dc, box, ToHwnd(CurrentTarget));
}
