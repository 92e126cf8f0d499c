#pragma once
// The desktop the Wine benchmarks measure on, made of this process's own
// windows, so that every benchmark reads the same 5,000 windows.
#include <windows.h>

#include <string>
#include <vector>

inline void RegisterBenchClass(const char* name) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

// 125 frames, each with 3 panels of 3 groups of 3 controls: 5,000 windows, four
// levels deep as dialogs with group boxes are. Every frame, panel and group and
// the first control of each group lie under the dig point. Panels and groups
// have ids (100 + n, 200 + n); the controls of a group share 0, as ids left
// unset do.
inline std::vector<HWND> MakeBenchDesktop() {
  for (const char* c : {"BenchFrame", "BenchPanel", "BenchGroup", "BenchEdit", "BenchButton"}) RegisterBenchClass(c);
  std::vector<HWND> frames;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  auto child = [&](const char* cls, const std::string& text, HWND parent, int x, int size, int id = 0) {
    return CreateWindowExA(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE, x, 0, size, size, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  for (int i = 0; i < 125; ++i) {
    std::string title = "Frame " + std::to_string(i);
    HWND f = CreateWindowExA(0, "BenchFrame", title.c_str(), WS_POPUP | WS_VISIBLE, 300 + i, 200 + i, 600, 500,
                             nullptr, nullptr, instance, nullptr);
    frames.push_back(f);
    for (int p = 0; p < 3; ++p) {
      HWND panel = child("BenchPanel", "", f, p * 10, 400, 100 + p);
      for (int g = 0; g < 3; ++g) {
        HWND group = child("BenchGroup", "Group " + std::to_string(g), panel, g * 5, 350, 200 + g);
        for (int c = 0; c < 3; ++c) {
          child(c % 2 ? "BenchEdit" : "BenchButton", "Control " + std::to_string(c), group, c * 10,
                c == 0 ? 300 : 5);
        }
      }
    }
  }
  return frames;
}
