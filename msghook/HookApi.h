#pragma once
// The exports of TarviskHook.dll, as the log calls them through GetProcAddress.
// Plain C names and fixed-size types: the DLL and the program are built apart.
#include <cstdint>

constexpr int kTarviskHookSlots = 16;  // logs that may run at once on one desktop

// Claims a free slot for a log of process `pid`; -1 when all are taken.
// *generation names the ring of this claim.
using TarviskHookClaimSlotFn = int (*)(uint32_t pid, uint32_t* generation);
// Frees the slot if `pid` still owns it.
using TarviskHookReleaseSlotFn = void (*)(int slot, uint32_t pid);
#ifdef _WIN32
#include <windows.h>
// The slot's three hook procedures: WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE.
using TarviskHookProcsFn = int (*)(int slot, HOOKPROC* callWnd, HOOKPROC* callWndRet, HOOKPROC* getMsg);
#endif
