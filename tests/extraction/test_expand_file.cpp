#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
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
using Vec = std::vector<std::uint8_t>;

// What a path holds, to see that a failed expansion changed nothing.
std::string stateOf(const fs::path& p) {
  if (fs::is_symlink(p)) return "link";
  if (fs::is_directory(p)) return "folder";
  return fs::exists(p) ? "file:" + testsupport::readText(p) : "none";
}

std::size_t entriesIn(const fs::path& folder) {
  return fs::is_directory(folder) ? static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {})) : 0;
}

// Each row runs after the ones above it, in one folder. A success leaves the expanded
// bytes under the target name and nothing else new; a failure leaves the target, the
// source and the folder exactly as they were (no temporary file, no new folder): the
// expansion never destroys what it did not make.
TEST(ExpandFile, OutcomesAndWhatTheyLeave) {
  testsupport::TempFolder dir{"expand"};
  const std::string content = std::string(2000, 'x') + "MZ version resource stand-in" + std::string(500, ' ');
  const std::string plain("MZ\0\1\2\xFFSZDD", 10);
  Vec cut = compressSzdd(content);
  cut.resize(cut.size() / 2);
  Vec same = compressSzdd(content);
  same.resize(40);
  dir.write("SETUP.EX_", compressSzdd(content));
  dir.write("FAKE.DL_", plain);
  dir.write("EMPTY.DL_", "");
  dir.write("FIRST.DL_", compressSzdd(std::string("first, and longer than the second")));
  dir.write("SECOND.DL_", compressSzdd(std::string("second")));
  dir.write("CUT.DL_", cut);
  dir.write("SAME", same);
  dir.write("PACKED", compressSzdd(content));
  dir.write("P.TXT", "plain text");
  dir.write("blocker", "x");
  dir.write("日本語.DL_", compressSzdd(std::string("jp")));
  fs::create_directories(dir.path() / "out" / "E.DLL");
  dir.write("out/B.DLL", "copy from an earlier run");
  std::error_code linkError;  // Windows needs a privilege for links
  fs::create_symlink(dir.path() / "PACKED", dir.path() / "LINK", linkError);
  const std::string out = dir.at("out");
  const struct {
    std::string source, folder, name;
    ExpandError expected;
    std::string written;
  } cases[] = {
      {"SETUP.EX_", dir.at("a/b/c"), "SETUP.EXE", ExpandError::None, content},  // missing nested folders are made
      {"SETUP.EX_", dir.at("a/b/c") + "/", "AGAIN.EXE", ExpandError::None, content},
      {"FAKE.DL_", out, "FAKE.DLL", ExpandError::None, plain},  // not compressed: copied unchanged
      {"EMPTY.DL_", out, "EMPTY.DLL", ExpandError::None, ""},
      {"FIRST.DL_", out, "A.DLL", ExpandError::None, "first, and longer than the second"},
      {"SECOND.DL_", out, "A.DLL", ExpandError::None, "second"},  // a second run replaces the first
      {"P.TXT", dir.str(), "P.TXT", ExpandError::None, "plain text"},  // a plain file onto itself
      {"日本語.DL_", dir.at("展開先"), "日本語.DLL", ExpandError::None, "jp"},
      {"CUT.DL_", out, "B.DLL", ExpandError::CorruptSource, {}},
      {"none.DL_", out, "B.DLL", ExpandError::SourceMissing, {}},
      {"none.DL_", dir.at("new"), "B.DLL", ExpandError::SourceMissing, {}},
      {"", out, "B.DLL", ExpandError::SourceIsFolder, {}},
      {"PACKED", dir.str(), "PACKED", ExpandError::TargetUnwritable, {}},  // never onto itself
      {"PACKED", dir.str(), linkError ? "PACKED" : "LINK", ExpandError::TargetUnwritable, {}},  // nor through a link
      {"SAME", dir.str(), "SAME", ExpandError::TargetUnwritable, {}},  // a damaged one neither
      {"FIRST.DL_", dir.at("blocker"), "E.DLL", ExpandError::FolderUnavailable, {}},
      {"FIRST.DL_", "", "E.DLL", ExpandError::FolderUnavailable, {}},
      {"FIRST.DL_", out, "E.DLL", ExpandError::TargetUnwritable, {}},  // the target name is a folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source + " -> " + c.folder + " " + c.name);
    const std::string source = c.source.empty() ? dir.str() : dir.at(c.source);
    const fs::path target = fs::u8path(c.folder) / fs::u8path(c.name);
    const std::string sourceBefore = stateOf(source), targetBefore = stateOf(target);
    const std::size_t entriesBefore = entriesIn(fs::u8path(c.folder));
    const bool folderExisted = fs::exists(fs::u8path(c.folder));
    EXPECT_EQ(ExpandFileChecked(source, c.folder, c.name), c.expected);
    const bool ok = c.expected == ExpandError::None;
    EXPECT_EQ(stateOf(target), ok ? "file:" + c.written : targetBefore);
    EXPECT_EQ(entriesIn(fs::u8path(c.folder)), entriesBefore + (ok && targetBefore == "none" ? 1 : 0));
    if (!ok) {
      EXPECT_EQ(fs::exists(fs::u8path(c.folder)), folderExisted);
    }
    if (source != target) {
      EXPECT_EQ(stateOf(source), sourceBefore);
    }
  }
  EXPECT_TRUE(ExpandFile(dir.at("P.TXT"), out, "P2.TXT"));
  EXPECT_FALSE(ExpandFile(dir.at("CUT.DL_"), out, "P2.TXT"));
}

// The copy keeps the source's date and is readable by no one the source does not allow.
TEST(ExpandFile, CopyKeepsTheSourceDateAndIsNoMoreOpen) {
  testsupport::TempFolder dir{"expand"};
  const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  for (const auto mode : {fs::perms(0600), fs::perms(0640), fs::perms(0644)}) {
    const std::string source = dir.write("P.DL_", compressSzdd(std::string("private")));
    fs::permissions(source, mode);
    fs::last_write_time(source, when);
    ASSERT_TRUE(ExpandFile(source, dir.at("out"), "P.DLL"));
    const fs::path copy = dir.path() / "out" / "P.DLL";
    EXPECT_EQ(fs::status(copy).permissions() & ~mode, fs::perms::none);
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms(0600), fs::perms(0600));
    // The source's time as the file system kept it (some keep whole seconds only).
    const auto kept = fs::last_write_time(source);
    EXPECT_LT(std::chrono::abs(kept - when), std::chrono::seconds(2));
    EXPECT_EQ(fs::last_write_time(copy), kept);
  }
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
// Sets an environment variable (or unsets it: nullptr) for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

#endif

}  // namespace
}  // namespace quorvane::basDecompress
