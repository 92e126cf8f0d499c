#include "exeinfo/VerInfo.h"

#include <windows.h>

#include <cstring>

#include "platform/OnDemandDlls.h"

TVersionInformation::TVersionInformation(const std::string& fileName) : m_fileName(fileName) {
  DWORD handle = 0;
  DWORD size = FileVersionInfoSize(fileName.c_str(), &handle);
  if (size == 0) return;
  std::unique_ptr<char[]> block(new char[size]());
  if (!FileVersionInfo(fileName.c_str(), handle, size, block.get())) return;
  m_block = std::move(block);
  m_blockSize = size;

  void* value = nullptr;
  UINT length = 0;
  char translation[] = "\\VarFileInfo\\Translation";
  // A table shorter than one entry has no first translation.
  if (VersionValue(m_block.get(), translation, &value, &length) && value &&
      length >= sizeof(DWORD)) {
    DWORD first;
    std::memcpy(&first, value, sizeof first);
    char prefix[32];
    wsprintfA(prefix, "\\StringFileInfo\\%04x%04x\\", static_cast<unsigned>(LOWORD(first)),
              static_cast<unsigned>(HIWORD(first)));
    m_prefix = prefix;
  }
}

std::string TVersionInformation::GetValue(const std::string& key) const {
  // Without a prefix the query would be the bare key, which names no string; a
  // key such as "\VarFileInfo\Translation" would even give binary data.
  if (!m_block || m_prefix.empty() || key.empty()) return std::string();
  std::string query = m_prefix + key;
  void* value = nullptr;
  UINT length = 0;
  if (!VersionValue(m_block.get(), &query[0], &value, &length) || !value || length == 0)
    return std::string();
  // The text ends at its zero; a damaged resource without one is cut at the end
  // of the block, or after the length the query reported when it lies elsewhere.
  const char* text = static_cast<const char*>(value);
  const char* end = m_block.get() + m_blockSize;
  if (text < m_block.get() || text >= end) end = text + length;
  const void* zero = std::memchr(text, 0, static_cast<size_t>(end - text));
  return std::string(text, zero ? static_cast<const char*>(zero) : end);
}
