#include "relations/RelationControls.h"

#include "platform/CodePages.h"
#include "ui/HintText.h"
#include "ui/MessageBoxes.h"

MessageBoxFn DefaultMessageBox() {
  return [](HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
  };
}

// Both compare in UTF-16, as the A entry points do after converting: the same
// order and case for every text of the ANSI code page.
int LocaleCompare(const std::string& a, const std::string& b) {
  const std::wstring wa = Widen(a), wb = Widen(b);
  int r = CompareStringW(LOCALE_USER_DEFAULT, 0, wa.data(), static_cast<int>(wa.size()), wb.data(),
                         static_cast<int>(wb.size()));
  // 0 is a failure; such a pair counts as equal rather than as "less".
  return r == 0 ? 0 : r - CSTR_EQUAL;
}

std::string LocaleUpper(const std::string& s) {
  std::wstring wide = Widen(s);
  if (!wide.empty()) CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

void ShowErrorText(const MessageBoxFn& box, HWND owner, const std::string& text) {
  box(owner, WithFullStop(text).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

void ShowInfoText(const MessageBoxFn& box, HWND owner, const std::string& text) {
  box(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION);
}
