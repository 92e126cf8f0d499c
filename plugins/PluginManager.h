#pragma once
// The list of installed plug-ins behind the Modify page's plug-in group: which
// plug-ins there are, in the order the sorted list box shows them, which one
// is selected, and the commands on them. The list box itself stays with the
// page; it mirrors Names() and Selected() after every change (FillPluginList
// in plugins/Win32Plugins.h does that).
//
// The file system, the loader and the message boxes sit behind interfaces so
// that the rules are tested apart from Win32.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plugins/PluginRules.h"

// What the list needs of one loaded plug-in (TPlugIn in the program).
class PlugIn {
 public:
  virtual ~PlugIn() = default;  // unloads the DLL
  virtual std::string ShortFileName() const = 0;
  virtual std::string GetName() = 0;
  virtual std::string GetHint() = 0;
  virtual std::string GetInfo() = 0;
  // `data` goes in as the user's data text and comes back as the result when Done.
  virtual ExecuteResult Execute(uint32_t wnd, std::string& data) = 0;
};

// Files, loading and ordering under the list.
class PluginSystem {
 public:
  virtual ~PluginSystem() = default;
  // Names (without folder) of every entry matching folder + "*.dll", folders
  // included, in the order the file system returns them; none for a missing folder.
  virtual std::vector<std::string> FindPluginFiles(const std::string& folder) = 0;
  // Never fails: a file that does not load still gives an object.
  virtual std::unique_ptr<PlugIn> Load(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;  // false for folders
  virtual void CreateFolder(const std::string& folder) = 0;  // with missing parents
  virtual bool CopyFileOver(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // <0, 0 or >0 as the sorted list box orders two item texts.
  virtual int CompareNames(const std::string& a, const std::string& b) = 0;
  // 32 or 64 for a Windows image, 0 when the file cannot tell (then it is
  // loaded, and fails or not as any other file would).
  virtual int FileBitness(const std::string&) { return 0; }
  // The bitness of this program: only plug-ins of the same load.
  virtual int ProgramBitness() { return 32; }
};

// The message boxes of the plug-in commands.
class PluginPrompts {
 public:
  virtual ~PluginPrompts() = default;
  // Yes and No with the question icon; true for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // OK with the information icon, owned by the plug-in list.
  virtual void ShowInformation(const std::string& caption, const std::string& text) = 0;
};

// What UpdatePluginPanel applies: `hint` to the hint edit, `enabled` to Delete,
// More info, Execute, the Hint and Data labels and edits (in that order).
struct PluginPanelState {
  std::string hint;
  bool enabled = false;
};

class PluginManager {
 public:
  // `programFolder` ends with a backslash; the plug-ins live in its "Plugins\".
  PluginManager(PluginSystem& system, PluginPrompts& prompts, std::string programFolder,
                std::string appTitle);
  ~PluginManager();  // Release()
  PluginManager(const PluginManager&) = delete;
  PluginManager& operator=(const PluginManager&) = delete;

  const std::string& PluginFolder() const { return m_pluginFolder; }

  // Start-up: loads every DLL of the plug-in folder, except those of the other
  // bitness, which could only fail. Nothing is selected.
  void Discover();
  // Frees every plug-in, first to last; the list is empty afterwards.
  void Release();

  size_t Count() const { return m_items.size(); }
  // Display names in list order, read once when each item was added.
  std::vector<std::string> Names() const;
  const std::string& Name(size_t index) const { return m_items[index].name; }
  PlugIn& Item(size_t index) { return *m_items[index].plugIn; }

  // The selected index, -1 for none.
  int Selected() const { return m_selected; }
  // The list's click: an index outside the list means none.
  void Select(int index);
  // The stored setting: applied only when it is an index of the list.
  void RestoreSelection(int storedIndex);

  // Calls the selected plug-in's Hint every time.
  PluginPanelState PanelState(bool probing);

  // Runs the selected plug-in on `target` with the data text and gives what
  // the result field shows; nullopt when nothing is selected (then the caller
  // does nothing else either, no refresh).
  std::optional<std::string> ExecuteSelected(uint32_t target, const std::string& data);
  // Shows the selected plug-in's information; false when nothing is selected.
  bool ShowSelectedInfo();

  enum class InstallOutcome {
    Installed,  // an item was added and selected: refresh the list and the panel
    Declined    // the user kept the installed file, or the file is of the other
                // bitness and was refused with a message: change nothing, not even the panel
  };
  // `chosenFile` is the full path picked in the open dialog.
  InstallOutcome Install(const std::string& chosenFile);

  // Asks, then unloads the selected plug-in, deletes its file and removes the
  // item; true when the list changed (refresh the list and the panel).
  bool DeleteSelected();

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<PlugIn> plugIn;
  };
  size_t AddItem(std::unique_ptr<PlugIn> plugIn);
  size_t SortedPosition(const std::string& name);
  // The other bitness's message, or empty when the file may be loaded.
  std::string BitnessMismatch(const std::string& path);
  bool HasSelection() const {
    return m_selected >= 0 && static_cast<size_t>(m_selected) < m_items.size();
  }

  PluginSystem& m_system;
  PluginPrompts& m_prompts;
  std::string m_pluginFolder;
  std::string m_appTitle;
  std::vector<Entry> m_items;
  int m_selected = -1;
};
