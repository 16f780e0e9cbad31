#include <gtest/gtest.h>

#include <numeric>

#include "version/byte_source.h"

namespace quorvane {
namespace {

// Counts the reads that reach the source underneath the cache.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(Bytes data) : m_memory(data), m_size(data.size()) {}
  std::uint64_t size() const override { return m_size; }
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override {
    ++reads;
    return m_memory.readAt(offset, length, out);
  }
  int reads = 0;

 private:
  MemoryByteSource m_memory;
  std::uint64_t m_size;
};

std::vector<std::uint8_t> pattern(std::size_t n) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
  return v;
}

TEST(PageCachedSource, GivesTheSameBytesAsTheSourceForEveryRange) {
  const auto data = pattern(3 * 4096 + 100);
  CountingSource inner(data);
  PageCachedSource cached(inner);
  std::vector<std::uint8_t> got;
  const std::size_t offsets[] = {0, 1, 4095, 4096, 8190, 8191, 12288, data.size() - 1, data.size()};
  const std::size_t lengths[] = {0, 1, 2, 64, 4096, 8192, 9000, 70000};
  for (std::size_t off : offsets) {
    for (std::size_t len : lengths) {
      const bool inside = off + len <= data.size();
      ASSERT_EQ(cached.readAt(off, len, got), inside) << off << "+" << len;
      if (inside) {
        ASSERT_EQ(got.size(), len);
        EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin() + static_cast<std::ptrdiff_t>(off)))
            << off << "+" << len;
      }
    }
  }
}

TEST(PageCachedSource, SmallReadsOnTwoPagesReachTheSourceTwice) {
  const auto data = pattern(64 * 1024);
  CountingSource inner(data);
  PageCachedSource cached(inner);
  std::vector<std::uint8_t> got;
  for (int round = 0; round < 3; ++round) {
    for (std::size_t off : {0u, 64u, 200u, 1000u}) ASSERT_TRUE(cached.readAt(off, 16, got));
    for (std::size_t off : {40000u, 40100u, 41000u}) ASSERT_TRUE(cached.readAt(off, 40, got));
  }
  EXPECT_EQ(inner.reads, 2);
  cached.reset();
  ASSERT_TRUE(cached.readAt(0, 16, got));
  EXPECT_EQ(inner.reads, 3);
}

TEST(PageCachedSource, OutOfRangeAndOverflowingRequests) {
  const auto data = pattern(100);
  CountingSource inner(data);
  PageCachedSource cached(inner);
  std::vector<std::uint8_t> got;
  EXPECT_FALSE(cached.readAt(~0ull, 1, got));
  EXPECT_FALSE(cached.readAt(1, ~std::size_t{0}, got));
  EXPECT_FALSE(cached.readAt(101, 0, got));
  EXPECT_TRUE(cached.readAt(100, 0, got));
  EXPECT_TRUE(got.empty());
}

}  // namespace
}  // namespace quorvane
