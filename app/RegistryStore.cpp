#include "app/RegistryStore.h"

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
  if (m_maker) RegCloseKey(m_maker);
}

StoredValue RegistryStore::Read(const std::string& subkey, const std::string& name) {
  StoredValue result;
  HKEY key = nullptr;
  if (!m_maker || RegOpenKeyExA(m_maker, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return result;
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<char> data;
  // The value may grow between the two calls; ask again with the new size.
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    data.assign(size + 1, '\0');
    DWORD got = size;
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_SUCCESS) {
      size = got;
      break;
    }
    if (status == ERROR_MORE_DATA) size = got > size ? got : size * 2 + 16;
  }
  RegCloseKey(key);
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
