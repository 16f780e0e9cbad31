#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/basDirUtil.h"
#include "common/local_stamp.h"
#include "support/time_zone.h"

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

// Paths in these tests are written with "\" and turned into the platform separator.
std::string P(std::string s) {
  for (char& c : s)
    if (c == '\\') c = kSeparator;
  return s;
}

TEST(PathText, RoutinesOverPathsAndNames) {
  std::string longPath = P("\\");
  while (longPath.size() < 110) longPath += P("folder\\");
  std::string japanese = P("\\");
  for (int i = 0; i < 30; ++i) japanese += "あ";  // 30 characters, 90 bytes
  struct Case {
    std::string actual;
    std::string expected;
  } const cases[] = {
      {AddOrRemoveSlash("", 0), ""}, {AddOrRemoveSlash("", 1), ""}, {AddOrRemoveSlash(P("C:\\DATA"), 1), P("C:\\DATA\\")},
      {AddOrRemoveSlash(P("C:\\DATA\\"), 1), P("C:\\DATA\\")}, {AddOrRemoveSlash(P("C:\\DATA\\"), 0), P("C:\\DATA")},
      {AddOrRemoveSlash(P("C:\\DATA"), 0), P("C:\\DATA")}, {AddOrRemoveSlash(P("a\\\\"), 0), P("a\\")},  // only one goes
      {AddOrRemoveSlash(P("\\"), 0), ""}, {FileNamePart(P("C:\\A\\B\\F.TXT")), "F.TXT"}, {FileNamePart("F.TXT"), "F.TXT"},
      {FileNamePart(P("C:\\A\\")), ""}, {FileNamePart(""), ""}, {FileNamePart(P("\\日本語\\ファイル.dll")), "ファイル.dll"},
      {FileNamePart(longPath + "NAME.DLL"), "NAME.DLL"}, {FileNamePart(japanese + P("\\x.dll")), "x.dll"},
      {ExtensionPart("a.b.c"), "c"}, {ExtensionPart("README"), "README"}, {ExtensionPart(P("C:\\x.y\\README")), "README"},
      {ExtensionPart(P("C:\\x\\SETUP.EX_")), "EX_"}, {ExtensionPart("name."), ""}, {BaseNamePart("A.B.DL_"), "A.B"},
      {BaseNamePart(P("C:\\x.y\\README")), "README"}, {BaseNamePart(P("C:\\x\\SETUP.EX_")), "SETUP"},
      {BaseNamePart(".profile"), ""}, {EnsureDotForMatch("readme"), "readme."}, {EnsureDotForMatch("a.dll"), "a.dll"},
      {EnsureDotForMatch(""), "."}, {TrimAtNul(std::string("abc\0def", 7)), "abc"}, {TrimAtNul("abc"), "abc"},
      {TrimAtNul(std::string("\0x", 2)), ""}, {SlashToBackslash("a/b/c"), "a\\b\\c"}, {SlashToBackslash("a\\b"), "a\\b"},
      {SlashToBackslash("日/本"), "日\\本"},
      // Only ASCII letters change case: not full-width letters, katakana or accented letters.
      {ConvertSingleByteCase("KERNEL32.DLL", 2), "kernel32.dll"}, {ConvertSingleByteCase("ＡＢＣabc", 1), "ＡＢＣABC"},
      {ConvertSingleByteCase("ｱｲｳA", 2), "ｱｲｳa"}, {ConvertSingleByteCase("Ée", 1), "ÉE"}, {ConvertSingleByteCase("AbC", 0), "AbC"},
      {GetParentFolder(P("C:\\A\\B\\F.TXT"), 0), P("C:\\A\\B\\")}, {GetParentFolder(P("C:\\A\\B\\F.TXT"), 1), P("C:\\A\\")},
      {GetParentFolder(P("C:\\A\\B\\"), 0), P("C:\\A\\B\\")}, {GetParentFolder(P("C:\\A\\B\\"), 2), P("C:\\")},
      {GetParentFolder("F.TXT", 0), ""}, {GetParentFolder("", 0), ""}, {GetParentFolder(P("C:\\A"), -1), ""},
      {GetParentFolder(P("C:\\A\\B\\"), 5), ""},  // running out of folders
#if defined(_WIN32)
      {GetParentFolder("C:\\F.TXT", 1), ""},
#else
      {GetParentFolder("/x.so", 0), "/"}, {GetParentFolder("/", 0), "/"},
#endif
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

// Mode 1: blank-separated, runs merged and trimmed (the separator argument ignored, even
// a malformed one). Mode 2: split at the separator as is. Mode 3: split, each word trimmed.
TEST(Words, CountAndNthWordUnderTheSameRules) {
  struct Case {
    const char* text;
    int mode;
    const char* sep;
    int count;
    std::vector<std::string> words;
  } const cases[] = {
      {"  *.DLL    *.OCX  *.OLB ", 1, "", 3, {"*.DLL", "*.OCX", "*.OLB"}},
      {"    ", 1, "", 0, {}}, {"", 1, "", 0, {}}, {"a b", 1, ",,", 2, {"a", "b"}},
      {"a,b,,c", 2, ",", 4, {"a", "b", "", "c"}}, {" a , b ", 2, ",", 2, {" a ", " b "}}, {"", 2, ",", 0, {}},
      {"a, ,b", 3, ",", 3, {"a", "", "b"}}, {"   ", 3, ",", 0, {}}, {"a\tb", 2, "\t", 2, {"a", "b"}},
      {"あ、い、う", 2, "、", 3, {"あ", "い", "う"}},  // a separator is one character, not one byte
      {"a,b", 2, "", -1, {}}, {"a,b", 3, ",,", -1, {}}, {"a,b", 0, "", -1, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordCount(c.text, c.mode, c.sep), c.count) << c.text;
    for (int i = -1; i <= static_cast<int>(c.words.size()) + 1; ++i) {
      const bool inside = i >= 1 && i <= static_cast<int>(c.words.size());
      EXPECT_EQ(GetWord(c.text, i, c.mode, c.sep), inside ? c.words[static_cast<std::size_t>(i - 1)] : "") << c.text << " #" << i;
    }
  }
}

TEST(LocalStamp, TwoDigitFieldsInLocalTime) {
  const testsupport::ZoneGuard zone("JST-9");
  const std::pair<std::time_t, const char*> cases[] = {
      {981173106, "01/02/03 13:05:06"},   // 2001-02-03 04:05:06 UTC
      {946652399, "99/12/31 23:59:59"},
      {946652400, "00/01/01 00:00:00"},   // the year 2000
      {4102412400, "00/01/01 00:00:00"},  // 2100: the century never shows
  };
  for (const auto& [t, expected] : cases) {
    const auto s = localStamp(t);
    EXPECT_EQ(s ? s->date + " " + s->time : "<none>", expected) << t;
  }
}

}  // namespace
}  // namespace quorvane::basDirUtil
