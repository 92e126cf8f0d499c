// Boxes: copies the item texts of a list box or combo box, usually another
// program's, to the clipboard as lines of text.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "plugins/PIConst.h"

namespace {

const char kName[] = "List/combo box items copier";
const char kHint[] = "Click Execute to copy items";
const char kInfo[] = "List/combo box items copier\rCopyright (c) Norvane. All rights reserved.";
const char kEmptyOrInvalid[] = "Empty or invalid list/combo box";
const char kCopied[] = "The items are copied to clipboard";

// Long enough for a busy program's list box to answer, short enough that a
// hung one does not freeze the host for good.
const UINT kAnswerTimeoutMs = 2000;
const int kClipboardAttempts = 5;
const DWORD kClipboardRetryMs = 20;

// How one kind of box is asked: count, length of item i, text of item i.
struct BoxMessages {
  UINT count, textLength, text;
};
const BoxMessages kListBoxMessages = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
const BoxMessages kComboBoxMessages = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

enum class Outcome { Copied, Empty, Failed };

void WriteResult(char* buffer, int32_t size, const char* text) {
  if (buffer && size > 0) lstrcpynA(buffer, text, size);
}

// The target's answer, as SendMessageA would give it (0 from a window that is
// gone); false when the target did not answer in time.
bool Ask(HWND box, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  DWORD_PTR result = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutA(box, message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                          kAnswerTimeoutMs, &result)) {
    answer = static_cast<LRESULT>(result);
    return true;
  }
  answer = 0;
  DWORD error = GetLastError();
  return error != ERROR_TIMEOUT && error != ERROR_SUCCESS;
}

// An item's text from the reply buffer of the text message. Wine 8 answers the
// ANSI message from another process with the text in UTF-16 (and the length
// in characters); Windows never puts a NUL inside an ANSI item text, so a reply
// shorter than announced that reads as exactly `got` UTF-16 units is taken as such.
std::string ItemText(const std::vector<char>& reply, LRESULT got) {
  size_t ansiLength = strnlen(reply.data(), reply.size() - 1);
  size_t units = static_cast<size_t>(got);
  if (got <= 1 || ansiLength >= units || (units + 1) * sizeof(WCHAR) > reply.size())
    return std::string(reply.data(), ansiLength);
  std::vector<WCHAR> wide(units + 1);
  std::memcpy(wide.data(), reply.data(), (units + 1) * sizeof(WCHAR));
  if (wide[units] != 0 || std::find(wide.begin(), wide.end() - 1, 0) != wide.end() - 1)
    return std::string(reply.data(), ansiLength);
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(units), nullptr, 0,
                                 nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(units), &text[0], size, nullptr,
                        nullptr);
  return text;
}

// Reads every item; false when the box stopped answering midway, as a partial
// copy must not pass for the whole list.
bool CollectItems(HWND box, const BoxMessages& messages, LRESULT count, std::string& text) {
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    if (!Ask(box, messages.textLength, static_cast<WPARAM>(i), 0, length)) return false;
    if (length <= 0) {
      text += "\r\n";
      continue;
    }
    // LB_GETTEXT has no size argument, so the buffer is sized from the box's
    // own length answer: room for that many UTF-16 characters (see ItemText)
    // and for an owner-drawn box's item data. Nothing past it is ever read.
    std::vector<char> reply((static_cast<size_t>(length) + 1) * sizeof(WCHAR) + 16, '\0');
    LRESULT got = 0;
    if (!Ask(box, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(reply.data()),
             got))
      return false;
    if (got == -1) continue;
    reply.back() = '\0';
    text += ItemText(reply, got);
    text += "\r\n";
  }
  return true;
}

bool OpenClipboardPatiently(HWND owner) {
  // Another program may hold the clipboard for a moment.
  for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kClipboardRetryMs);
  }
  return false;
}

// Only an owned clipboard can be emptied and then written, so a hidden
// message-only window owns it for the moment. Emptying matters: text or rich
// formats that another program left would otherwise stay beside ours, and a
// paste that prefers them would bring back the old data.
bool PutOnClipboard(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (!block) return false;
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(memory, text.c_str(), text.size() + 1);
  GlobalUnlock(block);

  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  bool taken = false;
  if (OpenClipboardPatiently(owner)) {
    if (owner) EmptyClipboard();
    taken = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
  }
  if (owner) DestroyWindow(owner);
  if (!taken) GlobalFree(block);
  return taken;
}

Outcome CopyItems(HWND box) {
  // SendMessageA to something that is not a window answers 0; checking first
  // also keeps broadcast handles such as 0xFFFF from reaching every window.
  if (!IsWindow(box)) return Outcome::Empty;
  const BoxMessages* messages = &kListBoxMessages;
  LRESULT count = 0;
  if (!Ask(box, LB_GETCOUNT, 0, 0, count)) return Outcome::Failed;
  if (count == 0 || count == LB_ERR) {
    if (!Ask(box, CB_GETCOUNT, 0, 0, count)) return Outcome::Failed;
    if (count != 0) messages = &kComboBoxMessages;
  }
  if (count <= 0) return Outcome::Empty;

  std::string text;
  if (!CollectItems(box, *messages, count, text)) return Outcome::Failed;
  // Every item refused its text: there is nothing to copy.
  if (text.empty()) return Outcome::Empty;
  return PutOnClipboard(text) ? Outcome::Copied : Outcome::Failed;
}

}  // namespace

extern "C" {

PIBool PI_STDCALL Name(char* Buffer, int32_t Size) {
  WriteResult(Buffer, Size, kName);
  return 1;
}

PIBool PI_STDCALL Hint(char* Buffer, int32_t Size) {
  WriteResult(Buffer, Size, kHint);
  return 1;
}

PIBool PI_STDCALL Info(char* Buffer, int32_t Size) {
  WriteResult(Buffer, Size, kInfo);
  return 1;
}

PIBool PI_STDCALL Action(uint32_t Wnd, char* Buffer, int32_t Size) {
  try {
    switch (CopyItems(reinterpret_cast<HWND>(static_cast<uintptr_t>(Wnd)))) {
      case Outcome::Copied:
        WriteResult(Buffer, Size, kCopied);
        return 1;
      case Outcome::Empty:
        WriteResult(Buffer, Size, kEmptyOrInvalid);
        return 1;
      case Outcome::Failed:
        break;
    }
  } catch (...) {
    // Nothing may escape into the host; it reports false as an internal error.
  }
  return 0;
}

}  // extern "C"
