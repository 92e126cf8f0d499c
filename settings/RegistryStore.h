#pragma once
// The settings store over the current user's registry hive: values live under
// HKEY_CURRENT_USER\SOFTWARE\Norvane\<subkey>. Open it for one pass (the
// restore or the writing) and let it go; the maker key stays open meanwhile.
#include <windows.h>

#include "settings/Settings.h"

constexpr const char* kMakerKeyPath = "SOFTWARE\\Norvane";

enum class RegistryAccess {
  ReadWrite,
  // Reads what is stored and writes nothing: the key is not created, and the
  // writes that a restore makes (the descriptive values) are dropped.
  ReadOnly,
};

class RegistryStore : public SettingsStore {
 public:
  // Opens the maker key, creating it when missing, with full access. When
  // that fails every read finds nothing and every write fails.
  explicit RegistryStore(RegistryAccess access = RegistryAccess::ReadWrite);
  ~RegistryStore() override;
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  StoredValue Read(const std::string& subkey, const std::string& name) override;
  StoreWrite WriteString(const std::string& subkey, const std::string& name,
                         const std::string& text) override;

  bool IsOpen() const { return m_maker != nullptr; }

 private:
  HKEY SubkeyForReading(const std::string& subkey);
  HKEY m_maker = nullptr;
  HKEY m_subkey = nullptr;  // the subkey the last read opened, kept for the next
  std::string m_subkeyName;
  bool m_readOnly = false;
};
