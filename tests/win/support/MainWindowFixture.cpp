#include "support/MainWindowFixture.h"

#include "support/Settings.h"
#include "support/Wait.h"

void MainWindowFixture::StartMainWindow(bool idle) {
  ResetTarviskSettings();
  frm = std::make_unique<TfrmTarvisk>();
  ASSERT_TRUE(frm->Create());
  frm->HideNag = true;
  frm->Show();
  if (idle && frm->Probing()) frm->btnStartClick();
  PumpMessages();
}

void MainWindowFixture::TearDown() {
  if (frm && IsWindow(frm->Handle())) DestroyWindow(frm->Handle());
  frm.reset();
  PumpMessages();
  // The quit message of the shutdown must not end a later test's loop.
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ResetTarviskSettings();
}
