#pragma once
// Shared by the Modify page's tests: a stand-in for the main window's state, a
// plain parent window that hands control notifications to the page as the main
// window does, prompts that answer from a script, and target windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "modify/ModifyPage.h"
#include "platform/Win32WindowSystem.h"
#include "ui/Controls.h"
#include "support/Files.h"
#include "support/Wait.h"

namespace modify_test {

class StandInHost : public ModifyHost {
 public:
  HWND owner = nullptr;
  Hwnd target = 0;
  bool probing = false;
  std::string programFolder = "C:\\nowhere\\";
  int refreshes = 0;

  HWND Owner() const override { return owner; }
  Hwnd CurrentTarget() const override { return target; }
  bool Probing() const override { return probing; }
  std::string ProgramFolder() const override { return programFolder; }
  void RefreshInformation() override { ++refreshes; }
};

// Answers from a script and records what would have been shown.
class ScriptedPrompts : public ModifyPrompts {
 public:
  std::deque<std::string> files;  // chosen in the open dialog; none left: cancelled
  std::deque<bool> answers;       // Yes/No answers; none left: No
  struct Box {
    HWND owner;
    std::string caption, text;
  };
  std::vector<Box> questions, infos, errors;
  int beeps = 0;

  bool ChoosePluginFile(HWND, std::string& fileName) override {
    if (files.empty()) return false;
    fileName = files.front();
    files.pop_front();
    return true;
  }
  bool AskYesNo(HWND owner, const std::string& caption, const std::string& text) override {
    questions.push_back({owner, caption, text});
    bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void ShowInformation(HWND owner, const std::string& caption, const std::string& text) override {
    infos.push_back({owner, caption, text});
  }
  void ShowError(HWND owner, const std::string& text) override { errors.push_back({owner, "", text}); }
  void Beep() override { ++beeps; }
};

// A top-level window in place of the Modify sheet; WM_COMMAND goes to the page.
class PageFrame {
 public:
  PageFrame() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ModifyTestFrame";
    RegisterClassExA(&wc);
    hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, "ModifyTestFrame", "Modify test", WS_POPUP | WS_VISIBLE,
                           0, 0, 436, 420, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~PageFrame() {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
  }
  PageFrame(const PageFrame&) = delete;
  PageFrame& operator=(const PageFrame&) = delete;

  HWND hwnd = nullptr;
  PageHandler* page = nullptr;
  int commands = 0;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PageFrame*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (self && msg == WM_COMMAND) {
      ++self->commands;
      if (self->page) self->page->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    }
    return DefWindowProcA(h, msg, wParam, lParam);
  }
};

// Windows a test makes as targets, destroyed with it.
class Targets {
 public:
  Targets() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ModifyTarget";
    RegisterClassExA(&wc);
  }
  ~Targets() {
    for (auto it = made.rbegin(); it != made.rend(); ++it)
      if (IsWindow(*it)) DestroyWindow(*it);
  }
  HWND Make(const char* text, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
            DWORD exStyle = 0, const char* cls = "ModifyTarget") {
    HWND hwnd = CreateWindowExA(exStyle, cls, text, style, x, y, w, h, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    made.push_back(hwnd);
    return hwnd;
  }
  std::vector<HWND> made;
};

inline RECT RectOf(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return r;
}

inline std::string TextOf(HWND w) {
  char buf[32768] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return buf;
}

// A program folder of its own under the temporary folder, removed with all it holds.
class TempProgramFolder {
 public:
  TempProgramFolder() {
    static int serial = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    m_path = std::string(base) + "tarvisk-modify-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++serial) + "\\";
    CreateDirectoryA(m_path.c_str(), nullptr);
  }
  ~TempProgramFolder() { RemoveTree(m_path); }
  const std::string& Path() const { return m_path; }
  std::string Plugins() const { return m_path + "Plugins\\"; }

 private:
  std::string m_path;
};

}  // namespace modify_test
