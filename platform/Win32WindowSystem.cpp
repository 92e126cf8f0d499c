#include "platform/Win32WindowSystem.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/CodePages.h"
#include "platform/Utf8.h"

namespace {

// One body for the two character types; `send` is SendMessageTimeoutA or W.
template <typename Char, typename Send>
void SendGetTextMessage(HWND window, Char* buffer, UINT size, Send send) {
  if (buffer == nullptr || size == 0) return;
  std::fill(buffer, buffer + size, Char(0));
  DWORD_PTR copied = 0;
  // Not SMTO_BLOCK: while we wait, messages other programs send to us are still
  // answered, so a target that sends back to us cannot deadlock with us.
  // SMTO_ABORTIFHUNG skips a window the system already knows to be hung without
  // waiting the full time.
  LRESULT answered = send(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer),
                          SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &copied);
  if (answered == 0) {
    // Whatever a failed or timed-out call left there is no answer.
    std::fill(buffer, buffer + size, Char(0));
    return;
  }
  // A window procedure may fill the whole buffer and leave out the zero.
  buffer[size - 1] = 0;
}

}  // namespace

void GetTextWithTimeout(HWND window, char* buffer, UINT size) {
  SendGetTextMessage(window, buffer, size, SendMessageTimeoutA);
}

void GetTextWithTimeoutW(HWND window, wchar_t* buffer, UINT size) {
  SendGetTextMessage(window, buffer, size, SendMessageTimeoutW);
}

namespace {

// The bytes the ANSI answer begins with, when it begins with 0xFF: that is how
// the inspection knows the text of a resource identifier, and the rule must
// give today's answer for every text the code page holds. A title made with
// the W entry points carries the identifier after U+FFFF instead.
bool ResourceIdentifierBytes(const wchar_t* text, size_t length, char (&bytes)[3]) {
  if (length == 0) return false;
  if (text[0] == 0xFFFF) {
    const unsigned id = length > 1 ? text[1] : 0;
    bytes[0] = '\xFF';
    bytes[1] = static_cast<char>(id & 0xFF);
    bytes[2] = static_cast<char>(id >> 8);
    return true;
  }
  char ansi[8] = {};
  const int head = static_cast<int>(std::min<size_t>(length, 3));
  const int n = WideCharToMultiByte(CP_ACP, 0, text, head, ansi, sizeof ansi, nullptr, nullptr);
  if (n <= 0 || static_cast<unsigned char>(ansi[0]) != 0xFF) return false;
  bytes[0] = ansi[0];
  bytes[1] = n > 1 ? ansi[1] : 0;
  bytes[2] = n > 2 ? ansi[2] : 0;
  return true;
}

void PutUtf8(const wchar_t* text, char* out, size_t size) {
  if (size == 0) return;
  const size_t length = wcsnlen(text, kTextBufferSize - 1);
  char id[3];
  if (ResourceIdentifierBytes(text, length, id)) {
    for (size_t i = 0; i < 3 && i + 1 < size; ++i) out[i] = id[i];
    out[std::min<size_t>(3, size - 1)] = 0;
    return;
  }
  const std::string utf8 = Narrow(text, length);
  const size_t n = Utf8FitBytes(utf8, size - 1);
  std::memcpy(out, utf8.data(), n);
  out[n] = 0;
}

}  // namespace

std::string WindowTextUtf8(HWND window) {
  std::vector<wchar_t> wide(kTextBufferSize);
  GetTextWithTimeoutW(window, wide.data(), kTextBufferSize);
  return Narrow(wide.data(), wcsnlen(wide.data(), kTextBufferSize - 1));
}

namespace {

BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<Hwnd>*>(list)->push_back(FromHwnd(w));
  return TRUE;
}

WinRect FromRect(const RECT& r) {
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
          static_cast<int32_t>(r.bottom)};
}

}  // namespace

std::vector<Hwnd> Win32WindowSystem::TopLevelWindows() const {
  std::vector<Hwnd> list;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
  return list;
}

std::vector<Hwnd> Win32WindowSystem::ChildWindows(Hwnd parent) const {
  std::vector<Hwnd> list;
  EnumChildWindows(ToHwnd(parent), CollectWindow, reinterpret_cast<LPARAM>(&list));
  return list;
}

bool Win32WindowSystem::IsWindow(Hwnd w) const { return ::IsWindow(ToHwnd(w)) != FALSE; }

Hwnd Win32WindowSystem::Desktop() const { return FromHwnd(GetDesktopWindow()); }

Hwnd Win32WindowSystem::Parent(Hwnd w) const { return FromHwnd(GetParent(ToHwnd(w))); }

// The Ptr forms are GetWindowLongA and GetClassLongA in a 32-bit build; they let
// a 64-bit build read the same slots, cut to the 32 bits that are shown.
uint32_t Win32WindowSystem::WindowLong(Hwnd w, int index) const {
  return static_cast<uint32_t>(GetWindowLongPtrA(ToHwnd(w), index));
}

uint32_t Win32WindowSystem::ClassLong(Hwnd w, int index) const {
  return static_cast<uint32_t>(GetClassLongPtrA(ToHwnd(w), index));
}

uint64_t Win32WindowSystem::WindowLongPtr(Hwnd w, int index) const {
  return static_cast<uint64_t>(static_cast<uintptr_t>(GetWindowLongPtrA(ToHwnd(w), index)));
}

uint64_t Win32WindowSystem::ClassLongPtr(Hwnd w, int index) const {
  return static_cast<uint64_t>(GetClassLongPtrA(ToHwnd(w), index));
}

uint32_t Win32WindowSystem::ProcessId(Hwnd w) const {
  DWORD pid = 0;
  GetWindowThreadProcessId(ToHwnd(w), &pid);
  return pid;
}

uint32_t Win32WindowSystem::ThreadId(Hwnd w) const { return GetWindowThreadProcessId(ToHwnd(w), nullptr); }

Hwnd Win32WindowSystem::Menu(Hwnd w) const {
  return static_cast<Hwnd>(reinterpret_cast<uintptr_t>(GetMenu(ToHwnd(w))));
}

bool Win32WindowSystem::IsVisible(Hwnd w) const { return IsWindowVisible(ToHwnd(w)) != FALSE; }

// Tree builds read thousands of names in a row: one buffer serves them all, and
// only the returned length is taken, so it is never cleared.
std::string Win32WindowSystem::ClassName(Hwnd w) const {
  m_buffer.resize(kTextBufferSize);
  int n = GetClassNameW(ToHwnd(w), m_buffer.data(), kTextBufferSize);
  if (n <= 0) return std::string();
  return Narrow(m_buffer.data(), wcsnlen(m_buffer.data(), std::min<size_t>(n, kTextBufferSize - 1)));
}

std::string Win32WindowSystem::BaseClassName(Hwnd w) const {
  m_buffer.resize(kTextBufferSize);
  const UINT n = RealGetWindowClassW(ToHwnd(w), m_buffer.data(), kTextBufferSize);
  if (n == 0) return std::string();
  return Narrow(m_buffer.data(), wcsnlen(m_buffer.data(), std::min<size_t>(n, kTextBufferSize - 1)));
}

bool Win32WindowSystem::SendQuery(Hwnd w, uint32_t message, uint32_t* result) const {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(ToHwnd(w), message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGetTextTimeoutMs, &answer))
    return false;
  *result = static_cast<uint32_t>(answer);
  return true;
}

std::string Win32WindowSystem::WindowText(Hwnd w) const {
  m_buffer.resize(kTextBufferSize);
  // GetWindowTextW sends WM_GETTEXT to a window of another thread of this
  // process and waits without end if that thread hangs; the text the system
  // keeps for the window needs no answer.
  HWND h = ToHwnd(w);
  DWORD processId = 0;
  const DWORD threadId = GetWindowThreadProcessId(h, &processId);
  const bool otherThreadOfOurs = processId == GetCurrentProcessId() && threadId != GetCurrentThreadId();
  int n = otherThreadOfOurs ? InternalGetWindowText(h, m_buffer.data(), kTextBufferSize)
                            : GetWindowTextW(h, m_buffer.data(), kTextBufferSize);
  if (n <= 0) return std::string();
  return Narrow(m_buffer.data(), wcsnlen(m_buffer.data(), std::min<size_t>(n, kTextBufferSize - 1)));
}

void Win32WindowSystem::SendGetText(Hwnd w, char* buffer, uint32_t size) const {
  if (buffer == nullptr || size == 0) return;
  // A window of another thread of this process may still write into the wide
  // buffer after the time-out; the caller's buffer is never given to it.
  std::memset(buffer, 0, size);
  m_buffer.resize(kTextBufferSize);
  GetTextWithTimeoutW(ToHwnd(w), m_buffer.data(), kTextBufferSize);
  PutUtf8(m_buffer.data(), buffer, size);
}

WinRect Win32WindowSystem::WindowRect(Hwnd w) const {
  RECT r = {};
  if (!GetWindowRect(ToHwnd(w), &r)) return WinRect{};
  return FromRect(r);
}

WinRect Win32WindowSystem::ClientRect(Hwnd w) const {
  RECT r = {};
  if (!GetClientRect(ToHwnd(w), &r)) return WinRect{};
  return FromRect(r);
}

WinRect Win32WindowSystem::ScreenToClientRect(Hwnd to, WinRect r) const {
  POINT points[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(nullptr, ToHwnd(to), points, 2);
  return {static_cast<int32_t>(points[0].x), static_cast<int32_t>(points[0].y),
          static_cast<int32_t>(points[1].x), static_cast<int32_t>(points[1].y)};
}

WinPoint Win32WindowSystem::ScreenToClient(Hwnd w, WinPoint p) const {
  POINT pt = {p.x, p.y};
  ::ScreenToClient(ToHwnd(w), &pt);
  return {static_cast<int32_t>(pt.x), static_cast<int32_t>(pt.y)};
}

Hwnd Win32WindowSystem::WindowFromPoint(WinPoint screen) const {
  POINT pt = {screen.x, screen.y};
  return FromHwnd(::WindowFromPoint(pt));
}

Hwnd Win32WindowSystem::ChildWindowFromPoint(Hwnd w, WinPoint client) const {
  POINT pt = {client.x, client.y};
  return FromHwnd(::ChildWindowFromPoint(ToHwnd(w), pt));
}
