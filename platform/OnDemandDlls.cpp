#include "platform/OnDemandDlls.h"

#include "platform/SystemDlls.h"

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
  static auto fn = SystemFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
  return fn ? fn(ofn) : FALSE;
}

BOOL SaveFileDialog(OPENFILENAMEA* ofn) {
  static auto fn = SystemFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetSaveFileNameA");
  return fn ? fn(ofn) : FALSE;
}

BOOL PrintDialog(PRINTDLGA* pd) {
  static auto fn = SystemFunction<BOOL(WINAPI*)(PRINTDLGA*)>("comdlg32.dll", "PrintDlgA");
  return fn ? fn(pd) : FALSE;
}

void OpenWithShell(const char* file) {
  using Fn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static auto fn = SystemFunction<Fn>("shell32.dll", "ShellExecuteA");
  if (fn) fn(nullptr, "open", file, "", "", SW_SHOW);
}

LPWSTR* SplitCommandLine(const wchar_t* commandLine, int* count) {
  static auto fn = SystemFunction<LPWSTR*(WINAPI*)(LPCWSTR, int*)>("shell32.dll", "CommandLineToArgvW");
  return fn ? fn(commandLine, count) : nullptr;
}

DWORD FileVersionInfoSize(const char* fileName, DWORD* handle) {
  static auto fn = SystemFunction<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("version.dll", "GetFileVersionInfoSizeA");
  return fn ? fn(fileName, handle) : 0;
}

BOOL FileVersionInfo(const char* fileName, DWORD handle, DWORD size, void* data) {
  using Fn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  static auto fn = SystemFunction<Fn>("version.dll", "GetFileVersionInfoA");
  return fn ? fn(fileName, handle, size, data) : FALSE;
}

BOOL VersionValue(const void* block, const char* subBlock, void** value, UINT* length) {
  using Fn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
  static auto fn = SystemFunction<Fn>("version.dll", "VerQueryValueA");
  return fn ? fn(block, subBlock, value, length) : FALSE;
}
