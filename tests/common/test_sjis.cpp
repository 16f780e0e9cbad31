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

TEST(SjisEncode, AsciiAndKanji) {
  EXPECT_EQ(encode("ABC 123").bytes, "ABC 123");
  EXPECT_EQ(encode("").bytes, "");
  EXPECT_EQ(encode("日本").bytes, bytes({0x93, 0xFA, 0x96, 0x7B}));
  EXPECT_EQ(encode("ｱ").bytes, bytes({0xB1}));
  // Second bytes that look like "\" must survive.
  EXPECT_EQ(encode("ソ表").bytes, bytes({0x83, 0x5C, 0x95, 0x5C}));
  EXPECT_EQ(encode("バージョン情報抽出完了 ").bytes->size(), 23u);
}

TEST(SjisEncode, VendorCharacters) {
  EXPECT_EQ(encode("①").bytes, bytes({0x87, 0x40}));
  EXPECT_EQ(encode("㈱").bytes, bytes({0x87, 0x8A}));
  EXPECT_EQ(encode("㍾").bytes, bytes({0x87, 0x8D}));
  EXPECT_EQ(encode("～").bytes, bytes({0x81, 0x60}));  // full-width tilde, as Windows writes it
  EXPECT_EQ(encode("－").bytes, bytes({0x81, 0x7C}));
  EXPECT_EQ(encode("ⅰ").bytes, bytes({0xFA, 0x40}));
  EXPECT_EQ(encode("髙").bytes, bytes({0xFB, 0xFC}));
}

TEST(SjisEncode, UnrepresentableTextIsReportedWithItsOffset) {
  auto r = encode("ab\xF0\x9F\x98\x80z");  // an emoji
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.failedAt, 2u);
  r = encode("日本語é");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.failedAt, 9u);
  r = encode("한");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.failedAt, 0u);
}

TEST(SjisEncode, OneWayMappingsCountAsUnrepresentable) {
  // These would be written as another character and read back differently.
  for (const char* text : {"\xC2\xA5", "\xE2\x80\xBE", "x\xC2\xA5y"}) {
    const auto r = encode(text);
    EXPECT_FALSE(r.ok()) << text;
  }
  EXPECT_EQ(encode("x\xC2\xA5y").failedAt, 1u);
  EXPECT_EQ(encode("ab\xE2\x80\xBE").failedAt, 2u);
}

TEST(SjisEncode, MalformedUtf8IsReported) {
  const auto r = encode("ok\xFF");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.failedAt, 2u);
}

TEST(SjisDecode, RoundTrip) {
  const std::string text = "Quorvane ファイルバージョン比較ツール ①㈱～ ｶﾅ \\ ~";
  const auto enc = encode(text);
  ASSERT_TRUE(enc.ok());
  EXPECT_EQ(decode(*enc.bytes), text);
}

TEST(SjisDecode, NecSelectedDuplicatesDecode) {
  // 0xEEEF is the NEC-selected copy of small roman numeral one (canonical 0xFA40).
  EXPECT_EQ(decode(bytes({0xEE, 0xEF})), "ⅰ");
  EXPECT_EQ(decode(bytes({0x5C, 0x7E})), "\\~");
}

TEST(SjisDecode, InvalidBytesAreReported) {
  EXPECT_FALSE(decode(bytes({0x41, 0x81})).has_value());        // lead byte at the end
  EXPECT_FALSE(decode(bytes({0x81, 0x20})).has_value());        // bad second byte
  EXPECT_FALSE(decode(bytes({0x41, 0xFF, 0x42})).has_value());  // never a character
  EXPECT_EQ(decode(""), "");
}

TEST(SjisDecodeLenient, ReplacesOnlyTheBadBytes) {
  EXPECT_EQ(decodeLenient(bytes({0x41, 0xFF, 0x42})), "A\xEF\xBF\xBD" "B");
  EXPECT_EQ(decodeLenient(bytes({0x93, 0xFA, 0x81})), "日\xEF\xBF\xBD");
  EXPECT_EQ(decodeLenient(bytes({0xFF, 0xFF})), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(decodeLenient("plain"), "plain");
}

TEST(SjisSingleByte, CodePointsAndTexts) {
  EXPECT_TRUE(isSingleByteCodePoint(U'A'));
  EXPECT_TRUE(isSingleByteCodePoint(0xFF61));
  EXPECT_TRUE(isSingleByteCodePoint(0xFF9F));
  EXPECT_FALSE(isSingleByteCodePoint(0xFF60));
  EXPECT_FALSE(isSingleByteCodePoint(0xFFA0));
  EXPECT_FALSE(isSingleByteCodePoint(0xA5));
  EXPECT_TRUE(isSingleByteText("abc ｱｲｳ"));
  EXPECT_FALSE(isSingleByteText("abc ア"));
  EXPECT_FALSE(isSingleByteText("\xC2\xA5"));
}

}  // namespace
}  // namespace quorvane::sjis
