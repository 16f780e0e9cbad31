#include <gtest/gtest.h>

#include <string>

#include "common/sjis.h"

namespace quorvane::sjis {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out += static_cast<char>(b);
  return out;
}

constexpr std::size_t kOk = ~std::size_t{0};

// Each text encoded: its bytes, or the offset of the first character that cannot be.
TEST(Sjis, EncodeWritesTheBytesOrWhereItFails) {
  struct Case {
    const char* utf8;
    std::string cp932;
    std::size_t failedAt = kOk;
  } const cases[] = {
      {"ABC 123", "ABC 123"}, {"", ""}, {"日本", bytes({0x93, 0xFA, 0x96, 0x7B})}, {"ｱ", bytes({0xB1})},
      {"ソ表", bytes({0x83, 0x5C, 0x95, 0x5C})},  // second bytes that look like "\" survive
      // Vendor characters; the full-width tilde and minus as Windows writes them.
      {"①", bytes({0x87, 0x40})}, {"㈱", bytes({0x87, 0x8A})}, {"㍾", bytes({0x87, 0x8D})},
      {"～", bytes({0x81, 0x60})}, {"－", bytes({0x81, 0x7C})}, {"ⅰ", bytes({0xFA, 0x40})}, {"髙", bytes({0xFB, 0xFC})},
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
  EXPECT_EQ(decode(bytes({0xEE, 0xEF})), "ⅰ");  // the NEC-selected copy of 0xFA40
  EXPECT_EQ(decode(bytes({0x5C, 0x7E})), "\\~");
  EXPECT_EQ(decode(""), "");
  struct Case {
    std::string cp932;
    const char* lenient;
  } const bad[] = {
      {bytes({0x41, 0x81}), "A\xEF\xBF\xBD"},        // lead byte at the end
      {bytes({0x81, 0x20}), "\xEF\xBF\xBD "},        // bad second byte
      {bytes({0x41, 0xFF, 0x42}), "A\xEF\xBF\xBD" "B"},  // never a character
      {bytes({0x93, 0xFA, 0x81}), "日\xEF\xBF\xBD"},
      {bytes({0xFF, 0xFF}), "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : bad) {
    EXPECT_FALSE(decode(c.cp932).has_value()) << c.lenient;
    EXPECT_EQ(decodeLenient(c.cp932), c.lenient);
  }
  EXPECT_EQ(decodeLenient("plain"), "plain");
}

TEST(Sjis, SingleByteCharacters) {
  for (char32_t cp : {char32_t{'A'}, char32_t{0xFF61}, char32_t{0xFF9F}}) EXPECT_TRUE(isSingleByteCodePoint(cp)) << static_cast<unsigned>(cp);
  for (char32_t cp : {char32_t{0xFF60}, char32_t{0xFFA0}, char32_t{0xA5}}) EXPECT_FALSE(isSingleByteCodePoint(cp)) << static_cast<unsigned>(cp);
  for (const char* t : {"", "KERNEL32.DLL", "abc ｱｲｳ"}) EXPECT_TRUE(isSingleByteText(t)) << t;
  for (const char* t : {"abc ア", "Ｄ.dll", "\xC2\xA5", "é", "\xff\xfe"}) EXPECT_FALSE(isSingleByteText(t)) << t;
}

}  // namespace
}  // namespace quorvane::sjis
