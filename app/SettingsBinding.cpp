// Between the settings store and the main window: the restore at creation, the
// writing at destruction. Each page loads and stores its own share.
#include <stdexcept>

#include "app/MainWindow.h"
#include "settings/RegistryStore.h"
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
  SettingsValues v;
  RECT r;
  GetWindowRect(m_hwnd, &r);
  v.hideNag = HideNag;
  v.left = r.left;
  v.top = r.top;
  for (const TabPage* page : m_pages) page->StoreSettings(v);
  v.sortColumn = Inspected.sort.column;
  v.lastSortColumn = Inspected.sort.lastColumn;
  v.sortInverted = Inspected.sort.inverted;
  v.page = pgcMain.ActiveIndex();
  return v;
}

void TfrmTarvisk::LoadSettings() {
  SettingsValues v = CurrentSettings();
  LoadSettingsResult result;
  {
    RegistryStore store;
    result = ::LoadSettings(store, CurrentSettingsContext(), v);
  }
  // Everything the restore did not reach still holds its current value, so
  // applying the whole set changes only what was read.
  HideNag = v.hideNag;
  SetWindowPos(m_hwnd, nullptr, v.left, v.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The columns were kept in a byte, and the values that come back wrap as they did.
  Inspected.sort = {static_cast<uint8_t>(v.sortColumn), static_cast<uint8_t>(v.lastSortColumn), v.sortInverted};
  for (TabPage* page : m_pages) page->LoadSettings(v);
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
