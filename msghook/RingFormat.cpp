#include "msghook/RingFormat.h"

#include <cstring>
#include <new>

namespace msglog {

RingHeader* InitRing(void* memory, uint32_t capacity, uint32_t target) {
  auto* h = new (memory) RingHeader();
  h->magic = kRingMagic;
  h->recordSize = sizeof(MessageRecord);
  h->capacity = capacity;
  h->target = target;
  h->descendants.store(0);
  h->active.store(1);
  h->reserve.store(0);
  h->read.store(0);
  h->dropped.store(0);
  MessageRecord* records = RingRecords(h);
  for (uint32_t i = 0; i < capacity; ++i) new (&records[i].commit) std::atomic<uint32_t>(0);
  return h;
}

size_t RingReader::Read(RingHeader* h, RecordData* out, size_t max) {
  const uint32_t capacity = h->capacity;
  size_t n = 0;
  uint32_t r = h->read.load(std::memory_order_relaxed);
  while (n < max) {
    const uint32_t w = h->reserve.load(std::memory_order_acquire);
    if (r == w) break;
    MessageRecord& rec = RingRecords(h)[r & (capacity - 1)];
    if (rec.commit.load(std::memory_order_acquire) != r + 1) {
      if (r == m_stalledIndex && ++m_stalledReads >= m_patience) {
        ++m_skipped;
        m_stalledReads = 0;
        ++r;
        continue;
      }
      if (r != m_stalledIndex) {
        m_stalledIndex = r;
        m_stalledReads = 1;
      }
      break;
    }
    std::memcpy(&out[n], &rec.d, sizeof(RecordData));
    out[n].windowClass[kClassBound - 1] = '\0';
    out[n].text[kTextBound - 1] = '\0';
    ++n;
    ++r;
  }
  h->read.store(r, std::memory_order_release);
  return n;
}

namespace {
char* PutDecimal(char* p, char* end, uint32_t v) {
  char digits[10];
  int k = 0;
  do {
    digits[k++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  while (k && p < end) *p++ = digits[--k];
  return k ? nullptr : p;
}
}  // namespace

bool FormatRingName(char* buf, size_t size, uint32_t pid, uint32_t slot, uint32_t generation) {
  static const char prefix[] = "Local\\TarviskMsgLog.";
  if (size < sizeof prefix) return false;
  char* p = buf;
  char* end = buf + size - 1;
  for (const char* s = prefix; *s; ++s) *p++ = *s;
  const uint32_t parts[3] = {pid, slot, generation};
  for (int i = 0; i < 3 && p; ++i) {
    if (i) {
      if (p >= end) return false;
      *p++ = '.';
    }
    p = PutDecimal(p, end, parts[i]);
  }
  if (!p) return false;
  *p = '\0';
  return true;
}

}  // namespace msglog
