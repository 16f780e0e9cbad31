#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "common/basDirUtil.h"
#include "common/utf8.h"
#include "extraction/extraction_order.h"
#include "extraction/extraction_run.h"
#include "extraction/extraction_texts.h"
#include "extraction/run_report_text.h"
#include "extraction/support_run_folder.h"
#include "support/files.h"
#include "support/szdd_writer.h"
#include "support/temp_folder.h"
#include "version/clsFileVersion.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using basDirUtil::ScanResult;
using testsupport::compressSzdd;
using testsupport::dllImage;
using testsupport::entryNamed;
using testsupport::namesInOrder;
using testsupport::requestFor;
using testsupport::RunRecorder;
using testsupport::writeDll;

constexpr const char* kLibraries = "*.DLL *.OCX *.OLB *.TLB";

// Three libraries with version information, one without, and one file of another kind.
class ExtractionRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeDll(dir, "COMCTL32.DLL", {5, 80, 2614, 3600}, "5.80");
    writeDll(dir, "msvbvm60.dll", {6, 0, 97, 82}, "6.00.9782");
    writeDll(dir, "Grid.OCX", {1, 2, 3, 4}, "1, 2, 3, 4");
    dir.write("NOTES.TLB", "not an image at all");
    writeDll(dir, "SETUP.EXE", {9, 9, 9, 9}, "9");
  }

  testsupport::TempFolder dir{"run"};
  clsFileVersion reader;
  ExtractionResult result;
};

// Each way a run can end, after a completed run of another kind: what the front end was
// told, and what is left of the previous result. A scan that stops the run leaves it
// whole; a cancel (seen before the first file, between files or after the last) or a
// progress display that cannot be shown keeps the new entries, read up to there, but
// shows nothing and keeps the previous run's stamp.
TEST_F(ExtractionRunTest, Outcomes) {
  const std::string listing = "ファイル一覧取得中", failed = "バージョン情報抽出は出来ませんでした",
                    cancelled = "バージョン情報抽出を中止しました", done = "バージョン情報抽出完了 ";
  testsupport::TempFolder empty{"run_empty"};
  empty.write("other.txt", "x");
  using Texts = std::vector<std::string>;
  const struct {
    std::string folder, kind;
    int cancelAt, refuseAt;
    RunOutcome outcome;
    ScanResult scan;
    Texts statuses, counts;
    int cancelQueries;
    std::size_t read;  // entries (in listing order) whose versions were read
  } cases[] = {
      {dir.str(), "*.DLL *.OCX", 0, 0, RunOutcome::Completed, ScanResult::Found,
       {listing, "", "1/3", "2/3", "3/3", done}, {"1/3", "2/3", "3/3"}, 4, 3},  // one query per file, one after
      {dir.at("missing"), kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::FolderMissing,
       {listing, "", failed}, {}, 0, 0},
      {"", kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::NoFolder, {listing, "", failed}, {}, 0, 0},
      {empty.str(), kLibraries, 0, 0, RunOutcome::ScanStopped, ScanResult::NothingMatched,
       {listing, "", failed}, {}, 0, 0},
      {dir.str(), "", 0, 0, RunOutcome::ScanStopped, ScanResult::NoPatterns, {listing, "", failed}, {}, 0, 0},
      {dir.str(), kLibraries, 1, 0, RunOutcome::Cancelled, ScanResult::Found, {listing, "", cancelled}, {"1/4"}, 1, 0},
      {dir.str(), kLibraries, 2, 0, RunOutcome::Cancelled, ScanResult::Found,
       {listing, "", "1/4", cancelled}, {"1/4", "2/4"}, 2, 1},  // cancel pressed while file 1 is read
      {dir.str(), kLibraries, 5, 0, RunOutcome::Cancelled, ScanResult::Found,
       {listing, "", "1/4", "2/4", "3/4", "4/4", cancelled}, {"1/4", "2/4", "3/4", "4/4"}, 5, 4},
      {dir.str(), kLibraries, 0, 2, RunOutcome::Abandoned, ScanResult::Found,
       {listing, "", "1/4"}, {"1/4", "2/4"}, 1, 1},  // nothing is asked after the refused update
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind + " in " + c.folder + ", cancel " + std::to_string(c.cancelAt));
    result = {};
    EXPECT_EQ(ExtractVersionInfo(requestFor(dir.str(), "*.OCX"), result, reader, {}).Outcome, RunOutcome::Completed);
    const ExtractionResult before = result;
    RunRecorder r;
    r.cancelAtQuery = c.cancelAt;
    r.refuseAtFile = c.refuseAt;
    const ExtractionRunReport report = ExtractVersionInfo(requestFor(c.folder, c.kind), result, reader, r.callbacks());
    EXPECT_EQ(report.Outcome, c.outcome);
    EXPECT_EQ(report.Scan, c.scan);
    EXPECT_EQ(r.statuses, c.statuses);
    EXPECT_EQ(r.counts, c.counts);
    EXPECT_EQ(r.cancelQueries, c.cancelQueries);
    if (c.outcome == RunOutcome::ScanStopped) {
      testsupport::expectSameResult(result, before);
      continue;
    }
    for (std::size_t i = c.read; i < result.Entries.size(); ++i)
      EXPECT_EQ(result.Entries[i].FixedVersion + result.Entries[i].StringVersion, "") << i;
    if (c.outcome == RunOutcome::Completed) {
      EXPECT_TRUE(result.ExtractionDone);
      EXPECT_EQ(r.captions, (Texts{"バージョン情報抽出中 ", "バージョン情報抽出中 ", done}));
      EXPECT_EQ(r.fractions, (std::vector<float>{1.0f / 3.0f, 2.0f / 3.0f, 1.0f}));
      continue;
    }
    EXPECT_EQ(result.LastIndex, 3);
    if (c.read == 4) {
      EXPECT_EQ(entryNamed(result, "COMCTL32.DLL").FixedVersion, "5.80.2614.3600");
    }
    EXPECT_FALSE(result.ExtractionDone);
    EXPECT_TRUE(result.Order.empty());
    EXPECT_TRUE(result.DisplayNames.empty());
    EXPECT_EQ(std::tie(result.RunDate, result.RunTime, result.RunFolder, result.RunKind),
              std::tie(before.RunDate, before.RunTime, before.RunFolder, before.RunKind));
  }
}

#if !defined(_WIN32)
// A file the record cannot describe honestly is left out and reported by name, and the
// run goes on with the rest. LATE.DLL turns into a FIFO after the listing: it is
// refused at once, never waited on.
TEST_F(ExtractionRunTest, UnreadableFilesAndUnwritableNamesAreLeftOutAndReported) {
  const std::set<std::pair<std::string, SkipReason>> hostile = {
      {"TAB\tNAME.DLL", SkipReason::NameNotText}, {"LINE\nBREAK.DLL", SkipReason::NameNotText},
      {"CR\rNAME.DLL", SkipReason::NameNotText},  {"BAD\xFF.DLL", SkipReason::NameNotText},
      {"LATE.DLL", SkipReason::NotAFile}};
  for (const auto& [name, why] : hostile) writeDll(dir, name, {1, 0, 0, 0}, "1");
  ExtractionCallbacks cb;
  cb.progress = [&](float, const std::string&, const std::string&) {
    if (fs::is_regular_file(dir.path() / "LATE.DLL")) {
      fs::remove(dir.path() / "LATE.DLL");
      EXPECT_EQ(::mkfifo((dir.path() / "LATE.DLL").c_str(), 0600), 0);
    }
    return true;
  };
  // One thread, so that no file is read ahead of the swap.
  ExtractionRequest request = requestFor(dir.str(), kLibraries);
  request.ReadThreads = 1;
  const ExtractionRunReport report = ExtractVersionInfo(request, result, reader, cb);
  EXPECT_EQ(report.Outcome, RunOutcome::Completed);
  std::set<std::pair<std::string, SkipReason>> got;
  for (const auto& skipped : report.Skipped) got.insert({skipped.Path.substr(dir.str().size() + 1), skipped.Reason});
  EXPECT_EQ(got, hostile);
  EXPECT_TRUE(report.incomplete());
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"COMCTL32.DLL", "Grid.OCX", "msvbvm60.dll", "NOTES.TLB"}));
  EXPECT_EQ(result.LastIndex, 3);
}
#endif

// Setup media: compressed files, one that is not compressed at all, one that is damaged.
// The entries describe the expanded copies (date and size too); the damaged file is
// reported and kept as it is, without versions, and an older expansion of its name
// neither passes for the new one nor is destroyed.
TEST(CompressedRunTest, EntriesDescribeTheExpandedCopies) {
  testsupport::TempFolder media{"media"}, out{"expanded"};
  const std::vector<std::uint8_t> setupImage = dllImage({3, 10, 0, 1}, "3.10.001");
  media.write("SETUP.EX_", compressSzdd(setupImage));
  media.write("commdlg.dl_", compressSzdd(dllImage({3, 1, 0, 103}, "3.10")));
  media.write("A.B.OC_", dllImage({2, 0, 0, 0}, "2.0"));  // stored uncompressed
  media.write("IGNORED.DLL", dllImage({1, 0, 0, 0}, "1.0"));
  fs::last_write_time(media.path() / "SETUP.EX_", fs::file_time_type::clock::now() - std::chrono::hours(24 * 800));
  std::vector<std::uint8_t> broken = compressSzdd(dllImage({7, 0, 0, 0}, "7.0"));
  broken.resize(broken.size() / 2);
  const std::string brokenPath = media.write("BROKEN.DL_", broken);
  writeDll(out, "BROKEN.DLL", {6, 0, 0, 0}, "6.0");
  const auto older = testsupport::readFile(out.path() / "BROKEN.DLL");
  clsFileVersion reader;
  ExtractionResult result;
  const ExtractionRunReport report =
      ExtractVersionInfo(requestFor(media.str(), "*.DL_ *.OC_ *.OL_ *.TL_ *.EX_", out.str()), result, reader, {});
  ASSERT_EQ(report.Outcome, RunOutcome::Completed);
  EXPECT_EQ(report.ExpansionFailures, std::vector<std::string>{brokenPath});
  EXPECT_EQ(namesInOrder(result), (std::vector<std::string>{"A.B.OCX", "BROKEN.DL_", "commdlg.DLL", "SETUP.EXE"}));
  EXPECT_EQ(result.DisplayNames[static_cast<std::size_t>(result.Order[2])], "commdlg.dll");

  const FileVersionEntry& setup = entryNamed(result, "SETUP.EXE");
  const auto stamp = basDirUtil::ReadFileStamp(out.at("SETUP.EXE"));
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(std::tie(setup.FullPath, setup.Ext, setup.FixedVersion, setup.StringVersion, setup.Date, setup.Time),
            std::tuple(out.at("SETUP.EXE"), "EXE", "3.10.0.1", "3.10.001", stamp->date, stamp->time));
  EXPECT_EQ(static_cast<std::size_t>(setup.NamePos), utf8::length(out.str()) + 2);
  EXPECT_EQ(setup.Size, static_cast<std::int64_t>(setupImage.size()));
  EXPECT_EQ(testsupport::readFile(out.path() / "SETUP.EXE"), setupImage);
  EXPECT_EQ(entryNamed(result, "commdlg.DLL").FixedVersion, "3.1.0.103");
  EXPECT_EQ(entryNamed(result, "A.B.OCX").StringVersion, "2.0");

  const FileVersionEntry& e = entryNamed(result, "BROKEN.DL_");
  EXPECT_EQ(std::tuple(e.FullPath, e.Size, e.Date.size(), e.FixedVersion + e.StringVersion),
            std::tuple(brokenPath, static_cast<std::int64_t>(broken.size()), 8u, ""));
  EXPECT_EQ(testsupport::readFile(out.path() / "BROKEN.DLL"), older);
}

// Double-byte names: any processed path with a character that takes two bytes in code
// page 932 (or none at all) sets the flag, and nothing clears it; half-width katakana are
// single bytes, and a file never reached by a cancelled run does not count.
TEST(ExtractionRunNames, DoubleByteNamesSetTheFlagForGood) {
  testsupport::TempFolder plain{"plain"}, japanese{"japanese"}, kana{"kana"}, accent{"accent"};
  writeDll(plain, "PLAIN.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(japanese, "日本語.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(kana, "ｶﾅ.DLL", {1, 0, 0, 0}, "1.0");
  writeDll(accent, "café.DLL", {1, 0, 0, 0}, "1.0");
  const struct {
    const testsupport::TempFolder& folder;
    bool fresh;  // a new result, else the one of the row above
    int cancelAt;
    bool flag;
  } cases[] = {{kana, true, 0, false},      {japanese, true, 1, false}, {plain, true, 0, false},
               {japanese, false, 0, true}, {plain, false, 0, true},    {accent, true, 0, true}};
  clsFileVersion reader;
  ExtractionResult result;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder.str());
    if (c.fresh) result = {};
    RunRecorder rec;
    rec.cancelAtQuery = c.cancelAt;
    ExtractVersionInfo(requestFor(c.folder.str(), "*.DLL"), result, reader, rec.callbacks());
    EXPECT_EQ(result.HasDoubleByteNames, c.flag);
  }
  ExtractVersionInfo(requestFor(japanese.str(), "*.DLL"), result, reader, {});
  EXPECT_EQ(result.DisplayNames, (std::vector<std::string>{"日本語.dll"}));
  EXPECT_EQ(entryNamed(result, "日本語.DLL").FixedVersion, "1.0.0.0");
}

// What the run adds to the scan's heartbeat: the listing status during the turns, and a
// cancel given in one of them. The heartbeat's own timing is tested in the scan's tests.
// A turn at every look at the clock; each notes the status it sees, the second cancels.
// The cancelled run applies nothing of the unfinished listing: the previous run's entries
// and stamp stay, but it is not done and not shown. The next run starts afresh.
TEST(ListingTurns, ACancelWhileListingEndsTheRunAsCancelledWithoutTakingTheListing) {
  constexpr int kFiles = 200;
  testsupport::TempFolder big{"listing-big"}, small{"listing-small"};
  for (int i = 0; i < kFiles; ++i) big.write("N" + std::to_string(i) + ".DLL", "x");
  writeDll(small, "ONE.DLL", {1, 0, 0, 0}, "1.0");
  clsFileVersion reader;
  ExtractionResult result;
  ASSERT_EQ(ExtractVersionInfo(requestFor(small.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  ExtractionResult expected = result;
  expected.ExtractionDone = false;
  expected.DisplayNames.clear();
  expected.Order.clear();

  RunRecorder rec;
  std::vector<std::string> statusAtTurn;
  ExtractionCallbacks cb = rec.callbacks();
  cb.listingInterval = 0ms;
  cb.listing = [&] {
    statusAtTurn.push_back(rec.statuses.empty() ? std::string() : rec.statuses.back());
    return statusAtTurn.size() < 2;
  };
  const ExtractionRunReport report = ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, cb);
  EXPECT_EQ(report.Scan, ScanResult::Stopped);
  EXPECT_EQ(report.Outcome, RunOutcome::Cancelled);
  EXPECT_EQ(statusAtTurn, (std::vector<std::string>{extractionText::kListing, extractionText::kListing}));
  EXPECT_TRUE(rec.fractions.empty());  // no file was started
  EXPECT_EQ(rec.statuses, (std::vector<std::string>{extractionText::kListing, "", extractionText::kCancelled}));
  testsupport::expectSameResult(result, expected);

  EXPECT_EQ(ExtractVersionInfo(requestFor(big.str(), "*.DLL"), result, reader, {}).Outcome, RunOutcome::Completed);
  EXPECT_TRUE(result.ExtractionDone);
  EXPECT_EQ(result.Order.size(), static_cast<std::size_t>(kFiles));
}

TEST(ExtractionTexts, ScanMessages) {
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::FolderMissing), "指定されたフォルダーは存在しません");
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::NoFolder), "フォルダーが指定されていません");
  EXPECT_STREQ(extractionText::scanMessage(ScanResult::NothingMatched), "対象となるファイルは有りませんでした");
  EXPECT_EQ(extractionText::scanMessage(ScanResult::NoPatterns), nullptr);
  EXPECT_EQ(extractionText::scanMessage(ScanResult::Found), nullptr);
}

TEST(RunReportText, NamesTheFirstTwentyFilesAndCountsTheRest) {
  ExtractionRunReport report;
  report.ExpansionFailures = {"/m/a.dl_"};
  for (int i = 0; i < 21; ++i) report.Skipped.push_back({"/m/" + std::to_string(i) + ".dll", SkipReason::NotAFile});
  const std::string text = incompleteMessage(report);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            "抽出は完了しましたが、次の 22 件のファイルは記録に含めなかったか、展開できませんでした。");
  EXPECT_NE(text.find("\n展開できませんでした: /m/a.dl_ (圧縮されたファイルのまま記録します)\n"), std::string::npos);
  EXPECT_NE(text.find("\n記録に含めませんでした: /m/18.dll ("), std::string::npos);
  EXPECT_EQ(text.find("/m/19.dll"), std::string::npos);
  EXPECT_EQ(text.substr(text.rfind('\n')), "\nほか 2 件");
  report.Skipped.resize(1);
  EXPECT_EQ(incompleteMessage(report).find("ほか"), std::string::npos);
}

// A result whose entries are the given file names in this listing order, in folder "/d/".
ExtractionResult resultOf(const std::vector<std::string>& names) {
  ExtractionResult r;
  for (const std::string& n : names) {
    FileVersionEntry e;
    e.FullPath = "/d/" + n;
    e.NamePos = 4;
    r.Entries.push_back(e);
  }
  r.LastIndex = static_cast<std::int32_t>(names.size()) - 1;
  return r;
}

std::vector<std::string> ordered(const std::vector<std::string>& names, bool strict) {
  ExtractionResult r = resultOf(names);
  UpadateList(r, strict);
  return namesInOrder(r);
}

const std::vector<std::string> kMixed = {
    "b.dll", "B.DLL", "a.dll", "A.DLL", "_x.dll", "Z.dll", "z.DLL", "10.dll", "9.dll", "日本語.dll",
    "ａ.dll", "Ａ.dll", "ｶﾅ.dll", "café.dll", "😀.dll", "b.dll", "", "あ.dll", "漢.dll", "Ｂ.dll"};

// In both orders every index comes exactly once, and the order depends on the names
// alone: not on the listing order, nor on the locale.
TEST(ExtractionOrder, EveryIndexOnceWhateverTheListingOrderOrLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  for (const bool strict : {false, true}) {
    ExtractionResult r = resultOf(kMixed);
    UpadateList(r, strict);
    std::vector<std::int32_t> sorted = r.Order, expected(kMixed.size());
    std::sort(sorted.begin(), sorted.end());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(r.DisplayNames.size(), kMixed.size());
    const std::vector<std::string> reference = namesInOrder(r);
    std::vector<std::string> shuffled = kMixed;
    std::mt19937 gen(12345);
    for (int round = 0; round < 20; ++round) {
      std::shuffle(shuffled.begin(), shuffled.end(), gen);
      EXPECT_EQ(ordered(shuffled, strict), reference);
    }
    if (std::setlocale(LC_ALL, "C.UTF-8") || std::setlocale(LC_ALL, "en_US.UTF-8")) {
      EXPECT_EQ(ordered(kMixed, strict), reference);
    }
    std::setlocale(LC_ALL, saved.c_str());
  }
}

// The comparison page lists its names with nameListOrder: on names that a locale collator
// and code points put differently it must give the extraction page's order exactly.
TEST(ExtractionOrder, BothPagesListTrickyNamesInTheSameOrder) {
  std::vector<std::string> names = kMixed;
  for (const char* n : {"msvcp_win.dll", "msvcp110.dll", "MSVCP_WIN.DLL", "a-b.dll", "a b.dll", "ab.dll", "a.b.dll"})
    names.push_back(n);
  ExtractionResult r = resultOf(names);
  UpadateList(r, false);
  const std::vector<std::size_t> listed = nameListOrder(names);
  EXPECT_EQ(std::vector<std::size_t>(r.Order.begin(), r.Order.end()), listed);
  EXPECT_EQ(nameListOrder({"msvcp_win.dll", "MSVCP_WIN.DLL", "msvcp110.dll"}), (std::vector<std::size_t>{2, 1, 0}));
  // A malformed name still goes by code points, its bad byte as U+FFFD (after あ), not by
  // its bytes (0x80 before 0xE3).
  EXPECT_EQ(nameListOrder({"\x80.dll", "あ.dll", "b.dll"}), (std::vector<std::size_t>{2, 1, 0}));
}

// Single-byte letters compare without case in both orders; the same letters in different
// case fall back to the exact names, upper case first. The normal order compares code
// points of the display names, where full-width capitals keep their case (Ｂ U+FF22 before
// ａ U+FF41). The strict order lowers every letter (Greek and Cyrillic too) and compares
// code page 932 bytes (ａ 82 81, あ 82 A0, 漢 8A BF, ｱ B1); names that code page cannot hold
// come last.
TEST(ExtractionOrder, Orders) {
  using Names = std::vector<std::string>;
  const struct {
    Names names;
    bool strict;
    Names expected;
  } cases[] = {
      {{"c.DLL", "B.dll", "a.OCX"}, false, {"a.OCX", "B.dll", "c.DLL"}},
      {{"c.DLL", "B.dll", "a.OCX"}, true, {"a.OCX", "B.dll", "c.DLL"}},
      {{"kernel32.dll", "KERNEL32.DLL"}, false, {"KERNEL32.DLL", "kernel32.dll"}},
      {{"ｃ.dll", "ａ.dll", "Ｂ.dll"}, false, {"Ｂ.dll", "ａ.dll", "ｃ.dll"}},
      {{"ｱ.dll", "漢.dll", "Ａ.dll", "あ.dll"}, false, {"あ.dll", "漢.dll", "Ａ.dll", "ｱ.dll"}},
      {{"ｃ.dll", "ａ.dll", "Ｂ.dll"}, true, {"ａ.dll", "Ｂ.dll", "ｃ.dll"}},
      {{"ｱ.dll", "漢.dll", "Ａ.dll", "あ.dll"}, true, {"Ａ.dll", "あ.dll", "漢.dll", "ｱ.dll"}},
      {{"β.dll", "Α.dll", "б.dll", "А.dll"}, true, {"Α.dll", "β.dll", "А.dll", "б.dll"}},
      {{"café.dll", "zz.dll", "😀.dll", "漢.dll"}, true, {"zz.dll", "漢.dll", "café.dll", "😀.dll"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ordered(c.names, c.strict), c.expected) << c.names[0] << " strict " << c.strict;
}

}  // namespace
}  // namespace quorvane
