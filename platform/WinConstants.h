#pragma once
// The system's style bits, message numbers and limits that code without
// <windows.h> needs, each under one name. The portable logic is built on Linux
// too, where <windows.h> does not exist; Win32 files keep using its names and
// come here only for what it does not define.
#include <cstdint>

// Window style (GWL_STYLE) bits.
inline constexpr uint32_t kStyleChild = 0x40000000;     // WS_CHILD
inline constexpr uint32_t kStyleVisible = 0x10000000;   // WS_VISIBLE
inline constexpr uint32_t kStyleDisabled = 0x08000000;  // WS_DISABLED
// Extended window style (GWL_EXSTYLE) bits.
inline constexpr uint32_t kExStyleTopmost = 0x00000008;  // WS_EX_TOPMOST

// Messages.
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmSetText = 0x000C;
inline constexpr uint32_t kWmGetText = 0x000D;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmQuit = 0x0012;
inline constexpr uint32_t kWmNcDestroy = 0x0082;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kScClose = 0xF060;  // SC_CLOSE, in WM_SYSCOMMAND's wParam
inline constexpr uint32_t kWmUser = 0x0400;   // WM_USER: a window class's own messages start here
inline constexpr uint32_t kWmApp = 0x8000;    // WM_APP: a program's own messages start here
// RegisterWindowMessage hands out 0xC000 to 0xFFFF; <windows.h> names no bound.
inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;

// Limits.
// How long a message sent to another window (its text, a command, a ping) may
// take before the window counts as hung: long enough for a busy program under
// Wine, short enough that probing over a hung window does not stall.
inline constexpr uint32_t kGetTextTimeoutMs = 200;
