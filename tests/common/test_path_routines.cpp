#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/basDirUtil.h"
#include "support/temp_folder.h"

namespace quorvane::basDirUtil {
namespace {

namespace fs = std::filesystem;

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

}  // namespace
}  // namespace quorvane::basDirUtil
