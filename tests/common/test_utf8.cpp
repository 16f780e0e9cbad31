#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utf8.h"

namespace quorvane::utf8 {
namespace {

const std::string kMixed = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";  // a é 日 😀: every length

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
