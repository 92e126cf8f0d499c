// The Modify page's "Plu&gins" group: the list of installed plug-ins kept by
// PluginManager, shown in lsbPlugins, and the commands on the selected one.
#include <windows.h>

#include <commctrl.h>

#include "modify/ModifyPage.h"
#include "modify/ModifyRules.h"
#include "platform/CodePages.h"
#include "plugins/Win32Plugins.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/MessageBoxes.h"

namespace {

// The group's controls are placed by their position in the group box.
constexpr int kGroupLeft = 12, kGroupTop = 172;

// The controls UpdatePluginPanel enables and disables, in its order.
constexpr int kPanelControls[] = {IDC_BTNPLUGINDELETE, IDC_BTNPLUGINABOUT, IDC_BTNPLUGINEXECUTE,
                                  IDC_LBLPLUGINHINT,   IDC_EDTPLUGINHINT,  IDC_LBLPLUGINDATA,
                                  IDC_EDTPLUGINDATA};

std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = n && text ? std::string(text, n) : "error " + std::to_string(error);
  if (text) LocalFree(text);
  return result;
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH * 2] = {};
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n && n < sizeof full ? std::string(full) : path;
}

}  // namespace

// The manager's questions and information go through the page's prompts, with
// the owners the commands want: the main window asks, the list box informs.
class ModifyPage::Bridge : public PluginPrompts {
 public:
  explicit Bridge(ModifyPage& page) : m_page(page) {}
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    return m_page.m_prompts->AskYesNo(m_page.m_host.Owner(), caption, text);
  }
  void ShowInformation(const std::string& caption, const std::string& text) override {
    m_page.m_prompts->ShowInformation(m_page.Control(IDC_LSBPLUGINS), caption, text);
  }

 private:
  ModifyPage& m_page;
};

// The system's files and loader, remembering a copy or deletion that did not
// happen: a user who asked to install or delete a plug-in learns of it.
class ModifyPage::ReportingSystem : public Win32PluginSystem {
 public:
  std::string failure;

  bool CopyFileOver(const std::string& from, const std::string& to) override {
    if (Win32PluginSystem::CopyFileOver(from, to)) return true;
    DWORD error = GetLastError();
    // Choosing the installed file itself leaves it in place: nothing failed.
    if (!SamePluginPath(FullPath(from), FullPath(to)))
      failure = PluginCopyFailedText(from, to, SystemErrorText(error));
    return false;
  }
  bool RemoveFile(const std::string& path) override {
    if (Win32PluginSystem::RemoveFile(path)) return true;
    DWORD error = GetLastError();
    // A file someone else removed already is gone, as the user wanted.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      failure = PluginDeleteFailedText(path, SystemErrorText(error));
    return false;
  }
};

ModifyPage::ModifyPage(ModifyHost& host)
    : m_host(host),
      m_bridge(std::make_unique<Bridge>(*this)),
      m_system(std::make_unique<ReportingSystem>()) {}

ModifyPage::~ModifyPage() {
  // The plug-ins go first, while the list they belong to still stands.
  m_plugins.reset();
  if (!m_sheet) return;
  for (int id : {IDC_EDTLEFT, IDC_EDTTOP, IDC_EDTWIDTH, IDC_EDTHEIGHT}) {
    HWND edit = Control(id);
    if (edit && IsWindow(edit)) RemoveWindowSubclass(edit, PositionEditProc, 1);
  }
}

void ModifyPage::CreatePluginsGroup() {
  const int gl = kGroupLeft, gt = kGroupTop;
  CreateControl(m_sheet, {ControlKind::GroupBox, IDC_GRBPLUGINS, "Plu&gins", gl, gt, 405, 213});
  // Sorted as the platform sorts; the rows go in at the manager's positions,
  // which follow the same order.
  HWND list = CreateWindowExA(
      WS_EX_CLIENTEDGE, "LISTBOX", "",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
          LBS_NOINTEGRALHEIGHT,
      gl + 16, gt + 24, 273, 89, m_sheet, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LSBPLUGINS)),
      GetModuleHandleA(nullptr), nullptr);
  SetControlHint(list, "|List of installed pluging", 81);

  const char* const hintHint = "|Detailed information about using of currently selected plugin";
  const char* const dataHint = "|Data passed to the currently selected plugin during executing";
  const char* const resultHint = "|Result of executing currenlty selected plugin";
  // Each row: kind, id, caption, left, top, width, height, hint, help context.
  CreateControls(m_sheet, {
      {ControlKind::Button, IDC_BTNPLUGINADD, "&Add...", gl + 300, gt + 24, 89, 25,
       "|Click this button to install new plugin", 84},
      {ControlKind::Button, IDC_BTNPLUGINDELETE, "&Delete", gl + 300, gt + 56, 89, 25,
       "|Click this button to delete currently selected plugin", 85},
      {ControlKind::Button, IDC_BTNPLUGINABOUT, "&More info...", gl + 300, gt + 88, 89, 25,
       "|Click this button to see more detailed information about currently selected plugin", 86},
      {ControlKind::Label, IDC_LBLPLUGINHINT, "H&int", gl + 16, gt + 126, 44, 14, hintHint, 82},
      {ControlKind::Edit, IDC_EDTPLUGINHINT, "", gl + 64, gt + 123, 225, 21, hintHint, 82},
      {ControlKind::Label, IDC_LBLPLUGINDATA, "&Data", gl + 16, gt + 152, 44, 14, dataHint, 83},
      {ControlKind::Edit, IDC_EDTPLUGINDATA, "", gl + 64, gt + 149, 225, 21, dataHint, 83},
      {ControlKind::Label, IDC_LBLPLUGINRESULT, "&Result", gl + 16, gt + 178, 44, 14, resultHint, 93},
      {ControlKind::Edit, IDC_EDTPLUGINRESULT, "", gl + 64, gt + 175, 225, 21, resultHint, 93},
      {ControlKind::Button, IDC_BTNPLUGINEXECUTE, "Exec&ute", gl + 300, gt + 172, 89, 25,
       "|Click this button to execute currently selected plugin", 87},
  });
  HWND hint = Control(IDC_EDTPLUGINHINT);
  SendMessageA(hint, EM_SETREADONLY, TRUE, 0);
  SetWindowLongA(hint, GWL_STYLE, GetWindowLongA(hint, GWL_STYLE) & ~WS_TABSTOP);
  SendMessageA(Control(IDC_EDTPLUGINRESULT), EM_SETREADONLY, TRUE, 0);
}

PluginManager& ModifyPage::EnsurePlugins() {
  if (!m_plugins)
    m_plugins = std::make_unique<PluginManager>(*m_system, *m_bridge, m_host.ProgramFolder(), kAppTitle);
  return *m_plugins;
}

void ModifyPage::ShowPluginList() {
  HWND list = Control(IDC_LSBPLUGINS);
  if (m_plugins && list) FillPluginList(list, *m_plugins);
}

void ModifyPage::ReportFileFailure() {
  if (m_system->failure.empty()) return;
  std::string text;
  text.swap(m_system->failure);
  m_prompts->ShowError(m_host.Owner(), text);
}

void ModifyPage::DiscoverPlugins() {
  m_plugins.reset();  // a second discovery starts from an empty list
  EnsurePlugins().Discover();
  ShowPluginList();
}

void ModifyPage::RestorePluginSelection(int index) {
  EnsurePlugins().RestoreSelection(index);
  SendMessageA(Control(IDC_LSBPLUGINS), LB_SETCURSEL, static_cast<WPARAM>(m_plugins->Selected()), 0);
  UpdatePluginPanel();
}

int ModifyPage::SelectedPlugin() const { return m_plugins ? m_plugins->Selected() : -1; }

int ModifyPage::PluginCount() const { return m_plugins ? static_cast<int>(m_plugins->Count()) : 0; }

void ModifyPage::UpdatePluginPanel() {
  PluginPanelState state = m_plugins ? m_plugins->PanelState(m_host.Probing()) : PluginPanelState{};
  SetWindowTextA(Control(IDC_EDTPLUGINHINT), state.hint.c_str());
  for (int id : kPanelControls) SetEnabled(Control(id), state.enabled);
}

void ModifyPage::ReleasePlugins() {
  if (m_plugins) m_plugins->Release();
  HWND list = Control(IDC_LSBPLUGINS);
  if (list) SendMessageA(list, LB_RESETCONTENT, 0, 0);
}

void ModifyPage::lsbPluginsClick() {
  EnsurePlugins().Select(static_cast<int>(SendMessageA(Control(IDC_LSBPLUGINS), LB_GETCURSEL, 0, 0)));
  UpdatePluginPanel();
}

void ModifyPage::btnPluginExecuteClick() {
  if (!m_plugins) return;
  std::optional<std::string> result =
      m_plugins->ExecuteSelected(m_host.CurrentTarget(), Utf8ToAnsi(WindowTextOf(Control(IDC_EDTPLUGINDATA))));
  if (!result) return;
  // The plug-in contract stays ANSI: its buffers are in the code page.
  SetControlText(Control(IDC_EDTPLUGINRESULT), AnsiToUtf8(*result));
  // The plug-in may have changed the window.
  m_host.RefreshInformation();
}

void ModifyPage::btnPluginAboutClick() {
  if (m_plugins) m_plugins->ShowSelectedInfo();
}

void ModifyPage::btnPluginAddClick() {
  std::string file;
  if (!m_prompts->ChoosePluginFile(m_host.Owner(), file)) {
    UpdatePluginPanel();
    return;
  }
  m_system->failure.clear();
  if (EnsurePlugins().Install(file) == PluginManager::InstallOutcome::Declined) return;
  ShowPluginList();
  UpdatePluginPanel();
  ReportFileFailure();
}

void ModifyPage::btnPluginDeleteClick() {
  if (!m_plugins) return;
  m_system->failure.clear();
  if (!m_plugins->DeleteSelected()) return;
  ShowPluginList();
  UpdatePluginPanel();
  ReportFileFailure();
}
