// TarviskHook.dll: loaded by the system into the logged program, where its
// hook procedures copy each message of the logged window into the log's
// shared ring. The hook path allocates nothing, sends nothing, waits for
// nothing and cannot throw (the DLL is built without exceptions): a full or
// missing ring only means the message goes unrecorded.
//
// A hook procedure is not told which hook called it, and several logs may
// hook one thread; so each log owns a slot, and each slot has procedures of
// its own (instances of one template), whose slot number is built in.
#include <windows.h>

#include <cstdint>

#include "msghook/HookApi.h"
#include "msghook/RingFormat.h"

using msglog::MessageRecord;
using msglog::RingHeader;

namespace {

// Shared by every process that loads this DLL: which log owns each slot.
struct SharedSlot {
  volatile LONG owner;       // pid of the log's process, 0 when free
  volatile LONG generation;  // changes with every claim, naming a new ring
};
__attribute__((section(".shr"), shared)) SharedSlot g_slots[kTarviskHookSlots] = {};

// This process's view of each slot's ring, opened on first use.
struct View {
  volatile LONG generation;  // the generation this view belongs to; 0 for none
  volatile LONG failed;      // the generation whose ring could not be opened
  HANDLE mapping;
  RingHeader* ring;
  // The view of the slot's previous log, kept one generation longer: another
  // thread of this program may still be writing into it.
  HANDLE retiredMapping;
  RingHeader* retired;
};
View g_views[kTarviskHookSlots];

RingHeader* OpenRing(int slot) {
  const LONG owner = g_slots[slot].owner;
  const LONG generation = g_slots[slot].generation;
  View& v = g_views[slot];
  if (!owner) return nullptr;
  if (v.generation == generation && v.ring) return v.ring;
  if (v.failed == generation) return nullptr;
  if (v.ring) {
    if (v.retired) {
      UnmapViewOfFile(v.retired);
      CloseHandle(v.retiredMapping);
    }
    v.retired = v.ring;
    v.retiredMapping = v.mapping;
    v.ring = nullptr;
    v.mapping = nullptr;
    v.generation = 0;
  }
  char name[64];
  HANDLE mapping = nullptr;
  void* view = nullptr;
  if (msglog::FormatRingName(name, sizeof name, static_cast<uint32_t>(owner), static_cast<uint32_t>(slot),
                             static_cast<uint32_t>(generation))) {
    mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
    if (mapping) view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
  }
  auto* ring = static_cast<RingHeader*>(view);
  MEMORY_BASIC_INFORMATION mbi;
  if (!ring || VirtualQuery(ring, &mbi, sizeof mbi) != sizeof mbi || ring->magic != msglog::kRingMagic ||
      ring->recordSize != sizeof(MessageRecord) || !msglog::IsRingCapacity(ring->capacity) ||
      mbi.RegionSize < msglog::RingBytes(ring->capacity)) {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    v.failed = generation;
    return nullptr;
  }
  v.mapping = mapping;
  v.ring = ring;
  v.generation = generation;
  return ring;
}

bool Wanted(RingHeader* ring, HWND hwnd) {
  if (!ring->active.load(std::memory_order_relaxed)) return false;
  const HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(ring->target));
  if (hwnd == target) return true;
  const uint32_t descendants = ring->descendants.load(std::memory_order_relaxed);
  return descendants == msglog::kWholeThread || (descendants != 0 && IsChild(target, hwnd));
}

void CopyText(char* dest, size_t bound, const char* src) {
  size_t i = 0;
  for (; i + 1 < bound && src[i]; ++i) dest[i] = src[i];
  dest[i] = '\0';
}

// Wine 8 hands a hook the lParam of a message sent from another process as
// the sender had it, before unpacking it into this process: the pointer then
// names the sender's memory. Windows hands the unpacked copy. Under Wine
// pointers are therefore read only in messages this thread sent itself.
bool g_onWine = false;

bool PointersValid() { return !g_onWine || InSendMessageEx(nullptr) == ISMEX_NOSEND; }

uint32_t Handle32(HWND h) { return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(h)); }

// The parts of a message that point into the target's memory are read here,
// the only place where they are valid. IsBad*Ptr make the read safe: they
// catch the fault of a bad pointer inside the system, which MinGW's compiler
// cannot do with __try.
void Capture(msglog::RecordData& d, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  d.flags = 0;
  GetClassNameA(hwnd, d.windowClass, sizeof d.windowClass);
  const void* p = reinterpret_cast<const void*>(lParam);
  switch (message) {
    case WM_SETTEXT:
      if (d.kind == msglog::kKindReturned) {
        // What the window holds now: InternalGetWindowText reads it without
        // sending WM_GETTEXT, so nothing re-enters the window from here.
        WCHAR wide[msglog::kTextBound];
        const int n = InternalGetWindowText(hwnd, wide, msglog::kTextBound);
        if (n >= 0 && WideCharToMultiByte(CP_ACP, 0, wide, n + 1, d.text, sizeof d.text, nullptr, nullptr))
          d.flags |= msglog::kHasText;
      } else if (PointersValid() && p && !IsBadStringPtrA(static_cast<const char*>(p), msglog::kTextBound - 1)) {
        CopyText(d.text, sizeof d.text, static_cast<const char*>(p));
        d.flags |= msglog::kHasText;
      }
      break;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
      if (PointersValid() && p && !IsBadReadPtr(p, sizeof(WINDOWPOS))) {
        const auto* wp = static_cast<const WINDOWPOS*>(p);
        d.data[0] = static_cast<int32_t>(Handle32(wp->hwndInsertAfter));
        d.data[1] = wp->x;
        d.data[2] = wp->y;
        d.data[3] = wp->cx;
        d.data[4] = wp->cy;
        d.data[5] = static_cast<int32_t>(wp->flags);
        d.flags |= msglog::kHasWindowPos;
      }
      break;
    case WM_NOTIFY:
      if (PointersValid() && p && !IsBadReadPtr(p, sizeof(NMHDR))) {
        const auto* hdr = static_cast<const NMHDR*>(p);
        d.data[0] = static_cast<int32_t>(Handle32(hdr->hwndFrom));
        d.data[1] = static_cast<int32_t>(hdr->idFrom);
        d.data[2] = static_cast<int32_t>(hdr->code);
        d.flags |= msglog::kHasNotifyHeader;
        if (GetClassNameA(hdr->hwndFrom, d.text, sizeof d.text)) d.flags |= msglog::kHasControlClass;
      }
      break;
    case WM_COMMAND:
      if (lParam && GetClassNameA(reinterpret_cast<HWND>(lParam), d.text, sizeof d.text))
        d.flags |= msglog::kHasControlClass;
      break;
  }
  (void)wParam;
}

void Record(int slot, uint32_t kind, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
            LRESULT result) {
  RingHeader* ring = OpenRing(slot);
  if (!ring || !Wanted(ring, hwnd)) return;
  uint32_t index = 0;
  MessageRecord* rec = msglog::RingReserve(ring, &index);
  if (!rec) return;
  msglog::RecordData& d = rec->d;
  d.kind = kind;
  d.hwnd = Handle32(hwnd);
  d.message = message;
  d.tick = GetTickCount();
  d.wParam = static_cast<uint64_t>(wParam);
  d.lParam = static_cast<uint64_t>(static_cast<UINT_PTR>(lParam));
  d.result = static_cast<uint64_t>(static_cast<UINT_PTR>(result));
  d.windowClass[0] = d.text[0] = '\0';
  Capture(d, hwnd, message, wParam, lParam);
  msglog::RingCommit(rec, index);
}

template <int Slot>
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && lParam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Record(Slot, msglog::kKindSent, cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <int Slot>
LRESULT CALLBACK CallWndRetProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && lParam) {
    const auto* cwp = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    Record(Slot, msglog::kKindReturned, cwp->hwnd, cwp->message, cwp->wParam, cwp->lParam, cwp->lResult);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <int Slot>
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  // A message only peeked at is seen again when it is taken.
  if (code == HC_ACTION && wParam == PM_REMOVE && lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->hwnd) Record(Slot, msglog::kKindPosted, msg->hwnd, msg->message, msg->wParam, msg->lParam, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct SlotProcs {
  HOOKPROC callWnd, callWndRet, getMsg;
};
#define TARVISK_SLOT(n) {CallWndProc<n>, CallWndRetProc<n>, GetMsgProc<n>}
const SlotProcs kProcs[kTarviskHookSlots] = {
    TARVISK_SLOT(0),  TARVISK_SLOT(1),  TARVISK_SLOT(2),  TARVISK_SLOT(3),
    TARVISK_SLOT(4),  TARVISK_SLOT(5),  TARVISK_SLOT(6),  TARVISK_SLOT(7),
    TARVISK_SLOT(8),  TARVISK_SLOT(9),  TARVISK_SLOT(10), TARVISK_SLOT(11),
    TARVISK_SLOT(12), TARVISK_SLOT(13), TARVISK_SLOT(14), TARVISK_SLOT(15),
};
#undef TARVISK_SLOT

bool ProcessGone(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return gone;
}

}  // namespace

extern "C" {

__declspec(dllexport) int TarviskHookClaimSlot(uint32_t pid, uint32_t* generation) {
  for (int i = 0; i < kTarviskHookSlots; ++i) {
    LONG owner = g_slots[i].owner;
    // A slot whose log's process ended without releasing it is free again.
    if (owner && !ProcessGone(static_cast<DWORD>(owner))) continue;
    if (InterlockedCompareExchange(&g_slots[i].owner, static_cast<LONG>(pid), owner) != owner) continue;
    LONG g = InterlockedIncrement(&g_slots[i].generation);
    if (g == 0) g = InterlockedIncrement(&g_slots[i].generation);
    *generation = static_cast<uint32_t>(g);
    return i;
  }
  return -1;
}

__declspec(dllexport) void TarviskHookReleaseSlot(int slot, uint32_t pid) {
  if (slot < 0 || slot >= kTarviskHookSlots) return;
  InterlockedCompareExchange(&g_slots[slot].owner, 0, static_cast<LONG>(pid));
}

__declspec(dllexport) int TarviskHookProcs(int slot, HOOKPROC* callWnd, HOOKPROC* callWndRet,
                                           HOOKPROC* getMsg) {
  if (slot < 0 || slot >= kTarviskHookSlots) return 0;
  *callWnd = kProcs[slot].callWnd;
  *callWndRet = kProcs[slot].callWndRet;
  *getMsg = kProcs[slot].getMsg;
  return 1;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_onWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  }
  // At process exit (reserved non-null) the system takes the views itself.
  if (reason == DLL_PROCESS_DETACH && !reserved) {
    for (View& v : g_views) {
      if (v.ring) UnmapViewOfFile(v.ring);
      if (v.retired) UnmapViewOfFile(v.retired);
      if (v.mapping) CloseHandle(v.mapping);
      if (v.retiredMapping) CloseHandle(v.retiredMapping);
      v = View{};
    }
  }
  return TRUE;
}
