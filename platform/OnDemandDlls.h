#pragma once
// System functions that only a command needs: their DLLs are loaded the first
// time the command runs, not at start-up. Under Wine, loading shell32 and
// comdlg32 with the program costs about a fifth of a minimal program's start.
// Each behaves as the function it stands for; if its DLL cannot be loaded it
// fails as that function fails (FALSE, null, 0).
#include <windows.h>

#include <commdlg.h>

BOOL OpenFileDialog(OPENFILENAMEA* ofn);   // GetOpenFileNameA
BOOL SaveFileDialog(OPENFILENAMEA* ofn);   // GetSaveFileNameA
BOOL PrintDialog(PRINTDLGA* pd);           // PrintDlgA
// ShellExecuteA with the "open" verb, no parameters and no directory.
void OpenWithShell(const char* file);
LPWSTR* SplitCommandLine(const wchar_t* commandLine, int* count);  // CommandLineToArgvW
// True when nothing follows the program's name (quoted, or up to the first
// blank): such a command line need not be split, and shell32 stays unloaded.
bool NamesOnlyTheProgram(const wchar_t* commandLine);
DWORD FileVersionInfoSize(const char* fileName, DWORD* handle);                 // GetFileVersionInfoSizeA
BOOL FileVersionInfo(const char* fileName, DWORD handle, DWORD size, void* data);  // GetFileVersionInfoA
BOOL VersionValue(const void* block, const char* subBlock, void** value, UINT* length);  // VerQueryValueA
