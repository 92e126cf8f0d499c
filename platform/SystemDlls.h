#pragma once
// The one loader of the system's DLLs and of the functions only some systems
// export. Always from the system folder by full path: a bare name is searched
// in Tarvisk.exe's folder first (where plug-ins sit, and where downloads
// land), and a DLL of a system name there would run inside Tarvisk. Wine
// prefers such a DLL even for the system's own imports.
#include <windows.h>

// The system folder's DLL of that name ("dwmapi.dll"); null when it cannot be
// loaded. It stays loaded for the program's life.
HMODULE SystemDll(const char* name);

// The export of a system DLL; null where the DLL or the function is missing.
FARPROC SystemProc(const char* dll, const char* function);

// SystemProc as the function's own pointer type F.
template <typename F>
F SystemFunction(const char* dll, const char* function) {
  // Through void (*)(): the cast between function types is then a deliberate one.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(SystemProc(dll, function)));
}
