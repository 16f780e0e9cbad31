#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/basDirUtil.h"
#include "extraction/basDecompress.h"
#include "extraction/szdd.h"
#include "support/files.h"
#include "support/szdd_writer.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using namespace basDecompress;
using namespace szdd;
using testsupport::compressSzdd;
using testsupport::SzddStyle;
using Vec = std::vector<std::uint8_t>;

Vec header(std::uint32_t length, std::uint8_t mode = 'A', std::uint8_t missing = 'L') {
  return {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33,  // signature
          mode,                                           // compression mode
          missing,                                        // last character of the name
          static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

Vec operator+(Vec a, const Vec& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string text(const Vec& v) { return std::string(v.begin(), v.end()); }

TEST(SzddDecode, HandBuiltFiles) {
  const struct {
    const char* what;
    Vec file;
    const char* expected;
  } cases[] = {
      {"literals", header(3) + Vec{0x07,            // control: three literals
                                   'a', 'b', 'c'},  // the literals
       "abc"},
      {"reference into the initial blanks", header(5) + Vec{0x06,        // control: reference, literal, literal
                                                            0x00, 0x00,  // from 0, length 3: never-written blanks
                                                            'x', 'y'},
       "   xy"},
      // 16 literals fill positions 4080..4095; the write position then wraps to 0. The
      // reference from 4094 (0xFFE), length 4, reads 4094, 4095, then 0 and 1, which it has
      // just written itself, so "OP" repeats.
      {"reference wrapping past the window end and overlapping",
       header(20) + Vec{0xFF, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF, 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P',
                        0x00, 0xFE, 0xF1},
       "ABCDEFGHIJKLMNOPOPOP"},
      {"empty", header(0), ""},
      // A reference longer than what is left, and data after the end, are not output.
      {"stops at the header length", header(4) + Vec{0x01, 'z', 0x00, 0x0F, 'q', 'q', 'q'}, "z   "},
  };
  for (const auto& c : cases) {
    const auto r = decode(c.file);
    ASSERT_TRUE(r.ok()) << c.what;
    EXPECT_EQ(text(r.data), c.expected) << c.what;
    EXPECT_EQ(r.header.missingChar, 'L') << c.what;
    EXPECT_EQ(r.header.length, std::string(c.expected).size()) << c.what;
  }
}

// Each failure is clean: no data, and no huge buffer for a length the data cannot hold.
TEST(SzddDecode, ErrorCases) {
  const Vec good = header(3) + Vec{0x07, 'a', 'b', 'c'};
  Vec badSig = good, badMode = good;
  badSig[7] = 0x34;
  badMode[8] = 'B';
  const struct {
    Vec file;
    SzddError error;
    std::uint64_t limit = kMaxExpandedSize;
  } cases[] = {
      {{}, SzddError::NotSzdd},
      {{'M', 'Z', 0, 0}, SzddError::NotSzdd},
      {badSig, SzddError::NotSzdd},
      {badMode, SzddError::UnknownMode},
      {header(3) + Vec{0x00, 0x00}, SzddError::TruncatedData},  // a reference cut after its first byte
      {header(0xFFFFFFFF) + Vec{0xFF, 'a'}, SzddError::TooLarge},
      {header(1000) + Vec{0x00, 0x00, 0x0F}, SzddError::TooLarge, 100},
      {header(400'000'000) + Vec{0x00, 0x00, 0x0F}, SzddError::TruncatedData},  // within the limit
  };
  for (const auto& c : cases) {
    const auto r = decode(c.file, c.limit);
    EXPECT_EQ(r.error, c.error) << c.file.size();
    EXPECT_LT(r.data.capacity(), 1024u) << c.file.size();
  }
  for (std::size_t cut = 8; cut < good.size(); ++cut) {
    const auto r = decode(Vec(good.begin(), good.begin() + static_cast<long>(cut)));
    EXPECT_EQ(r.error, cut < kHeaderSize ? SzddError::TruncatedHeader : SzddError::TruncatedData) << cut;
    EXPECT_TRUE(r.data.empty());
  }
}

Vec randomBytes(std::size_t n, unsigned seed, int alphabet) {
  std::mt19937 gen(seed);
  Vec out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(gen() % static_cast<unsigned>(alphabet));
  return out;
}

TEST(SzddRoundTrip, WriterAndDecoderAgree) {
  std::vector<Vec> inputs = {
      Vec{}, Vec{'x'}, Vec(10000, ' '), Vec(5000, 'a'),
      randomBytes(9000, 1, 256),  // barely compressible
      randomBytes(9000, 2, 4),    // many references, far past one window
  };
  std::string prose;
  while (prose.size() < 12000) prose += "The quick brown fox jumps over the lazy dog. 日本語のテキスト ";
  inputs.emplace_back(prose.begin(), prose.end());
  for (const Vec& in : inputs) {
    for (SzddStyle style : {SzddStyle::Greedy, SzddStyle::LiteralsOnly}) {
      const Vec packed = compressSzdd(in, style, 'X');
      const auto r = decode(packed);
      ASSERT_TRUE(r.ok()) << in.size();
      EXPECT_EQ(r.data, in);
      EXPECT_EQ(r.header.missingChar, 'X');
      if (style == SzddStyle::Greedy && in.size() >= 5000 && in != inputs[4]) {
        EXPECT_LT(packed.size(), in.size() / 2) << "the writer should really compress";
      }
    }
  }
}

TEST(SzddRoundTrip, EveryTruncationFailsCleanly) {
  const Vec packed = compressSzdd(std::string(300, 'a') + "tail of the file", SzddStyle::Greedy);
  for (std::size_t cut = 0; cut < packed.size(); ++cut) {
    const auto r = decode(Vec(packed.begin(), packed.begin() + static_cast<long>(cut)));
    EXPECT_FALSE(r.ok()) << cut;
  }
  EXPECT_TRUE(decode(packed).ok());
}

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

}  // namespace
}  // namespace quorvane
