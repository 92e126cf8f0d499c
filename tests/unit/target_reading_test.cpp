// The one reading of a target: each part is read when asked for, read again
// only once what it depends on has changed, and the process once per process.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "reading/Reading.h"

namespace {

TEST(TargetReading, ReadsAPartWhenAskedAndAgainOnlyOnceItIsStale) {
  FakeDesktop d;
  FakeWindow top;
  top.className = "Top";
  top.text = "top";
  top.processId = 7;
  top.rect = {10, 20, 110, 220};
  const Hwnd t = d.Add(top);
  FakeWindow child;
  child.parent = t;
  child.child = true;
  child.className = "Child";
  child.processId = 7;
  const Hwnd c = d.Add(child);
  FakeWindow other;
  other.className = "Other";
  other.processId = 9;
  const Hwnd o = d.Add(other);
  d.SetWindowAtPoint(t);

  std::vector<uint32_t> processes;
  int pixels = 0;
  ReadingSources sources;
  sources.process = [&](uint32_t id) {
    processes.push_back(id);
    ProcessInfo p;
    p.executable.path = "program" + std::to_string(id) + ".exe";
    return p;
  };
  sources.pixel = [&](WinPoint, uint32_t& color) {
    ++pixels;
    color = 0x123456;
    return true;
  };
  TargetReading reading(d, sources);
  reading.SetTarget(t);
  reading.SetPoint({30, 40});

  EXPECT_EQ(reading.Window().text, "top");
  EXPECT_EQ(reading.Children().size(), 1u);
  d[t].text = "renamed";
  EXPECT_EQ(reading.Window().text, "top") << "a fresh part is not read again";
  EXPECT_FALSE(reading.Fresh(TargetPart::Parents)) << "nobody asked for it";

  // The same window again, as Refresh asks: read anew. The windows under the
  // point do not depend on the target.
  EXPECT_FALSE(reading.Digger().empty());
  reading.SetTarget(t);
  EXPECT_EQ(reading.Window().text, "renamed");
  EXPECT_TRUE(reading.Fresh(TargetPart::Digger));

  // One walk of the modules per process, however many of its windows.
  EXPECT_EQ(reading.Process().executable.path, "program7.exe");
  reading.SetTarget(c);
  reading.Process();
  reading.SetTarget(o);
  EXPECT_EQ(reading.Process().executable.path, "program9.exe");
  EXPECT_EQ(processes, (std::vector<uint32_t>{7, 9}));

  // The Graphic readouts follow the point.
  reading.SetTarget(t);
  EXPECT_EQ(reading.Graphic().inWindow, (WinPoint{20, 20}));
  reading.Graphic();
  EXPECT_EQ(pixels, 1);
  reading.SetPoint({31, 40});
  EXPECT_EQ(reading.Graphic().inWindow, (WinPoint{21, 20}));
  EXPECT_EQ(pixels, 2);

  // A whole reading is what the command line gathers at once.
  const Reading whole = ReadTarget(d, t, {{31, 40}, false, true}, sources);
  const Reading& complete = reading.Complete();
  EXPECT_EQ(complete.window.text, whole.window.text);
  EXPECT_EQ(complete.children.size(), whole.children.size());
  EXPECT_EQ(complete.digger.size(), whole.digger.size());
  EXPECT_EQ(complete.process.executable.path, whole.process.executable.path);
  EXPECT_EQ(complete.graphic.color, whole.graphic.color);
}

}  // namespace
