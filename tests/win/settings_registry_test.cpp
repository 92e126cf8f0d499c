#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/RegistryStore.h"
#include "settings/Settings.h"

namespace {

const char* const kTitle = "TarviskTest";
const std::string kFullKey = std::string(kMakerKeyPath) + "\\" + kTitle;

// Removes the test's settings key with its column subkeys (one level deep),
// and the maker key too when the test created it and it is left empty.
void DeleteSettingsKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kFullKey.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char name[256];
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS)
      if (RegDeleteKeyA(key, name) != ERROR_SUCCESS) break;
    RegCloseKey(key);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kFullKey.c_str());
}

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// A value as another program reads it: its type and its raw bytes.
bool RawValue(const std::string& subkey, const char* name, DWORD& type, std::string& bytes) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kMakerKeyPath) + "\\" + subkey).c_str(), 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  char data[512];
  DWORD size = sizeof data;
  LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  bytes.assign(data, size);
  return true;
}

class SettingsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    m_makerExisted = KeyExists(kMakerKeyPath);
    DeleteSettingsKey();
    m_context.title = kTitle;
    m_context.programPath = "C:\\Program Files\\Tarvisk\\Tarvisk.exe";
    m_context.pluginCount = 2;
  }
  void TearDown() override {
    DeleteSettingsKey();
    EXPECT_FALSE(KeyExists(kFullKey));
    if (!m_makerExisted) RegDeleteKeyA(HKEY_CURRENT_USER, kMakerKeyPath);
  }

  bool m_makerExisted = false;
  SettingsContext m_context;
};

}  // namespace

TEST_F(SettingsRegistry, RoundTripsThroughTheRegistryAsText) {
  SettingsValues saved;
  saved.hideNag = true;
  saved.left = -40;
  saved.top = 60;
  saved.flashTarget = true;
  saved.integerFormat = 2;
  saved.startStopHotKey = 0x4091;
  saved.sortColumn = 3;
  saved.columns.digger = {{30, 70, 110, 120}};
  saved.zoom = 4;
  saved.page = 7;
  saved.selectedPlugin = 1;
  {
    RegistryStore store;
    ASSERT_TRUE(store.IsOpen());
    EXPECT_EQ(SaveSettings(store, m_context, saved), "");
  }

  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(RawValue(kTitle, "Left", type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, std::string("-40\0", 4));  // with its terminating zero
  ASSERT_TRUE(RawValue(kTitle, "HideNag", type, bytes));
  EXPECT_EQ(bytes, std::string("1\0", 2));
  ASSERT_TRUE(RawValue(std::string(kTitle) + "\\DiggerColumns", "2", type, bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, std::string("110\0", 4));

  SettingsValues loaded;
  {
    RegistryStore store;
    LoadSettingsResult r = LoadSettings(store, m_context, loaded);
    EXPECT_TRUE(r.Complete()) << r.error;
  }
  EXPECT_TRUE(loaded.hideNag && loaded.flashTarget);
  EXPECT_EQ(loaded.left, -40);
  EXPECT_EQ(loaded.top, 60);
  EXPECT_EQ(loaded.integerFormat, 2);
  EXPECT_EQ(loaded.startStopHotKey, 0x4091);
  EXPECT_EQ(loaded.sortColumn, 3);
  EXPECT_EQ(loaded.columns.digger, saved.columns.digger);
  EXPECT_EQ(loaded.zoom, 4);
  EXPECT_EQ(loaded.page, 7);
  EXPECT_EQ(loaded.selectedPlugin, 1);
  ASSERT_TRUE(RawValue(kTitle, "@Version", type, bytes));
  EXPECT_EQ(bytes, std::string("5.2\0", 4));
  ASSERT_TRUE(RawValue(kTitle, "@Path", type, bytes));
  EXPECT_EQ(bytes, m_context.programPath + std::string(1, '\0'));
}

TEST_F(SettingsRegistry, MissingKeyGivesDefaultsAndADwordStopsTheRestore) {
  SettingsValues first;
  first.digChildren = false;
  {
    RegistryStore store;
    EXPECT_TRUE(LoadSettings(store, m_context, first).Complete());
  }
  EXPECT_TRUE(first.digChildren);
  EXPECT_EQ(first.page, 11);

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kFullKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD left = 500;
  RegSetValueExA(key, "Left", 0, REG_DWORD, reinterpret_cast<BYTE*>(&left), sizeof left);
  // A text stored without its terminating zero still reads whole.
  RegSetValueExA(key, "HideNag", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 1);
  RegSetValueExA(key, "Page", 0, REG_SZ, reinterpret_cast<const BYTE*>("3"), 2);
  RegCloseKey(key);

  SettingsValues design;
  design.left = 314;
  design.page = 11;
  {
    RegistryStore store;
    LoadSettingsResult r = LoadSettings(store, m_context, design);
    EXPECT_EQ(r.stoppedAt, SettingsStep::Left);
    EXPECT_EQ(r.error, "Invalid data type for 'Left'");
  }
  EXPECT_TRUE(design.hideNag);
  EXPECT_EQ(design.left, 314);
  EXPECT_EQ(design.page, 11);
}
