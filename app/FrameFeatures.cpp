#include "app/FrameFeatures.h"

void FrameFeatures::AddMenuItems(HMENU systemMenu) {
  for (auto& f : m_features) f->AddMenuItems(systemMenu);
}

void FrameFeatures::UpdateMenuItems(HMENU systemMenu) {
  for (auto& f : m_features) f->UpdateMenuItems(systemMenu);
}

bool FrameFeatures::OnSysCommand(WPARAM command) {
  const UINT id = static_cast<UINT>(command & 0xFFF0);
  for (auto& f : m_features) {
    if (f->OnSysCommand(id)) return true;
  }
  return false;
}

bool FrameFeatures::PreTranslate(MSG& msg) {
  for (auto& f : m_features) {
    if (f->PreTranslate(msg)) return true;
  }
  return false;
}

void FrameFeatures::AddFieldMenuItems(HMENU menu, HWND field) {
  for (auto& f : m_features) f->AddFieldMenuItems(menu, field);
}

bool FrameFeatures::OnFieldMenuCommand(int id) {
  for (auto& f : m_features) {
    if (f->OnFieldMenuCommand(id)) return true;
  }
  return false;
}

void FrameFeatures::TargetShown() {
  for (auto& f : m_features) f->TargetShown();
}

void FrameFeatures::DisplayChanged() {
  for (auto& f : m_features) f->DisplayChanged();
}

void FrameFeatures::Closing() {
  for (auto& f : m_features) f->Closing();
}

bool IsCtrlKey(const MSG& msg, HWND owner, UINT key, bool shift) {
  return msg.message == WM_KEYDOWN && msg.wParam == key && GetKeyState(VK_CONTROL) < 0 &&
         GetKeyState(VK_MENU) >= 0 && (GetKeyState(VK_SHIFT) < 0) == shift && InWindow(owner, msg.hwnd);
}
