// Between the settings store and the main window's controls and fields: the
// restore at creation, the writing at destruction.
#include <stdexcept>

#include "app/CommandStates.h"
#include "app/HotKeyValue.h"
#include "app/MainWindow.h"
#include "app/RegistryStore.h"
#include "exeinfo/ExePages.h"
#include "ui/Controls.h"
#include "ui/Gdi.h"
#include "ui/MessageBoxes.h"

SettingsContext TfrmTarvisk::CurrentSettingsContext() const {
  SettingsContext context;
  context.title = kAppTitle;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  context.programPath = path;
  context.pluginCount = Modify.PluginCount();
  ScopedGetDC dc(nullptr);
  context.ppi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  return context;
}

SettingsValues TfrmTarvisk::CurrentSettings() const {
  // A page not made yet keeps its settings in m_stored.
  SettingsValues v = m_stored;
  RECT r;
  GetWindowRect(m_hwnd, &r);
  v.hideNag = HideNag;
  v.left = r.left;
  v.top = r.top;
  for (int id : kOptionChecks) *OptionField(v, id) = OptionChecked(id);
  v.integerFormat = IntegerFormat();
  v.constsFormat = ConstsFormat();
  v.startStopHotKey = StartStopHotKey();
  v.sortColumn = SortColumn;
  v.lastSortColumn = LastSortColumn;
  v.sortInverted = SortInverted;
  if (PageBuilt(kPageParents)) {
    v.columns.parents = m_windowLists.ColumnWidths(kListParents);
    v.columns.children = m_windowLists.ColumnWidths(kListChildren);
    v.columns.digger = m_windowLists.ColumnWidths(kListDigger);
  }
  if (PageBuilt(kPageModules)) v.columns.modules = GetModulesColumnWidths(Sheet(kPageModules));
  if (PageBuilt(kPageGraphics)) {
    v.zoom = Graphics.ZoomIndex();
    v.showReticle = Graphics.ShowReticle();
  }
  v.page = pgcMain.ActiveIndex();
  v.selectedPlugin = Modify.SelectedPlugin();
  return v;
}

void TfrmTarvisk::LoadSettings() {
  SettingsValues before = CurrentSettings();
  SettingsValues v = before;
  LoadSettingsResult result;
  {
    RegistryStore store;
    result = ::LoadSettings(store, CurrentSettingsContext(), v);
  }
  // Pages not made yet take their settings from here when they are made.
  m_stored = v;

  // Everything the restore did not reach still holds its current value, so
  // applying the whole set changes only what was read.
  HWND options = Sheet(kPageOptions);
  HideNag = v.hideNag;
  SetWindowPos(m_hwnd, nullptr, v.left, v.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (PageBuilt(kPageOptions)) {
    for (int id : kOptionChecks) SetChecked(options, id, *OptionField(v, id));
  }
  // A radio group set from a stored index acts as if its new item were clicked.
  if (v.integerFormat != before.integerFormat) {
    if (PageBuilt(kPageOptions)) SetRadioGroupIndex(options, IDC_RGRFORMAT, 3, v.integerFormat);
    rgrOptionsClick();
  }
  if (v.constsFormat != before.constsFormat) {
    if (PageBuilt(kPageOptions)) SetRadioGroupIndex(options, IDC_RGRCASE, 2, v.constsFormat);
    rgrOptionsClick();
  }
  SetStartStopHotKey(v.startStopHotKey);
  SortColumn = static_cast<uint8_t>(v.sortColumn);
  LastSortColumn = static_cast<uint8_t>(v.lastSortColumn);
  SortInverted = v.sortInverted;
  if (PageBuilt(kPageParents)) {
    m_windowLists.SetColumnWidths(kListParents, v.columns.parents);
    m_windowLists.SetColumnWidths(kListChildren, v.columns.children);
    m_windowLists.SetColumnWidths(kListDigger, v.columns.digger);
  }
  if (PageBuilt(kPageModules)) SetModulesColumnWidths(Sheet(kPageModules), v.columns.modules);
  if (PageBuilt(kPageGraphics)) {
    Graphics.SetZoomIndex(v.zoom);
    Graphics.SetShowReticle(v.showReticle);
  }
  if (result.stoppedAt > SettingsStep::Page) pgcMain.SetActiveIndex(v.page);
  if (result.stoppedAt > SettingsStep::SelectedPlugin) Modify.RestorePluginSelection(v.selectedPlugin);
  if (!result.Complete()) throw std::runtime_error(result.error);
}

void TfrmTarvisk::SaveSettings() {
  std::string error;
  {
    RegistryStore store;
    error = ::SaveSettings(store, CurrentSettingsContext(), CurrentSettings());
  }
  if (!error.empty()) ShowErrorBox(nullptr, error);
}
