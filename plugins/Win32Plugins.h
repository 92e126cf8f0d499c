#pragma once
// The Win32 side of the plug-in list: files and loading, the message boxes,
// and the list box that shows the list.
#include <windows.h>

#include "plugins/PluginManager.h"

class Win32PluginSystem : public PluginSystem {
 public:
  std::vector<std::string> FindPluginFiles(const std::string& folder) override;
  std::unique_ptr<PlugIn> Load(const std::string& path) override;  // a TPlugIn
  bool FileExists(const std::string& path) override;
  void CreateFolder(const std::string& folder) override;
  bool CopyFileOver(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  // As a sorted list box orders its items: case-insensitive, by the user's locale.
  int CompareNames(const std::string& a, const std::string& b) override;
  int FileBitness(const std::string& path) override;
  int ProgramBitness() override;
};

// MessageBoxA with the owners the commands want: questions owned by the main
// window, the plug-in information by the plug-in list box.
class MessageBoxPrompts : public PluginPrompts {
 public:
  explicit MessageBoxPrompts(HWND questionOwner = nullptr, HWND infoOwner = nullptr)
      : m_questionOwner(questionOwner), m_infoOwner(infoOwner) {}
  void SetOwners(HWND questionOwner, HWND infoOwner) {
    m_questionOwner = questionOwner;
    m_infoOwner = infoOwner;
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override;  // 0x24
  void ShowInformation(const std::string& caption, const std::string& text) override;  // 0x40

 private:
  HWND m_questionOwner;
  HWND m_infoOwner;
};

// Refills `listBox` with the manager's names in its order and selects its
// selected row (none for -1). Items go in with LB_INSERTSTRING, which keeps
// the given order even in an LBS_SORT list box, so rows and plug-ins always
// match by index.
void FillPluginList(HWND listBox, const PluginManager& manager);
