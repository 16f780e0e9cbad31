#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utf8.h"

namespace quorvane::utf8 {
namespace {

const std::string kMixed = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";  // a é 日 😀: every length

TEST(Utf8, DecodeAndEncodeEveryLength) {
  std::size_t pos = 0;
  for (char32_t expected : {U'a', char32_t{0xE9}, char32_t{0x65E5}, char32_t{0x1F600}}) EXPECT_EQ(next(kMixed, pos), expected);
  EXPECT_EQ(pos, kMixed.size());
  std::string out;
  for (char32_t cp : {U'a', char32_t{0xE9}, char32_t{0x65E5}, char32_t{0x1F600}, char32_t{0xD800}, char32_t{0x110000}})
    append(out, cp);
  EXPECT_EQ(out, kMixed + "\xEF\xBF\xBD\xEF\xBF\xBD");  // a surrogate and a code point too large
  const std::vector<char32_t> cps = toCodePoints("ファイル名.dll ①");
  EXPECT_EQ(cps.size(), 11u);
  EXPECT_EQ(fromCodePoints(cps), "ファイル名.dll ①");
}

TEST(Utf8, MalformedSequencesAdvanceOneByte) {
  for (const std::string bad : {"\x80", "\xC3", "\xE6\x97", "\xC0\xAF" /* overlong "/" */,
                                "\xED\xA0\x80" /* surrogate */, "\xF4\x90\x80\x80" /* above U+10FFFF */, "\xFF", "\xC3("}) {
    std::size_t pos = 0;
    EXPECT_EQ(next(bad, pos), 0xFFFDu);
    EXPECT_EQ(pos, 1u);
    EXPECT_FALSE(isValid(bad));
  }
  EXPECT_TRUE(isValid(""));
  EXPECT_TRUE(isValid("日本 \xEF\xBF\xBD"));  // a real replacement character
}

}  // namespace
}  // namespace quorvane::utf8
