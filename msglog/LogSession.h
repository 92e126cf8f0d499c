#pragma once
// One log's connection to its target: the shared ring, the slot in the hook
// DLL and the hooks on the target's threads. Nothing here sends a message to
// the target or waits for it, so a hung target cannot hang the log.
#include <windows.h>

#include <string>
#include <vector>

#include "msghook/RingFormat.h"

namespace msglog {

constexpr uint32_t kDefaultRingCapacity = 16384;

// The reason a target cannot be logged by this build because it is of the
// other bitness, or "" when the bitness matches.
std::string OtherBitnessProblem(HWND target);

class LogSession {
 public:
  LogSession() = default;
  ~LogSession() { Stop(); }
  LogSession(const LogSession&) = delete;
  LogSession& operator=(const LogSession&) = delete;

  // Starts logging `target`; "" on success, otherwise the reason for the user.
  std::string Start(HWND target, bool descendants, uint32_t ringCapacity = kDefaultRingCapacity);
  // Every window of the target's thread (descendants then add nothing).
  void SetWholeThread() {
    m_wholeThread = true;
    if (m_ring) m_ring->descendants.store(kWholeThread);
  }
  // Removes the hooks; what was read stays with the caller.
  void Stop();
  bool Running() const { return m_ring != nullptr; }

  // With descendants, the threads of the target's children are hooked too.
  void SetDescendants(bool on);
  // While inactive, the hooks record nothing (the target pays almost nothing).
  void SetActive(bool on);
  // Appends the records that have arrived; returns how many.
  size_t Read(std::vector<RecordData>& out);
  // Messages not recorded so far (full ring, lost writers).
  uint32_t Lost() const { return m_ring ? m_reader.Lost(m_ring) : m_lostAtStop; }
  uint32_t StartTick() const { return m_startTick; }
  HWND Target() const { return m_target; }

 private:
  bool HookThread(DWORD thread);

  HWND m_target = nullptr;
  bool m_wholeThread = false;
  HANDLE m_mapping = nullptr;
  RingHeader* m_ring = nullptr;
  RingReader m_reader;
  int m_slot = -1;
  uint32_t m_startTick = 0;
  uint32_t m_lostAtStop = 0;
  std::vector<DWORD> m_threads;
  std::vector<HHOOK> m_hooks;
  HOOKPROC m_procs[3] = {};
  std::vector<RecordData> m_buffer;
};

}  // namespace msglog
