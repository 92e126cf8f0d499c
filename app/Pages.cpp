// The operations that the main window calls in the pages' subsystems: the
// main window keeps the order of things, each page does its own part.
#include "app/CommandStates.h"
#include "app/MainWindow.h"
#include "exeinfo/ExeInfo.h"
#include "exeinfo/ExePages.h"
#include "ui/Controls.h"

void TfrmTarvisk::CaptureScreen(Hwnd window) { Graphics.CaptureScreen(window); }
void TfrmTarvisk::DiscoverPlugins() { Modify.DiscoverPlugins(); }
void TfrmTarvisk::UpdatePluginPanel() { Modify.UpdatePluginPanel(); }
void TfrmTarvisk::EnableModifyPage(bool enabled) { Modify.EnableModifyPage(enabled); }
// The target is read at once; the page's controls are written when it shows.
void TfrmTarvisk::FillModifyPage(Hwnd window) {
  m_pendingModify = ModifyPage::GatherModifyValues(window);
  MarkPagePending(kPageModify);
}
void TfrmTarvisk::LoadProcessInfo(uint32_t processId) {
  ++m_processInfoFills;
  m_pendingProcess = LoadProcessInfoData(processId);
  MarkPagePending(kPageExecutable);
  MarkPagePending(kPageModules);
}

// --- Window relations ---
void TfrmTarvisk::FillParents(Hwnd window) {
  m_windowLists.GatherParents(window);
  WriteIfShowing(kPageParents);
}
void TfrmTarvisk::FillChildren(Hwnd window) {
  m_windowLists.GatherChildren(window);
  WriteIfShowing(kPageChildren);
}
void TfrmTarvisk::RefreshDigger() {
  m_windowLists.GatherDigger();
  WriteIfShowing(kPageDigger);
}
void TfrmTarvisk::timDiggerTimer() { RefreshDigger(); }
void TfrmTarvisk::BuildWindowTree() {
  m_treeBuildDeferred = false;
  m_treePage.GatherWindowTree();
  WriteIfShowing(kPageTree);
}
// The node is chosen when the Tree page shows, in the tree it then holds.
void TfrmTarvisk::SelectTreeNode(Hwnd) { MarkPagePending(kPageTree); }
void TfrmTarvisk::UpdateParentTreeButton() { m_treePage.UpdateParentTreeButton(); }
void TfrmTarvisk::CreateFindWindowDialog() { m_treePage.CreateFindWindowDialog(m_hwnd); }

DisplayOptions MainRelationsHost::CurrentDisplayOptions() const { return m_frm.CurrentDisplayOptions(); }
bool MainRelationsHost::Probing() const { return m_frm.Probing(); }
int MainRelationsHost::ActivePage() const { return m_frm.pgcMain.ActiveIndex(); }
bool MainRelationsHost::ShowSubchildren() const { return m_frm.OptionChecked(IDC_CHBSHOWSUBCHILDREN); }
bool MainRelationsHost::DigChildren() const { return m_frm.OptionChecked(IDC_CHBDIGCHILDREN); }
WinPoint MainRelationsHost::ProbePoint() const { return m_frm.ProbePoint; }
WinPoint MainRelationsHost::LastDiggerPoint() const { return m_frm.LastDiggerPoint; }
void MainRelationsHost::SetLastDiggerPoint(WinPoint point) { m_frm.LastDiggerPoint = point; }
SortState MainRelationsHost::Sort() const { return {m_frm.SortColumn, m_frm.LastSortColumn, m_frm.SortInverted}; }
void MainRelationsHost::SetSort(const SortState& sort) {
  m_frm.SortColumn = static_cast<uint8_t>(sort.column);
  m_frm.LastSortColumn = static_cast<uint8_t>(sort.lastColumn);
  m_frm.SortInverted = sort.inverted;
}
bool MainRelationsHost::TextSearchFlag() const { return m_frm.TextSearchFlag; }
void MainRelationsHost::SetTextSearchFlag(bool flag) { m_frm.TextSearchFlag = flag; }
void MainRelationsHost::InspectWindow(Hwnd window, bool refreshAll) { m_frm.InspectWindow(window, refreshAll); }
void MainRelationsHost::ShowWindowPage() { m_frm.pgcMain.SetActiveIndex(kPageWindow); }
void MainRelationsHost::UpdateDetailButton() { m_frm.UpdateDetailButton(); }
