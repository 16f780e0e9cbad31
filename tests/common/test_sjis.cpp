#include <gtest/gtest.h>

#include <string>

#include "common/sjis.h"

namespace quorvane::sjis {
namespace {

constexpr std::size_t kOk = ~std::size_t{0};

// Each text encoded: its bytes, or the offset of the first character that cannot be.
TEST(Sjis, EncodeWritesTheBytesOrWhereItFails) {
  struct Case {
    const char* utf8;
    std::string cp932;
    std::size_t failedAt = kOk;
  } const cases[] = {
      {"ABC 123", "ABC 123"}, {"", ""}, {"日本", "\x93\xFA\x96\x7B"}, {"ｱ", "\xB1"},
      {"ソ表", "\x83\x5C\x95\x5C"},  // second bytes that look like "\" survive
      // Vendor characters; the full-width tilde and minus as Windows writes them.
      {"①", "\x87\x40"}, {"㈱", "\x87\x8A"}, {"㍾", "\x87\x8D"},
      {"～", "\x81\x60"}, {"－", "\x81\x7C"}, {"ⅰ", "\xFA\x40"}, {"髙", "\xFB\xFC"},
      {"ab\xF0\x9F\x98\x80z", "", 2}, {"日本語é", "", 9}, {"한", "", 0}, {"ok\xFF", "", 2},  // emoji, é, hangul, not UTF-8
      // One-way mappings would be read back as another character: unrepresentable.
      {"\xC2\xA5", "", 0}, {"x\xC2\xA5y", "", 1}, {"ab\xE2\x80\xBE", "", 2},
  };
  for (const Case& c : cases) {
    const EncodeResult r = encode(c.utf8);
    EXPECT_EQ(r.ok() ? *r.bytes : "", c.cp932) << c.utf8;
    EXPECT_EQ(r.ok() ? kOk : r.failedAt, c.failedAt) << c.utf8;
  }
}

TEST(Sjis, DecodeStrictAndLenient) {
  const std::string text = "Quorvane ファイルバージョン比較ツール ①㈱～ ｶﾅ \\ ~";
  EXPECT_EQ(decode(*encode(text).bytes), text);
  EXPECT_EQ(decode("\xEE\xEF"), "ⅰ");  // the NEC-selected copy of 0xFA40
  EXPECT_EQ(decode("\x5C\x7E"), "\\~");
  EXPECT_EQ(decode(""), "");
  struct Case {
    std::string cp932;
    const char* lenient;
  } const bad[] = {
      {"\x41\x81", "A\xEF\xBF\xBD"},        // lead byte at the end
      {"\x81\x20", "\xEF\xBF\xBD "},        // bad second byte
      {"\x41\xFF\x42", "A\xEF\xBF\xBD" "B"},  // never a character
      {"\x93\xFA\x81", "日\xEF\xBF\xBD"},
      {"\xFF\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : bad) {
    EXPECT_FALSE(decode(c.cp932).has_value()) << c.lenient;
    EXPECT_EQ(decodeLenient(c.cp932), c.lenient);
  }
  EXPECT_EQ(decodeLenient("plain"), "plain");
}

}  // namespace
}  // namespace quorvane::sjis
