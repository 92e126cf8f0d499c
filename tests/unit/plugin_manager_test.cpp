#include <gtest/gtest.h>

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "plugins/PluginManager.h"

namespace {

// Everything the fakes do, in order, so tests can check what happened when.
using Log = std::vector<std::string>;

struct FakeBehaviour {
  std::string name, hint = "hint", info = "info";
  ExecuteResult result = ExecuteResult::Done;
  std::string resultText = "result";
};

class FakePlugIn : public PlugIn {
 public:
  FakePlugIn(std::string path, FakeBehaviour behaviour, Log& log)
      : m_path(std::move(path)), m_b(std::move(behaviour)), m_log(log) {}
  ~FakePlugIn() override { m_log.push_back("unload " + m_path); }
  std::string ShortFileName() const override { return ShortFileNameOf(m_path); }
  std::string GetName() override {
    m_log.push_back("name " + m_path);
    return m_b.name.empty() ? ShortFileName() : m_b.name;
  }
  std::string GetHint() override {
    m_log.push_back("hint " + m_path);
    return m_b.hint;
  }
  std::string GetInfo() override { return m_b.info; }
  ExecuteResult Execute(uint32_t wnd, std::string& data) override {
    m_log.push_back("execute " + std::to_string(wnd) + " " + data);
    if (m_b.result == ExecuteResult::Done) data = m_b.resultText;
    return m_b.result;
  }

 private:
  std::string m_path;
  FakeBehaviour m_b;
  Log& m_log;
};

class FakeSystem : public PluginSystem {
 public:
  explicit FakeSystem(Log& log) : m_log(log) {}
  std::vector<std::string> order;             // entries in file-system order
  std::map<std::string, FakeBehaviour> dlls;  // by full path
  std::set<std::string> folders;
  bool copyFails = false;

  std::vector<std::string> FindPluginFiles(const std::string& folder) override {
    m_log.push_back("find " + folder);
    return folders.count(folder) ? order : std::vector<std::string>{};
  }
  std::unique_ptr<PlugIn> Load(const std::string& path) override {
    m_log.push_back("load " + path);
    return std::make_unique<FakePlugIn>(path, dlls[path], m_log);
  }
  bool FileExists(const std::string& path) override { return dlls.count(path) != 0; }
  void CreateFolder(const std::string& folder) override {
    m_log.push_back("mkdir " + folder);
    folders.insert(folder);
  }
  bool CopyFileOver(const std::string& from, const std::string& to) override {
    m_log.push_back("copy " + from + " " + to);
    if (copyFails) return false;
    dlls[to] = dlls[from];
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    m_log.push_back("delete " + path);
    return dlls.erase(path) != 0;
  }
  int CompareNames(const std::string& a, const std::string& b) override {
    return strcasecmp(a.c_str(), b.c_str());
  }
  std::map<std::string, int> bitness;  // by full path; absent: the file cannot tell
  int programBits = 32;
  int FileBitness(const std::string& path) override {
    auto it = bitness.find(path);
    return it == bitness.end() ? 0 : it->second;
  }
  int ProgramBitness() override { return programBits; }

 private:
  Log& m_log;
};

class FakePrompts : public PluginPrompts {
 public:
  bool answer = true;
  std::vector<std::pair<std::string, std::string>> asked, shown;
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    asked.emplace_back(caption, text);
    return answer;
  }
  void ShowInformation(const std::string& caption, const std::string& text) override {
    shown.emplace_back(caption, text);
  }
};

const std::string kFolder = "C:\\App\\Plugins\\";

class PluginManagerTest : public ::testing::Test {
 protected:
  Log log;
  FakeSystem system{log};
  FakePrompts prompts;
  std::unique_ptr<PluginManager> manager;

  // Files in the plug-in folder, in file-system order, with display names.
  void Install(std::vector<std::pair<std::string, std::string>> files) {
    system.folders.insert(kFolder);
    for (auto& [file, name] : files) {
      system.order.push_back(file);
      system.dlls[kFolder + file].name = name;
    }
  }
  void Start() {
    manager = std::make_unique<PluginManager>(system, prompts, "C:\\App\\", "Tarvisk");
    manager->Discover();
  }
  size_t Count(const std::string& entry) { return std::count(log.begin(), log.end(), entry); }
};

}  // namespace

TEST(PluginRules, BufferTextStopsAtTheFirstNulOrTheBufferEnd) {
  char buffer[PI_BUFFER_SIZE];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(PluginBufferText(buffer), std::string(256, 'x'));
  buffer[3] = '\0';
  EXPECT_EQ(PluginBufferText(buffer), "xxx");

  PutPluginBufferText(buffer, std::string(300, 'd'));
  EXPECT_EQ(PluginBufferText(buffer), std::string(255, 'd'));
  EXPECT_EQ(buffer[255], '\0');
  PutPluginBufferText(buffer, "abc");
  EXPECT_EQ(PluginBufferText(buffer), "abc");
  EXPECT_EQ(buffer[200], '\0');  // no stale bytes from the earlier text
}

TEST(PluginRules, ResultsFileNamesAndTexts) {
  EXPECT_FALSE(PluginResultIsTrue(0xFFFFFF00u));
  EXPECT_TRUE(PluginResultIsTrue(0xFFFFFF01u));
  EXPECT_TRUE(PluginResultIsTrue(0x80u));
  EXPECT_FALSE(PluginResultIsTrue(0));

  EXPECT_EQ(ShortFileNameOf("C:\\App\\Plugins\\Boxes.dll"), "Boxes.dll");
  EXPECT_EQ(ShortFileNameOf("C:Boxes.dll"), "Boxes.dll");
  EXPECT_EQ(ShortFileNameOf("Boxes.dll"), "Boxes.dll");
  EXPECT_EQ(ShortFileNameOf("C:\\App\\"), "");

  EXPECT_EQ(ExecuteResultText(ExecuteResult::Done, "copied"), "copied");
  EXPECT_EQ(ExecuteResultText(ExecuteResult::ActionNotFound, "x"), "Action function not found");
  EXPECT_EQ(ExecuteResultText(ExecuteResult::PluginFailed, "x"), "Internal plugin error");

  EXPECT_EQ(PluginInfoCaption("Tarvisk"), "Tarvisk Plugin Information");
  EXPECT_EQ(PluginInfoText("About it", "a.dll"), "About it\rFile name: a.dll");
  EXPECT_EQ(PluginOverwriteQuestion("D:\\x\\a.dll"),
            "Plugin file \"D:\\x\\a.dll\" already installed.");
  EXPECT_EQ(PluginDeleteQuestion("a.dll", "Tarvisk"),
            "Plugin \"a.dll\" will be deleted from Tarvisk plugins folder.\rContinue?");
}

TEST_F(PluginManagerTest, DiscoveryListsEveryFileSortedByNameWithNothingSelected) {
  Install({{"z.dll", "zeta"}, {"b.dll", ""}, {"a.dll", "Alpha"}, {"m.dll", "beta"}});
  Start();
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"Alpha", "b.dll", "beta", "zeta"}));
  EXPECT_EQ(manager->Selected(), -1);
  EXPECT_EQ(log.front(), "find " + kFolder);
  EXPECT_EQ(Count("name " + kFolder + "z.dll"), 1u);
  PluginPanelState panel = manager->PanelState(false);
  EXPECT_FALSE(panel.enabled);
  EXPECT_EQ(panel.hint, "");
  EXPECT_EQ(Count("hint " + kFolder + "a.dll"), 0u);
}

TEST_F(PluginManagerTest, MissingFolderGivesAnEmptyListAndNothingToRun) {
  Start();
  EXPECT_EQ(manager->Count(), 0u);
  manager->RestoreSelection(0);
  EXPECT_EQ(manager->Selected(), -1);
  EXPECT_FALSE(manager->PanelState(false).enabled);
  EXPECT_FALSE(manager->ExecuteSelected(1, "data").has_value());
  EXPECT_FALSE(manager->ShowSelectedInfo());
  EXPECT_FALSE(manager->DeleteSelected());
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(PluginManagerTest, RestoredSelectionMustBeAnIndexOfTheList) {
  Install({{"a.dll", "a"}, {"b.dll", "b"}});
  Start();
  manager->RestoreSelection(1);
  EXPECT_EQ(manager->Selected(), 1);
  manager->RestoreSelection(2);
  EXPECT_EQ(manager->Selected(), -1);
  manager->RestoreSelection(7);
  EXPECT_EQ(manager->Selected(), -1);
  manager->RestoreSelection(-1);
  EXPECT_EQ(manager->Selected(), -1);
}

TEST_F(PluginManagerTest, PanelReadsTheHintEveryTimeAndEnablesOnlyWhileIdle) {
  Install({{"a.dll", "a"}});
  system.dlls[kFolder + "a.dll"].hint = "Click to run";
  Start();
  manager->Select(0);
  PluginPanelState idle = manager->PanelState(false);
  EXPECT_TRUE(idle.enabled);
  EXPECT_EQ(idle.hint, "Click to run");
  PluginPanelState probing = manager->PanelState(true);
  EXPECT_FALSE(probing.enabled);
  EXPECT_EQ(probing.hint, "Click to run");
  EXPECT_EQ(Count("hint " + kFolder + "a.dll"), 2u);
  manager->Select(5);
  EXPECT_EQ(manager->Selected(), -1);
}

TEST_F(PluginManagerTest, ExecuteShowsTheResultOrTheFailureText) {
  Install({{"a.dll", "a"}, {"b.dll", "b"}, {"c.dll", "c"}});
  system.dlls[kFolder + "b.dll"].result = ExecuteResult::ActionNotFound;
  system.dlls[kFolder + "c.dll"].result = ExecuteResult::PluginFailed;
  Start();
  EXPECT_FALSE(manager->ExecuteSelected(42, "data").has_value());
  manager->Select(0);
  EXPECT_EQ(manager->ExecuteSelected(0, "my data"), "result");
  EXPECT_EQ(log.back(), "execute 0 my data");
  manager->Select(1);
  EXPECT_EQ(manager->ExecuteSelected(42, "d"), "Action function not found");
  manager->Select(2);
  EXPECT_EQ(manager->ExecuteSelected(42, "d"), "Internal plugin error");
}

TEST_F(PluginManagerTest, InfoBoxNamesThePluginFile) {
  Install({{"a.dll", "a"}});
  system.dlls[kFolder + "a.dll"].info = "Does a thing";
  Start();
  manager->Select(0);
  EXPECT_TRUE(manager->ShowSelectedInfo());
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].first, "Tarvisk Plugin Information");
  EXPECT_EQ(prompts.shown[0].second, "Does a thing\rFile name: a.dll");
}

TEST_F(PluginManagerTest, InstallCopiesIntoANewFolderAndSelectsTheSortedItem) {
  system.dlls["D:\\dl\\new.dll"].name = "Middle";
  system.dlls["D:\\dl\\first.dll"].name = "alpha";
  Start();  // no plug-in folder yet
  EXPECT_EQ(manager->Install("D:\\dl\\new.dll"), PluginManager::InstallOutcome::Installed);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Count("mkdir " + kFolder), 1u);
  EXPECT_EQ(Count("copy D:\\dl\\new.dll " + kFolder + "new.dll"), 1u);
  EXPECT_EQ(manager->Selected(), 0);

  EXPECT_EQ(manager->Install("D:\\dl\\first.dll"), PluginManager::InstallOutcome::Installed);
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"alpha", "Middle"}));
  EXPECT_EQ(manager->Selected(), 0);
  EXPECT_EQ(manager->ExecuteSelected(0, "").value(), "result");
  EXPECT_EQ(log.back(), "execute 0 ");
  manager->Select(1);
  manager->ShowSelectedInfo();
  EXPECT_EQ(prompts.shown.back().second, "info\rFile name: new.dll");
}

TEST_F(PluginManagerTest, InstallOverAnInstalledFileAsksAndAddsASecondItem) {
  Install({{"a.dll", "Alpha"}, {"b.dll", "Beta"}});
  system.dlls["D:\\dl\\b.dll"].name = "Beta";
  Start();
  manager->Select(0);

  prompts.answer = false;
  EXPECT_EQ(manager->Install("D:\\dl\\b.dll"), PluginManager::InstallOutcome::Declined);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].first, "Tarvisk");
  EXPECT_EQ(prompts.asked[0].second, "Plugin file \"D:\\dl\\b.dll\" already installed.");
  EXPECT_EQ(Count("copy D:\\dl\\b.dll " + kFolder + "b.dll"), 0u);
  EXPECT_EQ(manager->Count(), 2u);
  EXPECT_EQ(manager->Selected(), 0);

  // The copy over a loaded DLL fails; the new item loads what is there.
  prompts.answer = true;
  system.copyFails = true;
  EXPECT_EQ(manager->Install("D:\\dl\\b.dll"), PluginManager::InstallOutcome::Installed);
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"Alpha", "Beta", "Beta"}));
  EXPECT_EQ(manager->Selected(), 1);
  EXPECT_EQ(Count("load " + kFolder + "b.dll"), 2u);
}

TEST_F(PluginManagerTest, DeleteUnloadsBeforeDeletingAndKeepsASensibleSelection) {
  Install({{"a.dll", "a"}, {"b.dll", "b"}, {"c.dll", "c"}});
  Start();
  manager->Select(1);
  prompts.answer = false;
  EXPECT_FALSE(manager->DeleteSelected());
  EXPECT_EQ(prompts.asked.back().second,
            "Plugin \"b.dll\" will be deleted from Tarvisk plugins folder.\rContinue?");
  EXPECT_EQ(manager->Count(), 3u);

  prompts.answer = true;
  EXPECT_TRUE(manager->DeleteSelected());
  auto unload = std::find(log.begin(), log.end(), "unload " + kFolder + "b.dll");
  auto erase = std::find(log.begin(), log.end(), "delete " + kFolder + "b.dll");
  ASSERT_NE(unload, log.end());
  EXPECT_LT(unload, erase);
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(manager->Selected(), 1);  // the same index: now "c"

  EXPECT_TRUE(manager->DeleteSelected());  // the last item: the new last is selected
  EXPECT_EQ(manager->Selected(), 0);
  EXPECT_TRUE(manager->DeleteSelected());  // the only item: nothing left to select
  EXPECT_EQ(manager->Selected(), -1);
  EXPECT_FALSE(manager->PanelState(false).enabled);
}

TEST_F(PluginManagerTest, ReleaseUnloadsInListOrder) {
  Install({{"c.dll", "c"}, {"a.dll", "a"}, {"b.dll", "b"}});
  Start();
  log.clear();
  manager->Release();
  EXPECT_EQ(log, (Log{"unload " + kFolder + "a.dll", "unload " + kFolder + "b.dll",
                      "unload " + kFolder + "c.dll"}));
  EXPECT_EQ(manager->Count(), 0u);
  manager.reset();  // nothing is released twice
  EXPECT_EQ(log.size(), 3u);
}

// A plug-in of the other bitness can never load: discovery passes over it and
// installing it says why instead of adding an item that does nothing.
TEST_F(PluginManagerTest, PluginsOfTheOtherBitnessAreSkippedAndRefused) {
  system.programBits = 64;
  Install({{"old32.dll", "Old"}, {"new64.dll", "New"}, {"odd.dll", "Odd"}});
  system.bitness[kFolder + "old32.dll"] = 32;
  system.bitness[kFolder + "new64.dll"] = 64;
  Start();
  EXPECT_EQ(manager->Names(), (std::vector<std::string>{"New", "Odd"}));
  EXPECT_EQ(Count("load " + kFolder + "old32.dll"), 0u);

  system.dlls["D:\\dl\\Boxes.dll"].name = "Boxes";
  system.bitness["D:\\dl\\Boxes.dll"] = 32;
  EXPECT_EQ(manager->Install("D:\\dl\\Boxes.dll"), PluginManager::InstallOutcome::Declined);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].second, "Boxes.dll is a 32-bit plug-in; this Tarvisk is 64-bit.");
  EXPECT_EQ(Count("copy D:\\dl\\Boxes.dll " + kFolder + "Boxes.dll"), 0u);
  EXPECT_EQ(manager->Count(), 2u);
}

TEST(PluginRules, ImageBitnessReadsTheMachineOfThePeHeader) {
  std::vector<unsigned char> image(0x100, 0);
  image[0] = 'M', image[1] = 'Z', image[0x3C] = 0x80;
  image[0x80] = 'P', image[0x81] = 'E';
  image[0x84] = 0x4C, image[0x85] = 0x01;
  EXPECT_EQ(ImageBitness(image.data(), image.size()), 32);
  image[0x84] = 0x64, image[0x85] = 0x86;
  EXPECT_EQ(ImageBitness(image.data(), image.size()), 64);
  EXPECT_EQ(ImageBitness(image.data(), 0x84), 0);  // header cut short
  image[0x3C] = 0xFF, image[0x3D] = 0xFF, image[0x3E] = 0xFF, image[0x3F] = 0xFF;
  EXPECT_EQ(ImageBitness(image.data(), image.size()), 0);  // points far beyond the file
  EXPECT_EQ(ImageBitness(image.data(), 10), 0);
}
