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
    // LB_GETTEXT has no size argument: the buffer is sized by the box's own
    // length answer (with room for an owner-drawn box's item data), and only
    // that much is ever read back, even if the text grew in between.
    std::vector<char> item(std::max<size_t>(static_cast<size_t>(length), 16) + 1, '\0');
    LRESULT got = 0;
    if (!Ask(box, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()),
             got))
      return false;
    if (got == -1) continue;
    item.back() = '\0';
    text.append(item.data(), strnlen(item.data(), item.size() - 1));
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
