// The operations that the main window calls in the pages' subsystems. Each
// page's subsystem fills its own in; until then a call has no effect.
#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "exeinfo/ExeInfo.h"
#include "exeinfo/ExePages.h"

void TfrmTarvisk::CaptureScreen(Hwnd window) { Graphics.CaptureScreen(window); }
void TfrmTarvisk::BuildWindowTree() {}
void TfrmTarvisk::SelectTreeNode(Hwnd) {}
void TfrmTarvisk::DiscoverPlugins() {}
void TfrmTarvisk::UpdatePluginPanel() {}
void TfrmTarvisk::EnableModifyPage(bool) {}
void TfrmTarvisk::FillModifyPage(Hwnd) {}
void TfrmTarvisk::CreateFindWindowDialog() {}
void TfrmTarvisk::timDiggerTimer() {}
void TfrmTarvisk::LoadProcessInfo(uint32_t processId) {
  ShowProcessInfo(Sheet(kPageExecutable), Sheet(kPageModules), LoadProcessInfoData(processId));
}
void TfrmTarvisk::FillParents(Hwnd) {}
void TfrmTarvisk::FillChildren(Hwnd) {}
void TfrmTarvisk::RefreshDigger() {}
void TfrmTarvisk::UpdateParentTreeButton() {}
