#pragma once
// One page of the main window. A page makes its controls on its sheet when it
// is first needed, shows its part of the current reading in the display
// options, keeps its own settings whether or not its controls exist yet, and
// says which of its commands are enabled. The main window keeps only the
// order of things: which page is in front, and when a page is out of date.
#include <windows.h>

#include "settings/Settings.h"
#include "ui/PageHandler.h"

class TabPage : public PageHandler {
 public:
  // Makes the controls on `sheet`, in the state the page holds (its settings,
  // its commands); the page then shows what it is given when it is next shown.
  void Create(HWND sheet) {
    if (m_sheet) return;
    m_sheet = sheet;
    MakeControls();
    m_outOfDate = true;
  }
  bool Created() const { return m_sheet != nullptr; }
  // The frame has scaled the new controls and given them their font.
  virtual void Placed() {}
  // The frame has laid the page's controls out for a new density: for what
  // keeps its size in real pixels whatever the density.
  virtual void Rescaled() {}
  HWND Sheet() const { return m_sheet; }

  // What the page shows has changed: the target, a part of its reading, or
  // a display option. Written at the next Refresh.
  void Invalidate() { m_outOfDate = true; }
  bool OutOfDate() const { return m_outOfDate; }
  // Writes the page's controls if they are made and out of date.
  void Refresh() {
    if (!m_sheet || !m_outOfDate) return;
    m_outOfDate = false;
    Show();
  }

  // The page's share of the stored settings. A page keeps them itself until
  // its controls exist, so that a run that never makes it writes them back.
  virtual void LoadSettings(const SettingsValues& /*values*/) {}
  virtual void StoreSettings(SettingsValues& /*values*/) const {}
  // Probing started or stopped: the page enables the commands that act on a
  // fixed target, whether or not its controls exist yet.
  virtual void SetProbing(bool /*probing*/) {}
  // "Det&ail" while the page is in front: whether it has a row to inspect,
  // and inspecting it.
  virtual bool DetailEnabled() const { return false; }
  virtual void Detail() {}

 protected:
  virtual void MakeControls() = 0;
  // Writes what the page shows; only called once its controls exist.
  virtual void Show() {}

  HWND m_sheet = nullptr;

 private:
  bool m_outOfDate = false;
};
