#include "plugins/PluginManager.h"

#include <utility>

PluginManager::PluginManager(PluginSystem& system, PluginPrompts& prompts,
                             std::string programFolder, std::string appTitle)
    : m_system(system),
      m_prompts(prompts),
      m_pluginFolder(std::move(programFolder) + "Plugins\\"),
      m_appTitle(std::move(appTitle)) {}

PluginManager::~PluginManager() { Release(); }

void PluginManager::Discover() {
  for (const std::string& file : m_system.FindPluginFiles(m_pluginFolder)) {
    if (!BitnessMismatch(m_pluginFolder + file).empty()) continue;
    AddItem(m_system.Load(m_pluginFolder + file));
  }
}

std::string PluginManager::BitnessMismatch(const std::string& path) {
  int bits = m_system.FileBitness(path), own = m_system.ProgramBitness();
  if (bits == 0 || bits == own) return std::string();
  return PluginBitnessText(ShortFileNameOf(path), bits, own, m_appTitle);
}

void PluginManager::Release() {
  // Each DLL goes in list order, as the items are destroyed.
  for (Entry& entry : m_items) entry.plugIn.reset();
  m_items.clear();
  m_selected = -1;
}

std::vector<std::string> PluginManager::Names() const {
  std::vector<std::string> names;
  names.reserve(m_items.size());
  for (const Entry& entry : m_items) names.push_back(entry.name);
  return names;
}

void PluginManager::Select(int index) {
  m_selected = index >= 0 && static_cast<size_t>(index) < m_items.size() ? index : -1;
}

void PluginManager::RestoreSelection(int storedIndex) { Select(storedIndex); }

PluginPanelState PluginManager::PanelState(bool probing) {
  PluginPanelState state;
  if (HasSelection()) state.hint = m_items[m_selected].plugIn->GetHint();
  state.enabled = !probing && HasSelection() && !m_items.empty();
  return state;
}

std::optional<std::string> PluginManager::ExecuteSelected(uint32_t target,
                                                          const std::string& data) {
  if (!HasSelection()) return std::nullopt;
  std::string text = data;
  ExecuteResult result = m_items[m_selected].plugIn->Execute(target, text);
  return ExecuteResultText(result, text);
}

bool PluginManager::ShowSelectedInfo() {
  if (!HasSelection()) return false;
  PlugIn& plugIn = *m_items[m_selected].plugIn;
  std::string text = PluginInfoText(plugIn.GetInfo(), plugIn.ShortFileName());
  m_prompts.ShowInformation(PluginInfoCaption(m_appTitle), text);
  return true;
}

PluginManager::InstallOutcome PluginManager::Install(const std::string& chosenFile) {
  std::string mismatch = BitnessMismatch(chosenFile);
  if (!mismatch.empty()) {
    m_prompts.ShowInformation(m_appTitle, mismatch);
    return InstallOutcome::Declined;
  }
  m_system.CreateFolder(m_pluginFolder);
  std::string target = m_pluginFolder + ShortFileNameOf(chosenFile);
  if (m_system.FileExists(target) &&
      !m_prompts.AskYesNo(m_appTitle, PluginOverwriteQuestion(chosenFile)))
    return InstallOutcome::Declined;
  // A failed copy is not an error of its own: the item then shows whatever is
  // at the target, typically the earlier version that is still loaded.
  m_system.CopyFileOver(chosenFile, target);
  m_selected = static_cast<int>(AddItem(m_system.Load(target)));
  return InstallOutcome::Installed;
}

bool PluginManager::DeleteSelected() {
  if (!HasSelection()) return false;
  std::string shortName = m_items[m_selected].plugIn->ShortFileName();
  if (!m_prompts.AskYesNo(m_appTitle, PluginDeleteQuestion(shortName, m_appTitle))) return false;
  int index = m_selected;
  // The DLL must be unloaded before its file can go.
  m_items[index].plugIn.reset();
  m_system.RemoveFile(m_pluginFolder + shortName);
  m_items.erase(m_items.begin() + index);
  m_selected = index < static_cast<int>(m_items.size()) ? index
                                                        : static_cast<int>(m_items.size()) - 1;
  return true;
}

size_t PluginManager::AddItem(std::unique_ptr<PlugIn> plugIn) {
  std::string name = plugIn->GetName();
  size_t position = SortedPosition(name);
  m_items.insert(m_items.begin() + position, Entry{std::move(name), std::move(plugIn)});
  if (m_selected >= static_cast<int>(position)) ++m_selected;
  return position;
}

// The sorted list box's own search: a binary search that stops at the first
// equal name it meets, so a list box filled with LB_ADDSTRING agrees with it.
size_t PluginManager::SortedPosition(const std::string& name) {
  long low = 0, high = static_cast<long>(m_items.size()) - 1;
  while (low <= high) {
    long middle = (low + high) / 2;
    int order = m_system.CompareNames(m_items[middle].name, name);
    if (order == 0) return static_cast<size_t>(middle);
    if (order > 0)
      high = middle - 1;
    else
      low = middle + 1;
  }
  return static_cast<size_t>(low);
}
