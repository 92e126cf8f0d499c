#include "relations/RelationControls.h"

#include "platform/CodePages.h"
#include "platform/Utf8.h"
#include "ui/HintText.h"
#include "ui/MessageBoxes.h"

MessageBoxFn DefaultMessageBox() {
  return [](HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
  };
}

// Both compare in UTF-16, as the A entry points do after converting: the same
// order and case for every text of the ANSI code page.
// A sort makes thousands of comparisons: the two buffers are kept between them.
int LocaleCompare(const std::string& a, const std::string& b) {
  thread_local std::u16string wa, wb;
  Utf8ToUtf16(a, wa);
  Utf8ToUtf16(b, wb);
  int r = CompareStringW(LOCALE_USER_DEFAULT, 0, reinterpret_cast<const wchar_t*>(wa.data()), static_cast<int>(wa.size()),
                         reinterpret_cast<const wchar_t*>(wb.data()), static_cast<int>(wb.size()));
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
