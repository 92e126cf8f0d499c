// The README's example plug-in loads and does its job.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "plugins/PIClass.h"
#include "support/Wait.h"

TEST(ExamplePlugin, LoadsAndUpperCasesTheCaption) {
  TPlugIn plugin(BuildPath("examples/Caption.dll"));
  ASSERT_NE(plugin.Handle(), nullptr);
  EXPECT_EQ(plugin.GetName(), "Upper-case caption");
  EXPECT_EQ(plugin.GetHint(), "Turns the target window's caption into capital letters");
  EXPECT_EQ(plugin.GetInfo(), "Caption example plug-in for Tarvisk");
  HWND w = CreateWindowExA(0, "STATIC", "quiet words", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
  std::string data;
  EXPECT_EQ(plugin.Execute(static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(w)), data), ExecuteResult::Done);
  char text[64] = {};
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "QUIET WORDS");
  EXPECT_EQ(data, "QUIET WORDS");
  DestroyWindow(w);
}

#include "exeinfo/VerInfo.h"

// Both deliverables carry their version, product and company.
TEST(Deliverables, CarryTheirVersionResources) {
  for (const char* file : {"Tarvisk.exe", "Plugins/Boxes.dll"}) {
    TVersionInformation info(BuildPath(file));
    ASSERT_FALSE(info.IsEmpty()) << file;
    EXPECT_EQ(info.GetValue("FileVersion"), "5.3") << file;
    EXPECT_EQ(info.GetValue("ProductName"), "Tarvisk") << file;
    EXPECT_EQ(info.GetValue("CompanyName"), "Norvane") << file;
  }
}
