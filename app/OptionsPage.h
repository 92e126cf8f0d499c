#pragma once
// The Options page: the number format, the constants' case, the start/stop hot
// key and the behaviour switches. Until its controls exist it answers from the
// settings it was given, so a start that never shows it changes nothing.
#include <functional>

#include "inspect/Format.h"
#include "ui/TabPage.h"

class OptionsPage : public TabPage {
 public:
  // A different format or case was chosen; "Always on top" was clicked.
  std::function<void()> FormatChanged, AlwaysOnTopChanged;

  bool Checked(int id) const;
  int IntegerFormat() const;
  int ConstsFormat() const;
  DisplayOptions Options() const { return {IntegerFormat(), ConstsFormat()}; }
  uint16_t StartStopHotKey() const;
  void SetStartStopHotKey(uint16_t value);

  void LoadSettings(const SettingsValues& values) override;
  void StoreSettings(SettingsValues& values) const override;
  bool OnCommand(int id, int code, HWND control) override;

 protected:
  void MakeControls() override;

 private:
  SettingsValues m_values;  // what the controls would hold; the controls win once made
};
