#pragma once
// Where start-up time goes: the start-up benchmark switches the marks on in
// its own process and prints the time between them; otherwise a mark costs a
// branch.
#include <windows.h>

struct StartupSteps {
  static constexpr int kMax = 16;
  bool enabled = false;
  int count = 0;
  const char* names[kMax] = {};
  LARGE_INTEGER at[kMax] = {};

  void Mark(const char* name) {
    if (!enabled || count == kMax) return;
    names[count] = name;
    QueryPerformanceCounter(&at[count++]);
  }
  static StartupSteps& Instance() {
    static StartupSteps steps;
    return steps;
  }
};
