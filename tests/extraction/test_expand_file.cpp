#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/basDirUtil.h"
#include "extraction/basDecompress.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "support/szdd_writer.h"

namespace quorvane::basDecompress {
namespace {

namespace fs = std::filesystem;
using testsupport::compressSzdd;
using testsupport::readFile;
using testsupport::writeFile;
using Vec = std::vector<std::uint8_t>;

Vec bytesOf(const std::string& s) { return Vec(s.begin(), s.end()); }

class ExpandFileTest : public ::testing::Test {
 protected:
  testsupport::TempFolder dir{"expand"};
  const std::string content = std::string(2000, 'x') + "MZ version resource stand-in" + std::string(500, ' ');
};

TEST_F(ExpandFileTest, ExpandsIntoMissingNestedFolder) {
  writeFile(dir.path() / "SETUP.EX_", compressSzdd(content));
  const fs::path out = dir.path() / "a" / "b" / "c";
  EXPECT_TRUE(ExpandFile(dir.at("SETUP.EX_"), out.string(), "SETUP.EXE"));
  EXPECT_EQ(readFile(out / "SETUP.EXE"), bytesOf(content));
  // With a trailing separator the folder means the same.
  EXPECT_TRUE(ExpandFile(dir.at("SETUP.EX_"), out.string() + "/", "AGAIN.EXE"));
  EXPECT_EQ(readFile(out / "AGAIN.EXE"), bytesOf(content));
}

TEST_F(ExpandFileTest, PlainFileIsCopiedUnchanged) {
  const Vec plain = {'M', 'Z', 0, 1, 2, 0xFF, 'S', 'Z', 'D', 'D'};
  writeFile(dir.path() / "FAKE.DL_", plain);
  EXPECT_TRUE(ExpandFile(dir.at("FAKE.DL_"), dir.at("out"), "FAKE.DLL"));
  EXPECT_EQ(readFile(dir.path() / "out" / "FAKE.DLL"), plain);
  writeFile(dir.path() / "EMPTY.DL_", Vec{});
  EXPECT_TRUE(ExpandFile(dir.at("EMPTY.DL_"), dir.at("out"), "EMPTY.DLL"));
  EXPECT_TRUE(fs::exists(dir.path() / "out" / "EMPTY.DLL"));
  EXPECT_EQ(fs::file_size(dir.path() / "out" / "EMPTY.DLL"), 0u);
}

TEST_F(ExpandFileTest, SecondRunOverwritesTheFirst) {
  writeFile(dir.path() / "A.DL_", compressSzdd(std::string("first, and longer than the second")));
  ASSERT_TRUE(ExpandFile(dir.at("A.DL_"), dir.at("out"), "A.DLL"));
  writeFile(dir.path() / "A.DL_", compressSzdd(std::string("second")));
  ASSERT_TRUE(ExpandFile(dir.at("A.DL_"), dir.at("out"), "A.DLL"));
  EXPECT_EQ(readFile(dir.path() / "out" / "A.DLL"), bytesOf("second"));
}

// A failed expansion never deletes or truncates a file it did not make: an older copy
// of the target's name stays as it was, and no temporary file is left behind.
TEST_F(ExpandFileTest, FailedExpansionLeavesAnOlderTargetIntact) {
  Vec cut = compressSzdd(content);
  cut.resize(cut.size() / 2);
  writeFile(dir.path() / "CUT.DL_", cut);
  const struct {
    std::string source;
    ExpandError expected;
  } cases[] = {
      {dir.at("CUT.DL_"), ExpandError::CorruptSource},       // the data ends early
      {dir.at("none.DL_"), ExpandError::SourceMissing},      // no such file
      {dir.str(), ExpandError::SourceIsFolder},              // a folder is not a source
  };
  fs::create_directories(dir.path() / "out");
  writeFile(dir.path() / "out" / "B.DLL", std::string("copy from an earlier run"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(ExpandFileChecked(c.source, dir.at("out"), "B.DLL"), c.expected);
    EXPECT_EQ(readFile(dir.path() / "out" / "B.DLL"), bytesOf("copy from an earlier run"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "out"), fs::directory_iterator()), 1);
  }
  // A missing source creates no folder either.
  EXPECT_EQ(ExpandFileChecked(dir.at("none.DL_"), dir.at("new"), "B.DLL"), ExpandError::SourceMissing);
  EXPECT_FALSE(fs::exists(dir.path() / "new"));
}

// The copy is readable by no one the source does not allow.
TEST_F(ExpandFileTest, ExpandedCopyIsNoMoreOpenThanItsSource) {
  for (const auto mode : {fs::perms(0600), fs::perms(0640), fs::perms(0644)}) {
    writeFile(dir.path() / "P.DL_", compressSzdd(std::string("private")));
    fs::permissions(dir.path() / "P.DL_", mode);
    ASSERT_TRUE(ExpandFile(dir.at("P.DL_"), dir.at("out"), "P.DLL"));
    EXPECT_EQ(fs::status(dir.path() / "out" / "P.DLL").permissions() & ~mode, fs::perms::none);
    EXPECT_EQ(fs::status(dir.path() / "out" / "P.DLL").permissions() & fs::perms(0600), fs::perms(0600));
  }
}

TEST_F(ExpandFileTest, FailedExpansionNeverRemovesTheSourceItself) {
  Vec packed = compressSzdd(content);
  packed.resize(40);
  writeFile(dir.path() / "SAME", packed);
  EXPECT_FALSE(ExpandFile(dir.at("SAME"), dir.str(), "SAME"));
  EXPECT_EQ(readFile(dir.path() / "SAME"), packed);
}

TEST_F(ExpandFileTest, CompressedFileIsNeverExpandedOntoItself) {
  const Vec packed = compressSzdd(content);
  writeFile(dir.path() / "PACKED", packed);
  EXPECT_EQ(ExpandFileChecked(dir.at("PACKED"), dir.str(), "PACKED"), ExpandError::TargetUnwritable);
  EXPECT_EQ(readFile(dir.path() / "PACKED"), packed);
  // Through a link to it as well.
  std::error_code linkError;
  fs::create_symlink(dir.path() / "PACKED", dir.path() / "LINK", linkError);
  if (linkError) GTEST_SKIP() << "cannot make a symbolic link here (Windows needs a privilege): " << linkError.message();
  EXPECT_FALSE(ExpandFile(dir.at("PACKED"), dir.str(), "LINK"));
  EXPECT_EQ(readFile(dir.path() / "PACKED"), packed);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "LINK"));
}

TEST_F(ExpandFileTest, PlainFileOntoItselfStaysIntact) {
  writeFile(dir.path() / "P.TXT", "plain text");
  EXPECT_TRUE(ExpandFile(dir.at("P.TXT"), dir.str(), "P.TXT"));
  EXPECT_EQ(readFile(dir.path() / "P.TXT"), bytesOf("plain text"));
}

// A target folder that is a file or empty, and a target name that is a folder, fail
// cleanly and leave what is there.
TEST_F(ExpandFileTest, UnusableTargetsFail) {
  writeFile(dir.path() / "E.DL_", compressSzdd(std::string("e")));
  writeFile(dir.path() / "blocker", "x");
  fs::create_directories(dir.path() / "out" / "E.DLL");
  EXPECT_EQ(ExpandFileChecked(dir.at("E.DL_"), dir.at("blocker"), "E.DLL"), ExpandError::FolderUnavailable);
  EXPECT_EQ(ExpandFileChecked(dir.at("E.DL_"), "", "E.DLL"), ExpandError::FolderUnavailable);
  EXPECT_EQ(ExpandFileChecked(dir.at("E.DL_"), dir.at("out"), "E.DLL"), ExpandError::TargetUnwritable);
  EXPECT_TRUE(fs::is_directory(dir.path() / "out" / "E.DLL"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "out"), fs::directory_iterator()), 1);
}

TEST_F(ExpandFileTest, ExpandedCopyKeepsTheSourceDate) {
  writeFile(dir.path() / "G.DL_", compressSzdd(std::string("g")));
  const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(dir.path() / "G.DL_", when);
  ASSERT_TRUE(ExpandFile(dir.at("G.DL_"), dir.at("out"), "G.DLL"));
  // The source's time as the file system kept it (some keep whole seconds only).
  const auto kept = fs::last_write_time(dir.path() / "G.DL_");
  EXPECT_LT(std::chrono::abs(kept - when), std::chrono::seconds(2));
  EXPECT_EQ(fs::last_write_time(dir.path() / "out" / "G.DLL"), kept);
}

TEST_F(ExpandFileTest, DoubleByteNames) {
  writeFile(dir.path() / fs::u8path("日本語.DL_"), compressSzdd(std::string("jp")));
  EXPECT_TRUE(ExpandFile(dir.at("日本語.DL_"), dir.at("展開先"), "日本語.DLL"));
  EXPECT_EQ(readFile(dir.path() / fs::u8path("展開先") / fs::u8path("日本語.DLL")), bytesOf("jp"));
}

TEST(ExpandedFileName, MapsTheFiveCompressedExtensions) {
  const std::pair<const char*, const char*> cases[] = {
      {"SETUP.EX_", "SETUP.EXE"}, {"COMMDLG.DL_", "COMMDLG.DLL"}, {"A.B.DL_", "A.B.DLL"},
      {"X.OC_", "X.OCX"},         {"X.TL_", "X.TLB"},             {"setup.ex_", "setup.EXE"},
      {"README.TX_", "README.TX_"}, {"DL_", "DL_"},
      {"A.DLL", "A.DLL"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ExpandedFileName(in), out) << in;
  const char sep = quorvane::basDirUtil::kSeparator;
  EXPECT_EQ(ExpandedFileName(std::string(1, sep) + "some" + sep + "X.OL_"), "X.OLB");
}

#if !defined(_WIN32)
// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old, m_had = true;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (m_had) setenv(m_name, m_old.c_str(), 1);
    else unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::string m_old;
  bool m_had = false;
};

TEST(Folders, TempFolderFollowsTmpdir) {
  for (const char* tmpdir : {"/var/tmp", "/var/tmp/"}) {
    ScopedEnv env("TMPDIR", tmpdir);
    EXPECT_EQ(TempFolder(), "/var/tmp/");
  }
  ScopedEnv env("TMPDIR", nullptr);
  EXPECT_EQ(TempFolder(), "/tmp/");
}

TEST(Folders, SystemFolderPrefersTheWinePrefix) {
  testsupport::TempFolder home("home");
  ScopedEnv h("HOME", home.str().c_str());
  ScopedEnv w("WINEPREFIX", nullptr);
  EXPECT_EQ(SystemFolder(), home.str() + "/");
  fs::create_directories(home.path() / ".wine" / "drive_c" / "windows" / "system32");
  EXPECT_EQ(SystemFolder(), home.str() + "/.wine/drive_c/windows/system32/");
  const std::string prefix = home.at("other");
  ScopedEnv w2("WINEPREFIX", prefix.c_str());
  EXPECT_EQ(SystemFolder(), home.str() + "/");  // the named prefix has no system32
  fs::create_directories(home.path() / "other" / "drive_c" / "windows" / "system32");
  EXPECT_EQ(SystemFolder(), prefix + "/drive_c/windows/system32/");
}
#endif

}  // namespace
}  // namespace quorvane::basDecompress
