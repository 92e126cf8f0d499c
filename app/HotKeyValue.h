#pragma once
// The start/stop hot key as the program stores it: a 16-bit value with the
// virtual key in bits 0-7 and Shift, Ctrl and Alt in bits 13, 14 and 15.
#include <cstdint>

constexpr uint16_t kHotKeyShift = 0x2000, kHotKeyCtrl = 0x4000, kHotKeyAlt = 0x8000;
constexpr uint16_t kDefaultHotKey = 145;  // Scroll Lock, no modifiers

// Modifier flags of RegisterHotKey.
constexpr uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;
// Modifier flags of the hot-key control (HKM_GETHOTKEY's high byte).
constexpr uint8_t kHotKeyfShift = 1, kHotKeyfControl = 2, kHotKeyfAlt = 4, kHotKeyfExt = 8;

struct HotKeyRegistration {
  uint32_t key;        // value AND 0x1FFF
  uint32_t modifiers;  // MOD_* flags
};

HotKeyRegistration HotKeyToRegistration(uint16_t value);
// From HKM_GETHOTKEY's result (virtual key low byte, HOTKEYF_* next); HOTKEYF_EXT is dropped.
uint16_t HotKeyFromControl(uint32_t controlValue);
// To HKM_SETHOTKEY's argument.
uint32_t HotKeyToControl(uint16_t value);
