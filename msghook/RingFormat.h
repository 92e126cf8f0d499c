#pragma once
// The shared memory between the hook DLL, running inside the logged program,
// and the log: a header, then `capacity` fixed-size records. Both sides are
// always of one bitness, but the layout uses fixed-size types only. Lock-free
// 32-bit atomics are address-free, so they work between the two processes'
// views of the same pages. The writer side allocates nothing, takes no lock
// and never waits: a full ring drops the record and counts it.
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace msglog {

enum RecordKind : uint32_t { kKindSent = 1, kKindReturned = 2, kKindPosted = 3 };

// Which of a record's captured parts are filled.
enum RecordFlags : uint32_t {
  kHasText = 1,          // text: WM_SETTEXT's text
  kHasControlClass = 2,  // text: class of the control a WM_COMMAND or WM_NOTIFY names
  kHasWindowPos = 4,     // data: WINDOWPOS after, x, y, cx, cy, flags
  kHasNotifyHeader = 8,  // data: NMHDR from, id, code
};

constexpr size_t kClassBound = 32;  // characters kept, terminating zero included
constexpr size_t kTextBound = 64;

// One message as the hook saw it; the log keeps its own copy.
struct RecordData {
  uint32_t kind;
  uint32_t hwnd;
  uint32_t message;
  uint32_t tick;  // the system's millisecond tick when the hook ran
  uint64_t wParam, lParam, result;
  uint32_t flags;
  int32_t data[6];
  char windowClass[kClassBound];
  char text[kTextBound];
};

struct MessageRecord {
  std::atomic<uint32_t> commit;  // ring index + 1 once the record is complete
  uint32_t reserved;
  RecordData d;
};

constexpr uint32_t kRingMagic = 0x4C4D5654;  // "TVML"

struct RingHeader {
  uint32_t magic;
  uint32_t recordSize;
  uint32_t capacity;  // a power of two, so that indices may wrap around 2^32
  uint32_t target;    // the logged window
  std::atomic<uint32_t> descendants;  // 1: its descendants' messages too; kWholeThread: every window of the hooked thread
  std::atomic<uint32_t> active;       // 0: the hooks record nothing (paused or ending)
  std::atomic<uint32_t> reserve;      // next index handed to a writer
  std::atomic<uint32_t> read;         // next index the log reads
  std::atomic<uint32_t> dropped;      // records given up because the ring was full
  uint32_t padding[7];
};
static_assert(sizeof(RingHeader) == 64, "records start on a 64-byte boundary");
static_assert(sizeof(MessageRecord) % 8 == 0, "records keep their 64-bit fields aligned");

// RingHeader::descendants of a log of a whole thread: the hook runs only in
// that thread, so every window it sees belongs to it.
constexpr uint32_t kWholeThread = 2;

inline size_t RingBytes(uint32_t capacity) {
  return sizeof(RingHeader) + static_cast<size_t>(capacity) * sizeof(MessageRecord);
}
inline bool IsRingCapacity(uint32_t capacity) {
  return capacity >= 2 && capacity <= (1u << 24) && (capacity & (capacity - 1)) == 0;
}
inline MessageRecord* RingRecords(RingHeader* h) { return reinterpret_cast<MessageRecord*>(h + 1); }

// Lays out a fresh ring in `memory` (RingBytes(capacity) bytes, zeroed).
RingHeader* InitRing(void* memory, uint32_t capacity, uint32_t target);

// Hands out the record for one message, or nullptr when the ring is full
// (the drop is counted). Contended writers retry a few times, never wait.
inline MessageRecord* RingReserve(RingHeader* h, uint32_t* index) {
  const uint32_t capacity = h->capacity;
  for (int attempt = 0; attempt < 8; ++attempt) {
    uint32_t w = h->reserve.load(std::memory_order_relaxed);
    const uint32_t r = h->read.load(std::memory_order_acquire);
    if (w - r >= capacity) break;
    if (h->reserve.compare_exchange_weak(w, w + 1, std::memory_order_acq_rel)) {
      *index = w;
      return &RingRecords(h)[w & (capacity - 1)];
    }
  }
  h->dropped.fetch_add(1, std::memory_order_relaxed);
  return nullptr;
}

inline void RingCommit(MessageRecord* record, uint32_t index) {
  record->commit.store(index + 1, std::memory_order_release);
}

// The log's side: takes the complete records in order. A record reserved but
// never completed (its writer's process died in between) would hold up the
// ring for good; after `patience` reads that find it still incomplete it is
// passed over and counted as lost.
class RingReader {
 public:
  explicit RingReader(uint32_t patience = 40) : m_patience(patience) {}
  // Appends at most `max` records to out[0..]; returns how many. Texts come
  // back zero-terminated within their bounds whatever the writer left there.
  size_t Read(RingHeader* h, RecordData* out, size_t max);
  // Records lost so far: dropped by writers plus passed over here.
  uint32_t Lost(const RingHeader* h) const {
    return h->dropped.load(std::memory_order_relaxed) + m_skipped;
  }

 private:
  uint32_t m_patience;
  uint32_t m_stalledIndex = 0;
  uint32_t m_stalledReads = 0;
  uint32_t m_skipped = 0;
};

// "Local\TarviskMsgLog.<pid>.<slot>.<generation>" into buf; written without
// allocation because the hook computes it inside the logged program.
// Returns false when buf is too small.
bool FormatRingName(char* buf, size_t size, uint32_t pid, uint32_t slot, uint32_t generation);

}  // namespace msglog
