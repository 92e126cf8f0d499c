// TPlugIn and the plug-in list against real DLLs, files and folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <deque>

#include "plugins/PIClass.h"
#include "plugins/Win32Plugins.h"
#include "support/Files.h"
#include "support/Wait.h"

namespace {

const std::string kBoxesDll = BuildPath("Plugins/Boxes.dll");
const std::string kTestDll = BuildPath("testplugins/TestPlug.dll");
const std::string kNamesOnlyDll = BuildPath("testplugins/NamesOnly.dll");

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A program folder of its own under the temporary folder, removed with all it holds.
class TempFolder {
 public:
  TempFolder() {
    static int serial = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    m_path = std::string(base) + "tarvisk-plugins-" + std::to_string(GetCurrentProcessId()) +
             "-" + std::to_string(++serial) + "\\";
    CreateDirectoryA(m_path.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(m_path); }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Answers questions from a script so that no modal box waits for a user.
class ScriptedPrompts : public PluginPrompts {
 public:
  std::deque<bool> answers;
  std::vector<std::string> questions, shown;
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    questions.push_back(caption + "|" + text);
    bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void ShowInformation(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + "|" + text);
  }
};

const char kBoxesName[] = "List/combo box items copier";

}  // namespace

TEST(PluginHost, BoxesIsBoundByOrdinal) {
  TPlugIn boxes(kBoxesDll);
  ASSERT_NE(boxes.Handle(), nullptr);
  EXPECT_EQ(boxes.FileName(), kBoxesDll);
  EXPECT_EQ(boxes.ShortFileName(), "Boxes.dll");
  EXPECT_EQ(boxes.GetName(), kBoxesName);
  EXPECT_EQ(boxes.GetHint(), "Click Execute to copy items");
  std::string info = boxes.GetInfo();
  EXPECT_EQ(info.rfind(std::string(kBoxesName) + "\r", 0), 0u) << info;
  EXPECT_EQ(info.find('\n'), std::string::npos);

  // The ordinals the host binds are the functions of those names.
  const char* names[] = {"Name", "Hint", "Info", "Action"};
  for (int ordinal = 2; ordinal <= 5; ++ordinal)
    EXPECT_EQ(GetProcAddress(boxes.Handle(), MAKEINTRESOURCEA(ordinal)),
              GetProcAddress(boxes.Handle(), names[ordinal - 2]))
        << ordinal;

  std::string data = "ignored";
  EXPECT_EQ(boxes.Execute(0, data), ExecuteResult::Done);
  EXPECT_EQ(data, "Empty or invalid list/combo box");
}

TEST(PluginHost, ResultsAreReadFromTheLowByteAndNeverPastTheBuffer) {
  TPlugIn plugIn(kTestDll);
  ASSERT_NE(plugIn.Handle(), nullptr);
  EXPECT_EQ(plugIn.GetName(), "Test plug-in");
  EXPECT_EQ(plugIn.GetHint(), "");                    // 0xFFFFFF00: false
  EXPECT_EQ(plugIn.GetInfo(), std::string(255, 'I'));  // 255 bytes and no NUL

  std::string data = "fail-high";
  EXPECT_EQ(plugIn.Execute(1, data), ExecuteResult::PluginFailed);
  EXPECT_EQ(data, "fail-high");  // what the plug-in scribbled is not taken
  data = "true-high";
  EXPECT_EQ(plugIn.Execute(1, data), ExecuteResult::Done);
  EXPECT_EQ(data, "ok");
  data = "untouched";
  EXPECT_EQ(plugIn.Execute(1, data), ExecuteResult::Done);
  EXPECT_EQ(data, "untouched");
  data = "long";
  EXPECT_EQ(plugIn.Execute(1, data), ExecuteResult::Done);
  EXPECT_EQ(data, std::string(254, 'L'));
  data = "overfill";
  EXPECT_EQ(plugIn.Execute(1, data), ExecuteResult::Done);
  EXPECT_EQ(data, std::string(256, 'F'));

  // Data longer than the buffer is cut; the target and size arrive as given.
  data = std::string(300, 'd');
  EXPECT_EQ(plugIn.Execute(77, data), ExecuteResult::Done);
  EXPECT_EQ(data, "wnd=77 len=255 size=255");
}

TEST(PluginHost, FilesThatDoNotLoadGiveEntriesWithDefaults) {
  TempFolder folder;
  WriteBytes(folder.Path() + "garbage.dll", std::string("MZ\x90\0garbage that is no image", 30));
  WriteBytes(folder.Path() + "zero.dll", "");
  CreateDirectoryA((folder.Path() + "x.dll").c_str(), nullptr);

  for (const char* name : {"garbage.dll", "zero.dll", "x.dll", "missing.dll"}) {
    TPlugIn plugIn(folder.Path() + name);
    EXPECT_EQ(plugIn.Handle(), nullptr) << name;
    EXPECT_EQ(plugIn.GetName(), name);
    EXPECT_EQ(plugIn.GetHint(), "");
    EXPECT_EQ(plugIn.GetInfo(), "No additional information");
    std::string data = "kept";
    EXPECT_EQ(plugIn.Execute(0, data), ExecuteResult::ActionNotFound);
    EXPECT_EQ(data, "kept");
  }

  // Exported by name but not at ordinals 2 to 5: the host does not find them.
  TPlugIn namesOnly(kNamesOnlyDll);
  ASSERT_NE(namesOnly.Handle(), nullptr);
  EXPECT_EQ(namesOnly.GetName(), "NamesOnly.dll");
  EXPECT_EQ(namesOnly.GetInfo(), "No additional information");
  std::string data = "x";
  EXPECT_EQ(namesOnly.Execute(0, data), ExecuteResult::ActionNotFound);
}

TEST(PluginList, DiscoveryListsEveryEntryOfThePluginFolder) {
  TempFolder program;
  Win32PluginSystem system;
  ScriptedPrompts prompts;
  {
    PluginManager missing(system, prompts, program.Path(), "Tarvisk");
    missing.Discover();
    EXPECT_EQ(missing.Count(), 0u);
  }

  std::string plugins = program.Path() + "Plugins\\";
  CreateDirectoryA(plugins.c_str(), nullptr);
  CopyFileA(kBoxesDll.c_str(), (plugins + "Boxes.dll").c_str(), FALSE);
  CopyFileA(kTestDll.c_str(), (plugins + "TestPlug.dll").c_str(), FALSE);
  WriteBytes(plugins + "garbage.dll", "not a library at all");
  WriteBytes(plugins + "zero.dll", "");
  WriteBytes(plugins + "notes.txt", "not listed");
  CreateDirectoryA((plugins + "x.dll").c_str(), nullptr);

  PluginManager manager(system, prompts, program.Path(), "Tarvisk");
  EXPECT_EQ(manager.PluginFolder(), plugins);
  manager.Discover();
  EXPECT_EQ(manager.Names(), (std::vector<std::string>{"garbage.dll", kBoxesName, "Test plug-in",
                                                       "x.dll", "zero.dll"}));
  manager.RestoreSelection(3);  // x.dll, the folder
  EXPECT_EQ(manager.ExecuteSelected(0, "data"), "Action function not found");
  manager.RestoreSelection(2);
  EXPECT_EQ(manager.ExecuteSelected(0, "fail-high"), "Internal plugin error");
  EXPECT_EQ(manager.PanelState(false).hint, "");
  manager.RestoreSelection(1);
  PluginPanelState panel = manager.PanelState(false);
  EXPECT_TRUE(panel.enabled);
  EXPECT_EQ(panel.hint, "Click Execute to copy items");
  EXPECT_EQ(manager.ExecuteSelected(0, ""), "Empty or invalid list/combo box");

  // The rows of a sorted list box filled from the manager match it by index.
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 200,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  FillPluginList(list, manager);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) {
    char text[64] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(manager.Name(i), text);
  }
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  DestroyWindow(list);
}

TEST(PluginList, OrdersNamesAsASortedListBoxDoes) {
  Win32PluginSystem system;
  std::vector<std::string> names = {"beta", "Alpha", "alpha", "_under", "10", "9", "Zeta",
                                    "zebra", "a b", "ab", "B"};
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 200,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  for (const std::string& name : names)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  std::vector<std::string> sorted = names;
  std::stable_sort(sorted.begin(), sorted.end(), [&](const std::string& a, const std::string& b) {
    return system.CompareNames(a, b) < 0;
  });
  for (size_t i = 0; i < sorted.size(); ++i) {
    char text[64] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    // Names that differ only in case may stand either way round.
    EXPECT_EQ(system.CompareNames(sorted[i], text), 0) << i << " " << sorted[i] << " " << text;
  }
  DestroyWindow(list);
}

TEST(PluginList, InstallAndDeleteRoundTrip) {
  TempFolder program;
  Win32PluginSystem system;
  ScriptedPrompts prompts;
  PluginManager manager(system, prompts, program.Path() + "deeper\\", "Tarvisk");
  manager.Discover();
  std::string installed = program.Path() + "deeper\\Plugins\\Boxes.dll";

  // The folder is created with its missing parent.
  EXPECT_EQ(manager.Install(kBoxesDll), PluginManager::InstallOutcome::Installed);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_TRUE(Exists(installed));
  EXPECT_EQ(manager.Names(), (std::vector<std::string>{kBoxesName}));
  EXPECT_EQ(manager.Selected(), 0);
  EXPECT_NE(static_cast<TPlugIn&>(manager.Item(0)).Handle(), nullptr);

  prompts.answers = {false};
  EXPECT_EQ(manager.Install(kBoxesDll), PluginManager::InstallOutcome::Declined);
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0], "Tarvisk|Plugin file \"" + kBoxesDll + "\" already installed.");
  EXPECT_EQ(manager.Count(), 1u);

  prompts.answers = {true};
  EXPECT_EQ(manager.Install(kBoxesDll), PluginManager::InstallOutcome::Installed);
  EXPECT_EQ(manager.Count(), 2u);

  // Picking a file of the plug-in folder itself must not harm it.
  std::string inFolder = program.Path() + "deeper\\Plugins\\copy.dll";
  CopyFileA(kTestDll.c_str(), inFolder.c_str(), FALSE);
  prompts.answers = {true};
  EXPECT_EQ(manager.Install(inFolder), PluginManager::InstallOutcome::Installed);
  EXPECT_EQ(manager.Names(), (std::vector<std::string>{kBoxesName, kBoxesName, "Test plug-in"}));
  EXPECT_EQ(manager.Selected(), 2);
  EXPECT_EQ(manager.ExecuteSelected(5, "true-high"), "ok");
  prompts.answers = {true};
  EXPECT_TRUE(manager.DeleteSelected());
  EXPECT_FALSE(Exists(inFolder));
  EXPECT_EQ(manager.Selected(), 1);

  manager.Select(1);
  EXPECT_TRUE(manager.ShowSelectedInfo());
  EXPECT_EQ(prompts.shown.back().rfind("Tarvisk Plugin Information|", 0), 0u);
  EXPECT_NE(prompts.shown.back().find("\rFile name: Boxes.dll"), std::string::npos);

  prompts.answers = {false};
  EXPECT_FALSE(manager.DeleteSelected());
  EXPECT_EQ(prompts.questions.back(),
            "Tarvisk|Plugin \"Boxes.dll\" will be deleted from Tarvisk plugins folder.\rContinue?");
  prompts.answers = {true, true};
  EXPECT_TRUE(manager.DeleteSelected());
  EXPECT_EQ(manager.Selected(), 0);
  EXPECT_TRUE(manager.DeleteSelected());
  EXPECT_EQ(manager.Selected(), -1);
  EXPECT_EQ(manager.Count(), 0u);
  // With both loads released, the file is gone.
  EXPECT_FALSE(Exists(installed));
  EXPECT_EQ(GetModuleHandleA(installed.c_str()), nullptr);
}
