#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utf8.h"

namespace quorvane::utf8 {
namespace {

TEST(Utf8Next, DecodesEveryLength) {
  const std::string text = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";  // a é 日 😀
  std::size_t pos = 0;
  EXPECT_EQ(next(text, pos), U'a');
  EXPECT_EQ(next(text, pos), 0xE9u);
  EXPECT_EQ(next(text, pos), 0x65E5u);
  EXPECT_EQ(next(text, pos), 0x1F600u);
  EXPECT_EQ(pos, text.size());
}

TEST(Utf8Next, MalformedSequencesAdvanceOneByte) {
  for (const std::string& bad : {std::string("\x80"), std::string("\xC3"), std::string("\xE6\x97"),
                                std::string("\xC0\xAF"),            // overlong "/"
                                std::string("\xED\xA0\x80"),        // surrogate
                                std::string("\xF4\x90\x80\x80"),    // above U+10FFFF
                                std::string("\xFF"), std::string("\xC3(")}) {
    std::size_t pos = 0;
    EXPECT_EQ(next(bad, pos), 0xFFFDu);
    EXPECT_EQ(pos, 1u);
  }
}

TEST(Utf8Append, EncodesAndReplacesInvalid) {
  std::string out;
  append(out, U'a');
  append(out, 0xE9);
  append(out, 0x65E5);
  append(out, 0x1F600);
  EXPECT_EQ(out, "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80");
  out.clear();
  append(out, 0xD800);
  append(out, 0x110000);
  EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8CodePoints, RoundTrip) {
  const std::string text = "ファイル名.dll ①";
  const std::vector<char32_t> cps = toCodePoints(text);
  EXPECT_EQ(cps.size(), 11u);
  EXPECT_EQ(fromCodePoints(cps), text);
}

TEST(Utf8Length, CountsCharacters) {
  EXPECT_EQ(length(""), 0u);
  EXPECT_EQ(length("abc"), 3u);
  EXPECT_EQ(length("日本語"), 3u);
  EXPECT_EQ(length("\xE6\x97"), 2u);  // a cut sequence counts byte by byte
}

TEST(Utf8ByteOffset, ByCharacterIndex) {
  const std::string text = "a日b";
  EXPECT_EQ(byteOffset(text, 0), 0u);
  EXPECT_EQ(byteOffset(text, 1), 1u);
  EXPECT_EQ(byteOffset(text, 2), 4u);
  EXPECT_EQ(byteOffset(text, 3), 5u);
  EXPECT_EQ(byteOffset(text, 99), 5u);
}

TEST(Utf8Mid, OneBasedCharacterPositions) {
  const std::string text = "C:\\日本\\a.dll";
  EXPECT_EQ(mid(text, 4), "日本\\a.dll");
  EXPECT_EQ(mid(text, 4, 2), "日本");
  EXPECT_EQ(mid(text, 1, 0), "");
  EXPECT_EQ(mid(text, 0, 2), "C:");
  EXPECT_EQ(mid(text, 50), "");
  EXPECT_EQ(mid(text, 9, 50), "dll");
}

TEST(Utf8IsValid, AcceptsRealReplacementCharacter) {
  EXPECT_TRUE(isValid(""));
  EXPECT_TRUE(isValid("日本 \xEF\xBF\xBD"));
  EXPECT_FALSE(isValid("\xC3"));
  EXPECT_FALSE(isValid("ok\xED\xA0\x80"));
}

}  // namespace
}  // namespace quorvane::utf8
