#pragma once
// What the main window offers beside its twelve pages: windows and dialogs of
// their own (the details, the style editor, ...), reached from the system menu,
// a key or the fields' context menu, and told when the pages show a new
// reading. Each lives in a file of its own; the frame only hands them its
// events, so that a new one adds a line to MakeFrameFeatures and nothing to
// the main window.
#include <windows.h>

#include <memory>
#include <vector>

class TfrmTarvisk;

// Identifiers of the features' menu items, in one place so that they never
// collide. Items of the system menu need identifiers below the SC_ range whose
// low four bits are zero: the system uses those bits itself. The message log
// has 0x0110.
namespace frame_ids {
constexpr UINT kSysDetails = 0x0120;
constexpr UINT kSysEditStyles = 0x0130;
constexpr UINT kSysSendMessage = 0x0140;
constexpr UINT kSysCopySelector = 0x0150;  // its submenu's items: 0x0160 to 0x0190
constexpr UINT kSysSaveSnapshot = 0x01A0;
constexpr UINT kSysEvents = 0x01B0;
constexpr UINT kSysProcesses = 0x01C0;
// Items of the fields' context menu (WM_COMMAND without a control).
constexpr int kFieldEditStyles = 0x7100;
constexpr int kFieldCopySelectorFirst = 0x7110;  // to 0x711F
constexpr int kFieldShowInProcesses = 0x7140;
}  // namespace frame_ids

class FrameFeature {
 public:
  virtual ~FrameFeature() = default;
  // Items of the system menu, added once; their state set before it opens.
  virtual void AddMenuItems(HMENU /*systemMenu*/) {}
  virtual void UpdateMenuItems(HMENU /*systemMenu*/) {}
  // WM_SYSCOMMAND with the low four bits cleared; true when handled.
  virtual bool OnSysCommand(UINT /*id*/) { return false; }
  // Every message of the loop, before the dialog manager: keys of the
  // feature, and the dialog keys of its modeless windows.
  virtual bool PreTranslate(MSG& /*msg*/) { return false; }
  // The fields' context menu is about to open on `field` (not while probing).
  virtual void AddFieldMenuItems(HMENU /*menu*/, HWND /*field*/) {}
  virtual bool OnFieldMenuCommand(int /*id*/) { return false; }
  // The pages show another target, or the same one read again.
  virtual void TargetShown() {}
  // The integer format or the constants' case changed.
  virtual void DisplayChanged() {}
  // The main window is closing: windows close and save what they keep.
  virtual void Closing() {}
};

class FrameFeatures {
 public:
  void Add(std::unique_ptr<FrameFeature> feature) { m_features.push_back(std::move(feature)); }
  void AddMenuItems(HMENU systemMenu);
  void UpdateMenuItems(HMENU systemMenu);
  bool OnSysCommand(WPARAM command);
  bool PreTranslate(MSG& msg);
  void AddFieldMenuItems(HMENU menu, HWND field);
  bool OnFieldMenuCommand(int id);
  void TargetShown();
  void DisplayChanged();
  void Closing();

 private:
  std::vector<std::unique_ptr<FrameFeature>> m_features;
};

// Every feature of the main window (app/FrameFeatureList.cpp).
void AddFrameFeatures(TfrmTarvisk& frm, FrameFeatures& features);

// True for a key press of Ctrl+`key` (with Shift when `shift`, without Alt)
// in `owner` or one of its controls.
bool IsCtrlKey(const MSG& msg, HWND owner, UINT key, bool shift = false);

// True when `owner` or one of its windows may take a key: the main window
// and its controls.
inline bool InWindow(HWND owner, HWND h) { return owner && (h == owner || IsChild(owner, h)); }
