#include "platform/SystemDlls.h"

#include <cstring>

HMODULE SystemDll(const char* name) {
  char path[MAX_PATH];
  const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  const size_t length = std::strlen(name);
  if (folder == 0 || folder + 1 + length >= MAX_PATH) return nullptr;
  path[folder] = '\\';
  std::memcpy(path + folder + 1, name, length + 1);
  // The DLL's own imports are then searched in its folder first, not in
  // Tarvisk's: a full path alone would still take them from beside Tarvisk.exe.
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC SystemProc(const char* dll, const char* function) {
  HMODULE module = SystemDll(dll);
  return module ? GetProcAddress(module, function) : nullptr;
}
