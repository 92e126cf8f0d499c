#pragma once
// Tests of the main window in this process: it starts as a first run does
// (no stored settings), without the reminder, and leaves no settings behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/MainWindow.h"

class MainWindowFixture : public ::testing::Test {
 protected:
  // Creates and shows the main window; `idle` stops the probing it starts with,
  // so that nothing but the test picks targets.
  void StartMainWindow(bool idle);
  void TearDown() override;

  std::unique_ptr<TfrmTarvisk> frm;
};
