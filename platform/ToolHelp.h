#pragma once
// kernel32's ToolHelp functions, bound once (with the process list) from the
// system folder; null where the system lacks them.
#include <windows.h>

#include <tlhelp32.h>

struct ToolHelpFunctions {
  HANDLE(WINAPI* createSnapshot)(DWORD, DWORD) = nullptr;
  BOOL(WINAPI* processFirst)(HANDLE, PROCESSENTRY32*) = nullptr;
  BOOL(WINAPI* processNext)(HANDLE, PROCESSENTRY32*) = nullptr;
  BOOL(WINAPI* moduleFirst)(HANDLE, MODULEENTRY32*) = nullptr;
  BOOL(WINAPI* moduleNext)(HANDLE, MODULEENTRY32*) = nullptr;
  BOOL(WINAPI* threadFirst)(HANDLE, THREADENTRY32*) = nullptr;
  BOOL(WINAPI* threadNext)(HANDLE, THREADENTRY32*) = nullptr;
};

const ToolHelpFunctions& ToolHelp();
