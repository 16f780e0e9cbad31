#include <gtest/gtest.h>

#include "version/byte_source.h"

namespace quorvane {
namespace {

// Counts the reads that reach the source underneath the cache.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(Bytes data) : m_memory(data) {}
  std::uint64_t size() const override { return m_memory.size(); }
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override {
    ++reads;
    return m_memory.readAt(offset, length, out);
  }
  int reads = 0;

 private:
  MemoryByteSource m_memory;
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
  const std::uint64_t size = data.size();
  for (std::uint64_t off : std::initializer_list<std::uint64_t>{0, 1, 4095, 4096, 8190, 8191, 12288, size - 1, size, size + 1, ~0ull}) {
    for (std::size_t len : std::initializer_list<std::size_t>{0, 1, 2, 64, 4096, 8192, 9000, 70000, ~std::size_t{0}}) {
      const bool inside = off <= size && len <= size - off;
      ASSERT_EQ(cached.readAt(off, len, got), inside) << off << "+" << len;
      if (inside) {
        ASSERT_EQ(got.size(), len);
        EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin() + static_cast<std::ptrdiff_t>(off))) << off << "+" << len;
      }
    }
  }
}

}  // namespace
}  // namespace quorvane
