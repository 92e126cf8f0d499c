#include "support/Settings.h"

#include <gtest/gtest.h>

namespace {
const std::string kTarviskKey = "SOFTWARE\\Norvane\\Tarvisk";
}  // namespace

void DeleteRegistryTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteRegistryTree(key, name);
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

void ResetTarviskSettings() { DeleteRegistryTree(HKEY_CURRENT_USER, kTarviskKey); }

void PutTarviskSetting(const std::string& name, const std::string& value, const std::string& subkey) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kTarviskKey + subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

std::string TarviskSetting(const std::string& name, const std::string& subkey) {
  char buf[256] = {};
  DWORD size = sizeof buf - 1, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (kTarviskKey + subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<missing>";
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ ? buf : "<missing>";
}
