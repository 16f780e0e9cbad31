#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "extraction/szdd.h"
#include "support/szdd_writer.h"

namespace quorvane::szdd {
namespace {

using testsupport::compressSzdd;
using testsupport::SzddStyle;
using Vec = std::vector<std::uint8_t>;

Vec header(std::uint32_t length, std::uint8_t mode = 'A', std::uint8_t missing = 'L') {
  return {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33,  // signature
          mode,                                           // compression mode
          missing,                                        // last character of the name
          static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

Vec operator+(Vec a, const Vec& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string text(const Vec& v) { return std::string(v.begin(), v.end()); }

TEST(SzddDecode, HandBuiltFiles) {
  const struct {
    const char* what;
    Vec file;
    const char* expected;
  } cases[] = {
      {"literals", header(3) + Vec{0x07,            // control: three literals
                                   'a', 'b', 'c'},  // the literals
       "abc"},
      {"reference into the initial blanks", header(5) + Vec{0x06,        // control: reference, literal, literal
                                                            0x00, 0x00,  // from 0, length 3: never-written blanks
                                                            'x', 'y'},
       "   xy"},
      // 16 literals fill positions 4080..4095; the write position then wraps to 0. The
      // reference from 4094 (0xFFE), length 4, reads 4094, 4095, then 0 and 1, which it has
      // just written itself, so "OP" repeats.
      {"reference wrapping past the window end and overlapping",
       header(20) + Vec{0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF, 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P',
                        0x00, 0xFE, 0xF1},
       "ABCDEFGHIJKLMNOPOPOP"},
      {"empty", header(0), ""},
      // A reference longer than what is left, and data after the end, are not output.
      {"stops at the header length", header(4) + Vec{0x01, 'z', 0x00, 0x0F, 'q', 'q', 'q'}, "z   "},
  };
  for (const auto& c : cases) {
    const auto r = decode(c.file);
    ASSERT_TRUE(r.ok()) << c.what;
    EXPECT_EQ(text(r.data), c.expected) << c.what;
    EXPECT_EQ(r.header.missingChar, 'L') << c.what;
    EXPECT_EQ(r.header.length, std::string(c.expected).size()) << c.what;
  }
}

// Each failure is clean: no data, and no huge buffer for a length the data cannot hold.
TEST(SzddDecode, ErrorCases) {
  const Vec good = header(3) + Vec{0x07, 'a', 'b', 'c'};
  Vec badSig = good, badMode = good;
  badSig[7] = 0x34;
  badMode[8] = 'B';
  const struct {
    Vec file;
    SzddError error;
    std::uint64_t limit = kMaxExpandedSize;
  } cases[] = {
      {{}, SzddError::NotSzdd},
      {{'M', 'Z', 0, 0}, SzddError::NotSzdd},
      {badSig, SzddError::NotSzdd},
      {badMode, SzddError::UnknownMode},
      {header(3) + Vec{0x00, 0x00}, SzddError::TruncatedData},  // a reference cut after its first byte
      {header(0xFFFFFFFF) + Vec{0xFF, 'a'}, SzddError::TooLarge},
      {header(1000) + Vec{0x00, 0x00, 0x0F}, SzddError::TooLarge, 100},
      {header(400'000'000) + Vec{0x00, 0x00, 0x0F}, SzddError::TruncatedData},  // within the limit
  };
  for (const auto& c : cases) {
    const auto r = decode(c.file, c.limit);
    EXPECT_EQ(r.error, c.error) << c.file.size();
    EXPECT_LT(r.data.capacity(), 1024u) << c.file.size();
  }
  for (std::size_t cut = 8; cut < good.size(); ++cut) {
    const auto r = decode(Vec(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_EQ(r.error, cut < kHeaderSize ? SzddError::TruncatedHeader : SzddError::TruncatedData) << cut;
    EXPECT_TRUE(r.data.empty());
  }
}

Vec randomBytes(std::size_t n, unsigned seed, int alphabet) {
  std::mt19937 gen(seed);
  Vec out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(gen() % static_cast<unsigned>(alphabet));
  return out;
}

TEST(SzddRoundTrip, WriterAndDecoderAgree) {
  std::vector<Vec> inputs = {
      Vec{}, Vec{'x'}, Vec(10000, ' '), Vec(5000, 'a'),
      randomBytes(9000, 1, 256),  // barely compressible
      randomBytes(9000, 2, 4),    // many references, far past one window
  };
  std::string prose;
  while (prose.size() < 12000) prose += "The quick brown fox jumps over the lazy dog. 日本語のテキスト ";
  inputs.emplace_back(prose.begin(), prose.end());
  for (const Vec& in : inputs) {
    for (SzddStyle style : {SzddStyle::Greedy, SzddStyle::LiteralsOnly}) {
      const Vec packed = compressSzdd(in, style, 'X');
      const auto r = decode(packed);
      ASSERT_TRUE(r.ok()) << in.size();
      EXPECT_EQ(r.data, in);
      EXPECT_EQ(r.header.missingChar, 'X');
      if (style == SzddStyle::Greedy && in.size() >= 5000 && in != inputs[4]) {
        EXPECT_LT(packed.size(), in.size() / 2) << "the writer should really compress";
      }
    }
  }
}

TEST(SzddRoundTrip, EveryTruncationFailsCleanly) {
  const Vec packed = compressSzdd(std::string(300, 'a') + "tail of the file", SzddStyle::Greedy);
  for (std::size_t cut = 0; cut < packed.size(); ++cut) {
    const auto r = decode(Vec(packed.begin(), packed.begin() + static_cast<long>(cut)));
    EXPECT_FALSE(r.ok()) << cut;
  }
  EXPECT_TRUE(decode(packed).ok());
}

}  // namespace
}  // namespace quorvane::szdd
