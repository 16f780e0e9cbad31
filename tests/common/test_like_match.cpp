#include <gtest/gtest.h>

#include <string>

#include "common/basDirUtil.h"

namespace quorvane::basDirUtil {
namespace {

TEST(LikeMatch, Patterns) {
  struct Case {
    const char* text;
    const char* pattern;
    bool matches;
  } const cases[] = {
      // "*": any run of characters, also none.
      {"kernel32.dll", "*.dll", true}, {".dll", "*.dll", true}, {"kernel32.dl_", "*.dll", false},
      {"kernel32.dllx", "*.dll", false}, {"readme.", "*.*", true}, {"readme", "*.*", false},
      {"", "*", true}, {"aXbYbc", "a*b*c", true}, {"aXbYbd", "a*b*c", false}, {"x", "***x**", true}, {"a.b.dll", "*.*.dll", true},
      {"", "", true}, {"a", "", false}, {"", "?", false},
      // "?": one character, not one byte.
      {"a.dll", "?.dll", true}, {"ab.dll", "?.dll", false}, {".dll", "?.dll", false},
      {"日.dll", "?.dll", true}, {"ｱ.dll", "?.dll", true},
      // "#": one ASCII digit.
      {"mfc42.dll", "mfc##.dll", true}, {"mfc4x.dll", "mfc##.dll", false}, {"mfc4.dll", "mfc##.dll", false},
      {"mfc４２.dll", "mfc##.dll", false},
      // Lists, ranges and negated lists; "*", "?" and "#" are plain inside a list.
      {"a", "[abc]", true}, {"d", "[abc]", false}, {"m", "[a-z]", true}, {"M", "[a-z]", false},
      {"x1.dll", "x[0-9].dll", true}, {"-", "[a-]", true}, {"あ", "[あい]", true}, {"う", "[あい]", false}, {"*", "[*]", true},
      {"a", "[*]", false}, {"?", "[?]", true}, {"#", "[#]", true}, {"1", "[#]", false},
      {"d", "[!abc]", true}, {"a", "[!abc]", false}, {"5", "[!0-9]", false}, {"x.dll", "[!0-9]*.dll", true},
      {"", "[!a]", false}, {"!", "[!a]", true}, {"abcq", "*[pq]", true}, {"abcr", "*[pq]", false},
      {"ab1cd", "*[0-9]*", true}, {"abcd", "*[0-9]*", false},
      // Binary comparison; an unclosed list is an ordinary "[".
      {"KERNEL32.DLL", "*.dll", false}, {"a", "A", false}, {"日本語.dll", "日本*.dll", true},
      {"[ab", "[ab", true}, {"a", "[ab", false},
  };
  for (const Case& c : cases) EXPECT_EQ(LikeMatch(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
  // A naive recursive matcher takes exponential time here; the test run would hang.
  EXPECT_FALSE(LikeMatch(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace quorvane::basDirUtil
