#include "settings/RegistryStore.h"

#include <algorithm>
#include <vector>

RegistryStore::RegistryStore(RegistryAccess access) : m_readOnly(access == RegistryAccess::ReadOnly) {
  HKEY key = nullptr;
  if (m_readOnly) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMakerKeyPath, 0, KEY_READ, &key) == ERROR_SUCCESS) m_maker = key;
    return;
  }
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kMakerKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
    m_maker = key;
}

RegistryStore::~RegistryStore() {
  if (m_subkey) RegCloseKey(m_subkey);
  if (m_maker) RegCloseKey(m_maker);
}

// The restore reads most values from one subkey in a row; under Wine every
// open and close is a round trip to the server.
HKEY RegistryStore::SubkeyForReading(const std::string& subkey) {
  if (m_subkey && subkey == m_subkeyName) return m_subkey;
  if (m_subkey) RegCloseKey(m_subkey);
  m_subkey = nullptr;
  HKEY key = nullptr;
  if (!m_maker || RegOpenKeyExA(m_maker, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
  m_subkey = key;
  m_subkeyName = subkey;
  return key;
}

StoredValue RegistryStore::Read(const std::string& subkey, const std::string& name) {
  StoredValue result;
  HKEY key = SubkeyForReading(subkey);
  if (!key) return result;
  // Settings are short: one query usually does. A byte is kept spare for the
  // terminating zero that some writers omit.
  DWORD type = 0;
  std::vector<char> data(128, '\0');
  DWORD size = static_cast<DWORD>(data.size() - 1);
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  // The value may grow between two calls; ask again with the new size.
  while (status == ERROR_MORE_DATA) {
    size_t wanted = std::max<size_t>(size_t{size} + 1, data.size() * 2);
    data.assign(wanted, '\0');
    size = static_cast<DWORD>(data.size() - 1);
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status != ERROR_SUCCESS) return result;
  result.exists = true;
  result.type = type;
  result.data.assign(data.data(), size);
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    // Stored texts normally carry their terminating zero; some writers omit it.
    const size_t zero = result.data.find('\0');
    if (zero != std::string::npos) result.data.resize(zero);
  }
  return result;
}

StoreWrite RegistryStore::WriteString(const std::string& subkey, const std::string& name,
                                      const std::string& text) {
  if (m_readOnly) return StoreWrite::Ok;
  HKEY key = nullptr;
  if (!m_maker || RegCreateKeyExA(m_maker, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return StoreWrite::CreateKeyFailed;
  LONG status = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? StoreWrite::Ok : StoreWrite::SetDataFailed;
}
