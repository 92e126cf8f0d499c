// The operations that the main window calls in the pages' subsystems. Each
// page's subsystem fills its own in; until then a call has no effect.
#include "app/CommandStates.h"
#include "app/MainWindow.h"

void TfrmTarvisk::InspectWindow(Hwnd handle, bool refreshAll) {
  SetDiggerTimerEnabled(false);
  if (handle == CurrentTarget && !refreshAll) return;
  CurrentTarget = handle;
}

void TfrmTarvisk::CaptureScreen(Hwnd) {}
void TfrmTarvisk::BuildWindowTree() {}
void TfrmTarvisk::SelectTreeNode(Hwnd) {}
void TfrmTarvisk::DiscoverPlugins() {}
void TfrmTarvisk::LoadSettings() { pgcMain.SetActiveIndex(kPageAbout); }
void TfrmTarvisk::SaveSettings() {}
void TfrmTarvisk::UpdatePluginPanel() {}
void TfrmTarvisk::EnableModifyPage(bool) {}
void TfrmTarvisk::FillModifyPage(Hwnd) {}
void TfrmTarvisk::CreateFindWindowDialog() {}
void TfrmTarvisk::timDiggerTimer() {}
