#include "msglog/LogSession.h"

#include <algorithm>

#include "msghook/HookApi.h"
#include "platform/ReportFile.h"

namespace msglog {

namespace {

constexpr int kOwnBits = sizeof(void*) * 8;

// The hook DLL beside the program, loaded once and kept: the system needs it
// in this process while any hook of it is installed.
struct HookDll {
  HMODULE module = nullptr;
  TarviskHookClaimSlotFn claim = nullptr;
  TarviskHookReleaseSlotFn release = nullptr;
  TarviskHookProcsFn procs = nullptr;
  std::string path;
  DWORD error = 0;
};

const HookDll& Dll() {
  static const HookDll dll = [] {
    HookDll d;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of("\\/") + 1);
    d.path = folder + "TarviskHook.dll";
    d.module = LoadLibraryA(d.path.c_str());
    if (!d.module) {
      d.error = GetLastError();
      return d;
    }
    d.claim = reinterpret_cast<TarviskHookClaimSlotFn>(
        reinterpret_cast<void*>(GetProcAddress(d.module, "TarviskHookClaimSlot")));
    d.release = reinterpret_cast<TarviskHookReleaseSlotFn>(
        reinterpret_cast<void*>(GetProcAddress(d.module, "TarviskHookReleaseSlot")));
    d.procs = reinterpret_cast<TarviskHookProcsFn>(
        reinterpret_cast<void*>(GetProcAddress(d.module, "TarviskHookProcs")));
    if (!d.claim || !d.release || !d.procs) d.error = ERROR_PROC_NOT_FOUND;
    return d;
  }();
  return dll;
}

BOOL CALLBACK CollectThread(HWND child, LPARAM param) {
  auto* threads = reinterpret_cast<std::vector<DWORD>*>(param);
  const DWORD thread = GetWindowThreadProcessId(child, nullptr);
  if (std::find(threads->begin(), threads->end(), thread) == threads->end()) threads->push_back(thread);
  return TRUE;
}

std::string HandleText(HWND h) {
  char buf[16];
  wsprintfA(buf, "0x%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(h)));
  return buf;
}

}  // namespace

std::string OtherBitnessProblem(HWND target) {
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return "";  // not known: the hooks will tell
  BOOL targetWow = FALSE, ownWow = FALSE;
  const bool known = IsWow64Process(process, &targetWow) && IsWow64Process(GetCurrentProcess(), &ownWow);
  CloseHandle(process);
  if (!known) return "";
  // A 32-bit program on a 32-bit system is no WOW64 process either.
  const bool system64 = kOwnBits == 64 || ownWow;
  const int targetBits = system64 && !targetWow ? 64 : 32;
  if (targetBits == kOwnBits) return "";
  return "The window " + HandleText(target) + " belongs to a " + std::to_string(targetBits) +
         "-bit program, and this Tarvisk is " + std::to_string(kOwnBits) +
         "-bit. Message hooks work only within one bitness: log this window with the " +
         std::to_string(targetBits) + "-bit Tarvisk (Tarvisk-5.3-" + (targetBits == 64 ? "x64" : "win32") +
         ").";
}

std::string LogSession::Start(HWND target, bool descendants, uint32_t ringCapacity) {
  Stop();
  if (!IsWindow(target)) return "The window " + HandleText(target) + " no longer exists.";
  std::string problem = OtherBitnessProblem(target);
  if (!problem.empty()) return problem;
  const HookDll& dll = Dll();
  if (dll.error) return "Cannot load " + dll.path + ": " + SystemErrorText(dll.error);
  if (!IsRingCapacity(ringCapacity)) ringCapacity = kDefaultRingCapacity;

  uint32_t generation = 0;
  const DWORD pid = GetCurrentProcessId();
  const int slot = dll.claim(pid, &generation);
  if (slot < 0) return "Too many message logs are open; close one first.";
  char name[64];
  FormatRingName(name, sizeof name, pid, static_cast<uint32_t>(slot), generation);
  const size_t bytes = RingBytes(ringCapacity);
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(bytes), name);
  void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0) : nullptr;
  if (!view) {
    const DWORD code = GetLastError();
    if (mapping) CloseHandle(mapping);
    dll.release(slot, pid);
    return "Cannot make the log's shared memory: " + SystemErrorText(code);
  }
  m_target = target;
  m_mapping = mapping;
  m_slot = slot;
  m_reader = RingReader();
  m_ring = InitRing(view, ringCapacity, static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(target)));
  m_startTick = GetTickCount();
  dll.procs(slot, &m_procs[0], &m_procs[1], &m_procs[2]);
  if (!HookThread(GetWindowThreadProcessId(target, nullptr))) {
    const DWORD code = GetLastError();
    Stop();
    return "Cannot hook the window " + HandleText(target) + ": " + SystemErrorText(code);
  }
  SetDescendants(descendants);
  return "";
}

bool LogSession::HookThread(DWORD thread) {
  if (!thread || std::find(m_threads.begin(), m_threads.end(), thread) != m_threads.end()) return true;
  const int kinds[3] = {WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE};
  std::vector<HHOOK> made;
  for (int i = 0; i < 3; ++i) {
    HHOOK h = SetWindowsHookExA(kinds[i], m_procs[i], Dll().module, thread);
    if (!h) {
      const DWORD code = GetLastError();
      for (HHOOK m : made) UnhookWindowsHookEx(m);
      SetLastError(code);
      return false;
    }
    made.push_back(h);
  }
  m_threads.push_back(thread);
  m_hooks.insert(m_hooks.end(), made.begin(), made.end());
  return true;
}

void LogSession::SetDescendants(bool on) {
  if (!m_ring) return;
  if (on) {
    // Children made later on yet another thread are not seen; those of the
    // threads hooked here are.
    std::vector<DWORD> threads;
    EnumChildWindows(m_target, CollectThread, reinterpret_cast<LPARAM>(&threads));
    for (DWORD t : threads) HookThread(t);
  }
  m_ring->descendants.store(m_wholeThread ? kWholeThread : on ? 1 : 0);
}

void LogSession::SetActive(bool on) {
  if (m_ring) m_ring->active.store(on ? 1 : 0);
}

size_t LogSession::Read(std::vector<RecordData>& out) {
  if (!m_ring) return 0;
  if (m_buffer.empty()) m_buffer.resize(4096);
  size_t total = 0;
  for (;;) {
    const size_t n = m_reader.Read(m_ring, m_buffer.data(), m_buffer.size());
    out.insert(out.end(), m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(n));
    total += n;
    if (n < m_buffer.size()) break;
  }
  return total;
}

void LogSession::Stop() {
  if (!m_ring) return;
  // The hooks may still run once more in the target while they go; they see
  // the ring inactive and leave it alone.
  m_ring->active.store(0);
  for (HHOOK h : m_hooks) UnhookWindowsHookEx(h);
  m_hooks.clear();
  m_threads.clear();
  m_lostAtStop = m_reader.Lost(m_ring);
  Dll().release(m_slot, GetCurrentProcessId());
  UnmapViewOfFile(m_ring);
  CloseHandle(m_mapping);
  m_ring = nullptr;
  m_mapping = nullptr;
  m_slot = -1;
}

}  // namespace msglog
