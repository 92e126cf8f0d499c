#include "platform/OnDemandDlls.h"

#include <string>

namespace {

// Only from the system folder: plug-ins sit beside Tarvisk.exe, and a DLL of
// a system name there must not be picked up in place of the system's.
HMODULE SystemDll(const char* name) {
  char folder[MAX_PATH];
  UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryA(path.c_str());
}

template <typename Fn>
Fn Proc(const char* dll, const char* name) {
  HMODULE module = SystemDll(dll);
  if (!module) return nullptr;
  // Through void (*)(): the cast between function types is then a deliberate one.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool NamesOnlyTheProgram(const wchar_t* line) {
  const wchar_t* p = line;
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return *p == 0;
}

BOOL OpenFileDialog(OPENFILENAMEA* ofn) {
  static auto fn = Proc<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
  return fn ? fn(ofn) : FALSE;
}

BOOL SaveFileDialog(OPENFILENAMEA* ofn) {
  static auto fn = Proc<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetSaveFileNameA");
  return fn ? fn(ofn) : FALSE;
}

BOOL PrintDialog(PRINTDLGA* pd) {
  static auto fn = Proc<BOOL(WINAPI*)(PRINTDLGA*)>("comdlg32.dll", "PrintDlgA");
  return fn ? fn(pd) : FALSE;
}

void OpenWithShell(const char* file) {
  static auto fn = Proc<HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT)>("shell32.dll",
                                                                                    "ShellExecuteA");
  if (fn) fn(nullptr, "open", file, "", "", SW_SHOW);
}

LPWSTR* SplitCommandLine(const wchar_t* commandLine, int* count) {
  static auto fn = Proc<LPWSTR*(WINAPI*)(LPCWSTR, int*)>("shell32.dll", "CommandLineToArgvW");
  return fn ? fn(commandLine, count) : nullptr;
}

DWORD FileVersionInfoSize(const char* fileName, DWORD* handle) {
  static auto fn = Proc<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("version.dll", "GetFileVersionInfoSizeA");
  return fn ? fn(fileName, handle) : 0;
}

BOOL FileVersionInfo(const char* fileName, DWORD handle, DWORD size, void* data) {
  static auto fn = Proc<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>("version.dll", "GetFileVersionInfoA");
  return fn ? fn(fileName, handle, size, data) : FALSE;
}

BOOL VersionValue(const void* block, const char* subBlock, void** value, UINT* length) {
  static auto fn = Proc<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>("version.dll", "VerQueryValueA");
  return fn ? fn(block, subBlock, value, length) : FALSE;
}
