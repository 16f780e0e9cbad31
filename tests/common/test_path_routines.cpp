#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/basDirUtil.h"

namespace quorvane::basDirUtil {
namespace {

namespace fs = std::filesystem;

// Paths in these tests are built with the platform separator.
std::string P(std::string s) {
  for (char& c : s)
    if (c == '\\') c = kSeparator;
  return s;
}

TEST(AddOrRemoveSlash, AddsAndRemovesOneSeparator) {
  EXPECT_EQ(AddOrRemoveSlash("", 0), "");
  EXPECT_EQ(AddOrRemoveSlash("", 1), "");
  EXPECT_EQ(AddOrRemoveSlash(P("C:\\DATA"), 1), P("C:\\DATA\\"));
  EXPECT_EQ(AddOrRemoveSlash(P("C:\\DATA\\"), 1), P("C:\\DATA\\"));
  EXPECT_EQ(AddOrRemoveSlash(P("C:\\DATA\\"), 0), P("C:\\DATA"));
  EXPECT_EQ(AddOrRemoveSlash(P("C:\\DATA"), 0), P("C:\\DATA"));
  // Only one trailing separator goes.
  EXPECT_EQ(AddOrRemoveSlash(P("a\\\\"), 0), P("a\\"));
  EXPECT_EQ(AddOrRemoveSlash(P("\\"), 0), "");
}

TEST(FileNamePart, TextAfterLastSeparator) {
  EXPECT_EQ(FileNamePart(P("C:\\A\\B\\F.TXT")), "F.TXT");
  EXPECT_EQ(FileNamePart("F.TXT"), "F.TXT");
  EXPECT_EQ(FileNamePart(P("C:\\A\\")), "");
  EXPECT_EQ(FileNamePart(""), "");
  EXPECT_EQ(FileNamePart(P("\\日本語\\ファイル.dll")), "ファイル.dll");
}

TEST(FileNamePart, LongPathGivesOnlyTheName) {
  std::string path = P("\\");
  while (path.size() < 110) path += P("folder\\");
  path += "NAME.DLL";
  ASSERT_GT(path.size(), 100u);
  EXPECT_EQ(FileNamePart(path), "NAME.DLL");
  // Length counts characters: 60 two-byte-in-UTF-8 characters are 60 characters, not 180.
  std::string jp = P("\\");
  for (int i = 0; i < 30; ++i) jp += "あ";
  jp += P("\\x.dll");
  EXPECT_EQ(FileNamePart(jp), "x.dll");
}

TEST(ExtensionPart, AfterLastDotOrWholeName) {
  EXPECT_EQ(ExtensionPart("a.b.c"), "c");
  EXPECT_EQ(ExtensionPart("README"), "README");
  EXPECT_EQ(ExtensionPart(P("C:\\x.y\\README")), "README");
  EXPECT_EQ(ExtensionPart(P("C:\\x\\SETUP.EX_")), "EX_");
  EXPECT_EQ(ExtensionPart("name."), "");
}

TEST(BaseNamePart, WithoutLastExtension) {
  EXPECT_EQ(BaseNamePart("A.B.DL_"), "A.B");
  EXPECT_EQ(BaseNamePart(P("C:\\x.y\\README")), "README");
  EXPECT_EQ(BaseNamePart(P("C:\\x\\SETUP.EX_")), "SETUP");
  EXPECT_EQ(BaseNamePart(".profile"), "");
}

TEST(EnsureDotForMatch, AppendsDotOnlyWhenMissing) {
  EXPECT_EQ(EnsureDotForMatch("readme"), "readme.");
  EXPECT_EQ(EnsureDotForMatch("a.dll"), "a.dll");
  EXPECT_EQ(EnsureDotForMatch(""), ".");
}

TEST(ConvertSingleByteCase, ChangesAsciiLettersOnly) {
  EXPECT_EQ(ConvertSingleByteCase("KERNEL32.DLL", 2), "kernel32.dll");
  EXPECT_EQ(ConvertSingleByteCase("kernel32.dll", 1), "KERNEL32.DLL");
  // Full-width letters are double-byte and keep their case; half-width katakana have none.
  EXPECT_EQ(ConvertSingleByteCase("ＡＢＣabc", 1), "ＡＢＣABC");
  EXPECT_EQ(ConvertSingleByteCase("ＡＢＣABC", 2), "ＡＢＣabc");
  EXPECT_EQ(ConvertSingleByteCase("ｱｲｳA", 2), "ｱｲｳa");
  // Accented Latin letters are not single-byte in code page 932.
  EXPECT_EQ(ConvertSingleByteCase("Ée", 1), "ÉE");
  EXPECT_EQ(ConvertSingleByteCase("AbC", 0), "AbC");
}

TEST(IsSingleByteText, AsciiAndHalfWidthKatakanaOnly) {
  EXPECT_TRUE(IsSingleByteText(""));
  EXPECT_TRUE(IsSingleByteText("KERNEL32.DLL"));
  EXPECT_TRUE(IsSingleByteText("ｶﾀｶﾅ.dll"));
  EXPECT_FALSE(IsSingleByteText("カタカナ.dll"));
  EXPECT_FALSE(IsSingleByteText("Ｄ.dll"));
  EXPECT_FALSE(IsSingleByteText("\xff\xfe"));  // not UTF-8 at all
  EXPECT_FALSE(IsSingleByteText("é"));          // not in code page 932
}

TEST(IsSameFileName, CaseOfSingleByteLettersOnly) {
  EXPECT_TRUE(IsSameFileName("KERNEL32.DLL", "kernel32.dll"));
  EXPECT_TRUE(IsSameFileName("", ""));
  EXPECT_FALSE(IsSameFileName("a.dll", "a.dl"));
  EXPECT_TRUE(IsSameFileName("日本A.dll", "日本a.DLL"));
  EXPECT_FALSE(IsSameFileName("ＡＢ.dll", "ａｂ.dll"));  // full-width letters compare exactly
  EXPECT_FALSE(IsSameFileName("あ.dll", "い.dll"));
}

TEST(TrimAtNul, CutsAtFirstNul) {
  EXPECT_EQ(TrimAtNul(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(TrimAtNul("abc"), "abc");
  EXPECT_EQ(TrimAtNul(std::string("\0x", 2)), "");
}

TEST(GetParentFolder, Levels) {
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\F.TXT"), 0), P("C:\\A\\B\\"));
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\F.TXT"), 1), P("C:\\A\\"));
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\"), 0), P("C:\\A\\B\\"));
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\"), 1), P("C:\\A\\"));
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\"), 2), P("C:\\"));
  EXPECT_EQ(GetParentFolder("F.TXT", 0), "");
  EXPECT_EQ(GetParentFolder("", 0), "");
  EXPECT_EQ(GetParentFolder(P("C:\\A"), -1), "");
  // Running out of folders gives the empty text.
  EXPECT_EQ(GetParentFolder(P("C:\\A\\B\\"), 5), "");
#if defined(_WIN32)
  EXPECT_EQ(GetParentFolder("C:\\F.TXT", 1), "");
#else
  EXPECT_EQ(GetParentFolder("/usr/lib/x.so", 0), "/usr/lib/");
  EXPECT_EQ(GetParentFolder("/x.so", 0), "/");
  EXPECT_EQ(GetParentFolder("/", 0), "/");
#endif
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() /
             ("quorvane_paths_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_root);
    fs::create_directories(m_root);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_root, ec);
  }
  std::string root() const { return m_root.string(); }
  fs::path m_root;
};

TEST_F(FolderTest, PathExistsTellsFoldersFromFiles) {
  std::ofstream(m_root / "f.txt") << "x";
  EXPECT_TRUE(PathExists("", true));
  EXPECT_TRUE(PathExists("", false));
  EXPECT_TRUE(PathExists(root(), true));
  EXPECT_TRUE(PathExists(AddOrRemoveSlash(root(), 1), true));
  EXPECT_FALSE(PathExists(root(), false));
  EXPECT_TRUE(PathExists((m_root / "f.txt").string(), false));
  EXPECT_FALSE(PathExists((m_root / "f.txt").string(), true));
  EXPECT_FALSE(PathExists((m_root / "missing").string(), true));
  EXPECT_FALSE(PathExists((m_root / "missing").string(), false));
  EXPECT_TRUE(PathExists(std::string(1, kSeparator), true));
}

TEST_F(FolderTest, MakeFolderPathCreatesEveryMissingLevel) {
  const std::string deep = AddOrRemoveSlash(root(), 1) + P("a\\b\\c\\");
  EXPECT_TRUE(MakeFolderPath(deep));
  EXPECT_TRUE(fs::is_directory(m_root / "a" / "b" / "c"));
  EXPECT_TRUE(MakeFolderPath(deep));  // already there
  EXPECT_TRUE(MakeFolderPath(AddOrRemoveSlash(root(), 1) + P("日本語\\フォルダ")));
  EXPECT_TRUE(fs::is_directory(m_root / fs::u8path("日本語") / fs::u8path("フォルダ")));
}

TEST_F(FolderTest, MakeFolderPathFailsOverAFile) {
  std::ofstream(m_root / "file") << "x";
  EXPECT_FALSE(MakeFolderPath((m_root / "file" / "sub").string()));
  EXPECT_FALSE(MakeFolderPath((m_root / "file").string()));
  EXPECT_FALSE(MakeFolderPath(""));
}

TEST(SlashToBackslash, PureText) {
  EXPECT_EQ(SlashToBackslash("a/b/c"), "a\\b\\c");
  EXPECT_EQ(SlashToBackslash("a\\b"), "a\\b");
  EXPECT_EQ(SlashToBackslash("日/本"), "日\\本");
}

}  // namespace
}  // namespace quorvane::basDirUtil
