#pragma once
// The Modify page: the "Properties" group shows the target window's place,
// size, text and states and applies every change the user makes to the live
// window at once; the "Plu&gins" group lists the installed plug-ins and runs,
// explains, installs and deletes them.
#include <windows.h>

#include <memory>
#include <string>

#include "modify/ModifyHost.h"
#include "plugins/PluginManager.h"
#include "ui/TabPage.h"

// Control identifiers of the page; a radio group's items follow its own id.
enum ModifyControlId {
  IDC_GRBPROPERTIES = 700,
  IDC_LBLLEFT = 701,
  IDC_EDTLEFT = 702,
  IDC_UDNLEFT = 703,
  IDC_LBLTOP = 704,
  IDC_EDTTOP = 705,
  IDC_UDNTOP = 706,
  IDC_LBLWIDTH = 707,
  IDC_EDTWIDTH = 708,
  IDC_UDNWIDTH = 709,
  IDC_LBLHEIGHT = 710,
  IDC_EDTHEIGHT = 711,
  IDC_UDNHEIGHT = 712,
  IDC_RGRSTATE = 720,  // items 721 "&Normal", 722 "Mi&nimized", 723 "Ma&ximized"
  IDC_CHBVISIBLE = 730,
  IDC_CHBENABLED = 731,
  IDC_CHBSTAYONTOP = 732,
  IDC_LBLWINDOWTEXT = 733,
  IDC_EDTWINDOWTEXT = 734,

  IDC_GRBPLUGINS = 750,
  IDC_LSBPLUGINS = 751,
  IDC_BTNPLUGINADD = 752,
  IDC_BTNPLUGINDELETE = 753,
  IDC_BTNPLUGINABOUT = 754,
  IDC_LBLPLUGINHINT = 755,
  IDC_EDTPLUGINHINT = 756,
  IDC_LBLPLUGINDATA = 757,
  IDC_EDTPLUGINDATA = 758,
  IDC_LBLPLUGINRESULT = 759,
  IDC_EDTPLUGINRESULT = 760,
  IDC_BTNPLUGINEXECUTE = 761,
};

// Sets the enabled state of every control placed directly in `container`, in
// their order, and of the controls of each one that holds windows of its own.
void EnableControlsTree(HWND container, bool enable);

// What the properties group shows of a target, read at one moment.
struct ModifyValues {
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::string text;
  int stateItem = 0;  // item of rgrState
  bool visible = false, enabled = false, topmost = false;
};

class ModifyPage : public TabPage {
 public:
  explicit ModifyPage(ModifyHost& host);
  ~ModifyPage() override;
  ModifyPage(const ModifyPage&) = delete;
  ModifyPage& operator=(const ModifyPage&) = delete;

  void StoreSettings(SettingsValues& values) const override;
  // Probing disables the whole page.
  void SetProbing(bool probing) override;
  // True while the controls are loaded from the target: their change
  // handlers then do not act on it.
  bool Filling() const { return m_filling; }
  HWND Control(int id) const { return GetDlgItem(m_sheet, id); }

  // Replaces the dialogs, message boxes and beep (tests); null restores the system's.
  void SetPrompts(ModifyPrompts* prompts) { m_prompts = prompts ? prompts : &m_systemPrompts; }

  // --- Properties ---
  // Loads the controls from `window` without acting on it; ModifyFilling is
  // set for the whole fill.
  void FillModifyPage(Hwnd window);
  // The two halves of FillModifyPage: reading the target, and loading the
  // controls from what was read.
  static ModifyValues GatherModifyValues(Hwnd window);
  void ShowModifyValues(const ModifyValues& values);
  // Enables or disables the whole page; the state group only for a target
  // without WS_CHILD. Ends with UpdatePluginPanel.
  void EnableModifyPage(bool enable);

  // Change handlers; each does nothing while probing or filling.
  void edtLeftChange();
  void rgrStateClick();
  void chbVisibleClick();
  void chbEnabledClick();
  void chbStayOnTopClick();
  void edtWindowTextChange();
  // The key filter of the four position and size edits (always active): false
  // when the character is refused (it then beeps).
  bool edtLeftKeyPress(char key);

  // --- Plug-ins ---
  // Start-up: loads every DLL of ProgramFolder + "Plugins\". Nothing is selected.
  void DiscoverPlugins();
  // The stored SelectedPlugin: selects that row when it is one of the list,
  // else none; then UpdatePluginPanel.
  void RestorePluginSelection(int index);
  int SelectedPlugin() const;  // -1 for none
  int PluginCount() const;
  // The hint of the selected plug-in and the enabled state of its commands.
  void UpdatePluginPanel();
  // Shutdown: frees every plug-in, first to last.
  void ReleasePlugins();
  // The list behind lsbPlugins; null before discovery.
  PluginManager* Plugins() { return m_plugins.get(); }

  void lsbPluginsClick();
  void btnPluginExecuteClick();
  void btnPluginAboutClick();
  void btnPluginAddClick();
  void btnPluginDeleteClick();

  bool OnCommand(int id, int code, HWND control) override;

 protected:
  // Builds both groups on the sheet in their design state: zeros, no text,
  // "&Normal", an empty plug-in list and its commands disabled.
  void MakeControls() override;
  void Show() override;

 private:
  class Bridge;
  class ReportingSystem;

  void CreatePropertiesGroup();
  void CreatePluginsGroup();
  void SetUpDown(int id, int32_t value);
  int UpDownPosition(int id) const;
  bool Passive() const { return m_host.Probing() || m_filling; }
  PluginManager& EnsurePlugins();
  void ShowPluginList();
  void ApplyEnabling();
  void ReportFileFailure();
  static LRESULT CALLBACK PositionEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR page);

  ModifyHost& m_host;
  ModifyPrompts m_systemPrompts;
  ModifyPrompts* m_prompts = &m_systemPrompts;
  std::unique_ptr<Bridge> m_bridge;
  std::unique_ptr<ReportingSystem> m_system;
  std::unique_ptr<PluginManager> m_plugins;

  bool m_filling = false;
  int m_stateItem = 0;  // the item of rgrState the last click or fill left checked
  // The last EnableModifyPage, with the style its target had then.
  struct {
    bool given = false, enable = true;
    uint32_t targetStyle = 0;
  } m_enabling;
};
