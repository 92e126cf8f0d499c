#include "app/HotKeyValue.h"

HotKeyRegistration HotKeyToRegistration(uint16_t value) {
  HotKeyRegistration r{static_cast<uint32_t>(value & 0x1FFF), 0};
  if (value & kHotKeyCtrl) r.modifiers |= kModControl;
  if (value & kHotKeyShift) r.modifiers |= kModShift;
  if (value & kHotKeyAlt) r.modifiers |= kModAlt;
  return r;
}

uint16_t HotKeyFromControl(uint32_t controlValue) {
  uint16_t value = controlValue & 0xFF;
  uint8_t flags = (controlValue >> 8) & 0xFF;
  if (flags & kHotKeyfShift) value |= kHotKeyShift;
  if (flags & kHotKeyfControl) value |= kHotKeyCtrl;
  if (flags & kHotKeyfAlt) value |= kHotKeyAlt;
  return value;
}

uint32_t HotKeyToControl(uint16_t value) {
  uint32_t flags = 0;
  if (value & kHotKeyShift) flags |= kHotKeyfShift;
  if (value & kHotKeyCtrl) flags |= kHotKeyfControl;
  if (value & kHotKeyAlt) flags |= kHotKeyfAlt;
  return (value & 0xFF) | (flags << 8);
}
