#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "msghook/RingFormat.h"

using namespace msglog;

namespace {

struct Ring {
  explicit Ring(uint32_t capacity) : memory(RingBytes(capacity) / 8 + 1, 0) {
    h = InitRing(memory.data(), capacity, 0x1234);
  }
  bool Write(uint32_t message) {
    uint32_t index = 0;
    MessageRecord* rec = RingReserve(h, &index);
    if (!rec) return false;
    rec->d = RecordData{};
    rec->d.message = message;
    RingCommit(rec, index);
    return true;
  }
  std::vector<uint64_t> memory;
  RingHeader* h;
};

std::vector<uint32_t> ReadAll(RingReader& reader, RingHeader* h) {
  std::vector<RecordData> out(64);
  std::vector<uint32_t> messages;
  size_t n;
  while ((n = reader.Read(h, out.data(), out.size())) > 0) {
    for (size_t i = 0; i < n; ++i) messages.push_back(out[i].message);
  }
  return messages;
}

}  // namespace

TEST(MessageLogRing, KeepsOrderAcrossTheIndexWrapAndCountsWhatDoesNotFit) {
  Ring ring(8);
  // Indices are free-running 32-bit counters; start just before they wrap.
  ring.h->reserve.store(0xFFFFFFFCu);
  ring.h->read.store(0xFFFFFFFCu);
  RingReader reader;
  uint32_t next = 0;
  std::vector<uint32_t> seen;
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 11; ++i) ring.Write(next++);  // 3 of each 11 do not fit
    for (uint32_t m : ReadAll(reader, ring.h)) seen.push_back(m);
  }
  ASSERT_EQ(seen.size(), 40u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_LT(seen[i - 1], seen[i]);
  EXPECT_EQ(seen.front(), 0u);
  EXPECT_EQ(reader.Lost(ring.h), 15u);
}

TEST(MessageLogRing, AnIncompleteRecordHoldsTheReaderOnlyForItsPatience) {
  Ring ring(8);
  RingReader reader(3);
  uint32_t index = 0;
  ASSERT_NE(RingReserve(ring.h, &index), nullptr);  // a writer that never finishes
  ring.Write(7);
  EXPECT_TRUE(ReadAll(reader, ring.h).empty());
  EXPECT_TRUE(ReadAll(reader, ring.h).empty());
  EXPECT_EQ(ReadAll(reader, ring.h), std::vector<uint32_t>{7});
  EXPECT_EQ(reader.Lost(ring.h), 1u);
}

TEST(MessageLogRing, TextsComeBackTerminatedWhateverTheWriterLeft) {
  Ring ring(4);
  uint32_t index = 0;
  MessageRecord* rec = RingReserve(ring.h, &index);
  std::memset(&rec->d, 'x', sizeof rec->d);
  RingCommit(rec, index);
  RingReader reader;
  RecordData out;
  ASSERT_EQ(reader.Read(ring.h, &out, 1), 1u);
  EXPECT_EQ(std::strlen(out.text), kTextBound - 1);
  EXPECT_EQ(std::strlen(out.windowClass), kClassBound - 1);
}

TEST(MessageLogRing, ConcurrentWritersLoseNothingUncounted) {
  Ring ring(256);
  constexpr int kThreads = 4, kEach = 20000;
  std::atomic<bool> go{false};
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&, t] {
      while (!go) {
      }
      for (int i = 0; i < kEach; ++i) ring.Write(static_cast<uint32_t>(t * kEach + i));
    });
  }
  RingReader reader(1000000);
  std::set<uint32_t> seen;
  std::vector<RecordData> out(128);
  go = true;
  auto drain = [&] {
    size_t n = reader.Read(ring.h, out.data(), out.size());
    for (size_t i = 0; i < n; ++i) EXPECT_TRUE(seen.insert(out[i].message).second);
  };
  for (int i = 0; i < 2000; ++i) drain();
  for (auto& w : writers) w.join();
  for (int i = 0; i < 10; ++i) drain();
  EXPECT_EQ(seen.size() + reader.Lost(ring.h), static_cast<size_t>(kThreads * kEach));
}

TEST(MessageLogRing, NamesTheMappingWithoutOverrunningTheBuffer) {
  char buf[64];
  ASSERT_TRUE(FormatRingName(buf, sizeof buf, 4242, 3, 4000000000u));
  EXPECT_STREQ(buf, "Local\\TarviskMsgLog.4242.3.4000000000");
  char small[24];
  EXPECT_FALSE(FormatRingName(small, sizeof small, 4242, 3, 4000000000u));
  EXPECT_TRUE(IsRingCapacity(16384));
  EXPECT_FALSE(IsRingCapacity(1000));
}
