#include <gtest/gtest.h>

#include <string>

#include "common/basDirUtil.h"

namespace quorvane::basDirUtil {
namespace {

TEST(LikeMatch, Star) {
  EXPECT_TRUE(LikeMatch("kernel32.dll", "*.dll"));
  EXPECT_TRUE(LikeMatch(".dll", "*.dll"));
  EXPECT_FALSE(LikeMatch("kernel32.dl_", "*.dll"));
  EXPECT_FALSE(LikeMatch("kernel32.dllx", "*.dll"));
  EXPECT_TRUE(LikeMatch("readme.", "*.*"));
  EXPECT_FALSE(LikeMatch("readme", "*.*"));
  EXPECT_TRUE(LikeMatch("", "*"));
  EXPECT_TRUE(LikeMatch("abc", "a*b*c"));
  EXPECT_TRUE(LikeMatch("aXbYbc", "a*b*c"));
  EXPECT_FALSE(LikeMatch("aXbYbd", "a*b*c"));
  EXPECT_TRUE(LikeMatch("a.b.dll", "*.*.dll"));
  EXPECT_TRUE(LikeMatch("x", "***x**"));
}

TEST(LikeMatch, EmptyTextAndPattern) {
  EXPECT_TRUE(LikeMatch("", ""));
  EXPECT_FALSE(LikeMatch("a", ""));
  EXPECT_FALSE(LikeMatch("", "?"));
}

TEST(LikeMatch, QuestionMarkIsOneCharacterNotOneByte) {
  EXPECT_TRUE(LikeMatch("a.dll", "?.dll"));
  EXPECT_FALSE(LikeMatch("ab.dll", "?.dll"));
  EXPECT_FALSE(LikeMatch(".dll", "?.dll"));
  EXPECT_TRUE(LikeMatch("日.dll", "?.dll"));
  EXPECT_TRUE(LikeMatch("ｱ.dll", "?.dll"));
}

TEST(LikeMatch, HashIsOneDigit) {
  EXPECT_TRUE(LikeMatch("mfc42.dll", "mfc##.dll"));
  EXPECT_FALSE(LikeMatch("mfc4x.dll", "mfc##.dll"));
  EXPECT_FALSE(LikeMatch("mfc4.dll", "mfc##.dll"));
  EXPECT_FALSE(LikeMatch("mfc４２.dll", "mfc##.dll"));  // full-width digits are not digits here
}

TEST(LikeMatch, CharacterLists) {
  EXPECT_TRUE(LikeMatch("a", "[abc]"));
  EXPECT_FALSE(LikeMatch("d", "[abc]"));
  EXPECT_TRUE(LikeMatch("m", "[a-z]"));
  EXPECT_FALSE(LikeMatch("M", "[a-z]"));
  EXPECT_TRUE(LikeMatch("x1.dll", "x[0-9].dll"));
  EXPECT_TRUE(LikeMatch("-", "[a-]"));
  EXPECT_TRUE(LikeMatch("あ", "[あい]"));
  EXPECT_FALSE(LikeMatch("う", "[あい]"));
  EXPECT_TRUE(LikeMatch("*", "[*]"));
  EXPECT_FALSE(LikeMatch("a", "[*]"));
  EXPECT_TRUE(LikeMatch("?", "[?]"));
  EXPECT_TRUE(LikeMatch("#", "[#]"));
  EXPECT_FALSE(LikeMatch("1", "[#]"));
}

TEST(LikeMatch, NegatedLists) {
  EXPECT_TRUE(LikeMatch("d", "[!abc]"));
  EXPECT_FALSE(LikeMatch("a", "[!abc]"));
  EXPECT_FALSE(LikeMatch("5", "[!0-9]"));
  EXPECT_TRUE(LikeMatch("x.dll", "[!0-9]*.dll"));
  EXPECT_FALSE(LikeMatch("", "[!a]"));  // still one character
  EXPECT_TRUE(LikeMatch("!", "[!a]"));  // "!" as the text character, negation as the pattern
}

TEST(LikeMatch, ListsWithStars) {
  EXPECT_TRUE(LikeMatch("abcq", "*[pq]"));
  EXPECT_FALSE(LikeMatch("abcr", "*[pq]"));
  EXPECT_TRUE(LikeMatch("ab1cd", "*[0-9]*"));
  EXPECT_FALSE(LikeMatch("abcd", "*[0-9]*"));
}

TEST(LikeMatch, ComparisonIsBinary) {
  EXPECT_FALSE(LikeMatch("KERNEL32.DLL", "*.dll"));
  EXPECT_FALSE(LikeMatch("a", "A"));
  EXPECT_TRUE(LikeMatch("日本語.dll", "日本*.dll"));
}

TEST(LikeMatch, UnclosedListIsAnOrdinaryBracket) {
  EXPECT_TRUE(LikeMatch("[ab", "[ab"));
  EXPECT_FALSE(LikeMatch("a", "[ab"));
}

TEST(LikeMatch, ManyStarsStayFast) {
  // A naive recursive matcher takes exponential time here; the test run would hang.
  const std::string text(200, 'a');
  const std::string pattern = "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
  EXPECT_FALSE(LikeMatch(text, pattern));
}

}  // namespace
}  // namespace quorvane::basDirUtil
