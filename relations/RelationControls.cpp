#include "relations/RelationControls.h"

#include "ui/HintText.h"
#include "ui/MessageBoxes.h"

MessageBoxFn DefaultMessageBox() {
  return [](HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
  };
}

int LocaleCompare(const std::string& a, const std::string& b) {
  int r = CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                         static_cast<int>(b.size()));
  // 0 is a failure; such a pair counts as equal rather than as "less".
  return r == 0 ? 0 : r - CSTR_EQUAL;
}

std::string LocaleUpper(const std::string& s) {
  std::string out = s;
  if (!out.empty()) CharUpperBuffA(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

void ShowErrorText(const MessageBoxFn& box, HWND owner, const std::string& text) {
  box(owner, WithFullStop(text).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void ShowInfoText(const MessageBoxFn& box, HWND owner, const std::string& text) {
  box(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION);
}
