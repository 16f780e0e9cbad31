#include <gtest/gtest.h>

#include <array>

#include "common/sjis.h"
#include "compare/compare_engine.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "compare/record_writer.h"

namespace quorvane {
namespace {

using testsupport::makeEntry;
using testsupport::makeExtraction;

std::string row(const std::string& name, const std::string& fv, const std::string& sv, int size,
                const std::string& date = "98/05/11", const std::string& time = "12:00:00") {
  return name + "\t" + fv + "\t" + sv + "\t " + std::to_string(size) + " \t" + date + " " + time + "\r\n";
}

std::string record(const std::vector<std::string>& rows, const std::string& header = ";#FN,FV,SV,SZ,DTTM") {
  std::string s = ";作成日時：98/06/15 10:23:45\r\n" + header + "\r\n\r\n";
  for (const auto& r : rows) s += r;
  return *sjis::encode(s).bytes;
}

CompareRun compare(const std::string& first, const std::string& second, CompareOptions options = {}) {
  TextLineReader a(first), b(second);
  return CompareRecordLines(a, &b, options);
}

std::vector<std::string> names(const ComparisonResult& r, CompareCategory c) {
  std::vector<std::string> out;
  for (std::size_t k = 0; k < r.count(c); ++k) out.push_back(r.entry(c, k).FullPath);
  return out;
}

using Names = std::vector<std::string>;

TEST(CompareEngine, SortsIntoTheFourCategoriesInTheirOrders) {
  const auto first = record({row("gone2.dll", "1", "1", 1), row("same.dll", "1", "1", 1),
                             row("changed.dll", "1", "1", 1), row("gone1.dll", "1", "1", 1)});
  const auto second = record({row("new2.dll", "1", "1", 1), row("changed.dll", "2", "1", 1),
                              row("same.dll", "1", "1", 1), row("new1.dll", "1", "1", 1)});
  const auto run = compare(first, second);
  ASSERT_TRUE(run.ok());
  const auto& r = run.Result;
  EXPECT_EQ(names(r, CompareCategory::Added), (Names{"new2.dll", "new1.dll"}));
  EXPECT_EQ(names(r, CompareCategory::Updated), (Names{"changed.dll"}));
  EXPECT_EQ(names(r, CompareCategory::Deleted), (Names{"gone2.dll", "gone1.dll"}));
  EXPECT_EQ(names(r, CompareCategory::Unchanged), (Names{"same.dll"}));
  EXPECT_EQ(r.entry(CompareCategory::Updated, 0).FixedVersion, "2");
  EXPECT_EQ(r.oldEntry(CompareCategory::Updated, 0)->FixedVersion, "1");
  EXPECT_EQ(r.Updated[0].FirstIndex, 2);
  EXPECT_EQ(r.oldEntry(CompareCategory::Added, 0), nullptr);
}

// Which field changes make an update, with the options that decide it. Counts are
// added, updated, deleted, unchanged.
TEST(CompareEngine, WhatCountsAsAnUpdate) {
  CompareOptions keepString, ignoreDate;
  keepString.IgnoreStringVersion = false;
  ignoreDate.IgnoreFileDate = true;
  const std::string two = record({row("a.dll", "1.0", "1.0", 1), row("b.dll", "2.0", "2.0", 2)});
  const std::string dts = record({row("d.dll", "1", "1", 1, "98/05/11"), row("t.dll", "1", "1", 1, "98/05/11", "12:00:00"),
                                  row("s.dll", "1", "1", 1)});
  const std::string dtsChanged = record({row("d.dll", "1", "1", 1, "98/05/12"),
                                         row("t.dll", "1", "1", 1, "98/05/11", "12:00:01"), row("s.dll", "1", "1", 2)});
  const struct {
    const char* what;
    std::string first, second;
    CompareOptions options;
    std::array<std::size_t, 4> counts;
  } cases[] = {
      {"identical", two, two, {}, {0, 0, 0, 2}},
      {"string version ignored by default", record({row("a.dll", "1", "1 (old)", 1)}),
       record({row("a.dll", "1", "1 (new)", 1)}), {}, {0, 0, 0, 1}},
      {"string version kept", record({row("a.dll", "1", "1 (old)", 1)}), record({row("a.dll", "1", "1 (new)", 1)}),
       keepString, {0, 1, 0, 0}},
      {"date, time and size", dts, dtsChanged, {}, {0, 3, 0, 0}},
      {"date ignored, size still counts", dts, dtsChanged, ignoreDate, {0, 1, 0, 2}},
      {"versions compare as texts", record({row("a.dll", "4.0.0.1", "x", 1)}),
       record({row("a.dll", "4.00.0.1", "x", 1)}), {}, {0, 1, 0, 0}},
      {"four-column first record", record({"a.dll\t1.0\t 1 \t98/05/11 12:00:00\r\n",
                                           "b.dll\t2.0\t 2 \t98/05/11 12:00:00\r\n"}, ";#FN,FV,SZ,DTTM"),
       two, {}, {0, 2, 0, 0}},
      {"empty first", record({}), two, {}, {2, 0, 0, 0}},
      {"empty second", two, record({}), {}, {0, 0, 2, 0}},
  };
  for (const auto& c : cases) {
    const auto run = compare(c.first, c.second, c.options);
    ASSERT_TRUE(run.ok()) << c.what;
    const auto& r = run.Result;
    EXPECT_EQ((std::array<std::size_t, 4>{r.count(CompareCategory::Added), r.count(CompareCategory::Updated),
                                          r.count(CompareCategory::Deleted), r.count(CompareCategory::Unchanged)}),
              c.counts)
        << c.what;
  }
  const auto run = compare(dts, dtsChanged, ignoreDate);
  EXPECT_EQ(names(run.Result, CompareCategory::Updated), (Names{"s.dll"}));
  EXPECT_EQ(run.Result.firstCount(), 3);
  EXPECT_EQ(run.Result.SecondCount, 3);
}

TEST(CompareEngine, CaseVariantsMatchOnlyInScanMode) {
  const auto second = record({row("ABC.DLL", "1", "1", 1)});
  const auto index = compare(record({row("abc.dll", "1", "1", 1)}), second);
  EXPECT_EQ(index.Result.Mode, LookupMode::Index);
  EXPECT_EQ(names(index.Result, CompareCategory::Added), (Names{"ABC.DLL"}));
  EXPECT_EQ(names(index.Result, CompareCategory::Deleted), (Names{"abc.dll"}));
  const auto scan = compare(record({row("abc.dll", "1", "1", 1), row("日本.dll", "1", "1", 1)}), second);
  EXPECT_EQ(scan.Result.Mode, LookupMode::Scan);
  EXPECT_EQ(names(scan.Result, CompareCategory::Unchanged), (Names{"abc.dll"}));
  EXPECT_EQ(names(scan.Result, CompareCategory::Deleted), (Names{"日本.dll"}));
}

TEST(CompareEngine, DuplicateSecondNamesMatchTwiceAndUpdatedWins) {
  const auto first = record({row("a.dll", "1", "1", 1)});
  const auto run = compare(first, record({row("a.dll", "2", "1", 1), row("a.dll", "1", "1", 1),
                                          row("a.dll", "3", "1", 1)}));
  EXPECT_EQ(run.Result.count(CompareCategory::Updated), 2u);
  EXPECT_EQ(run.Result.count(CompareCategory::Unchanged), 0u);
  EXPECT_EQ(run.Result.count(CompareCategory::Deleted), 0u);
  EXPECT_EQ(run.Result.SecondCount, 3);
}

TEST(CompareEngine, AFileThatIsNoRecordStopsTheRun) {
  const auto rec = record({row("a.dll", "1", "1", 1)});
  for (const std::string& other : {std::string(), std::string("plain text\r\n"), std::string("x\ty\r\n")}) {
    const auto run = compare(rec, other);
    EXPECT_EQ(run.Error, CompareError::SecondNotARecord) << other;
    EXPECT_STREQ(compareErrorMessage(run.Error), "バージョン記録ファイルではありません");
  }
  EXPECT_EQ(compare("plain text\r\n", rec).Error, CompareError::FirstNotARecord);
}

// A.DLL and a.dll of one folder are both a.dll in a record: identical names pair in the
// order the record lists them, in both lookup modes and against an extraction listed in
// another order.
TEST(CompareEngine, IdenticalNamesPairInOrder) {
  for (const char* other : {"b.dll", "日本.dll"}) {
    const auto rec = record({row("a.dll", "1", "1", 1), row("a.dll", "2", "2", 2), row(other, "1", "1", 1)});
    const auto run = compare(rec, rec);
    EXPECT_EQ(run.Result.count(CompareCategory::Unchanged), 3u) << other;
    EXPECT_EQ(run.Result.count(CompareCategory::Updated) + run.Result.count(CompareCategory::Deleted), 0u);
  }
  testsupport::TempFolder dir;
  const auto extraction = makeExtraction({makeEntry("a.dll", "2", "2", 2, "98/05/11", "12:00:00"),
                                          makeEntry("b.dll", "1", "1", 1, "98/05/11", "12:00:00"),
                                          makeEntry("a.dll", "1", "1", 1, "98/05/11", "12:00:00")},
                                         {2, 0, 1});
  ASSERT_TRUE(OutputVersionRecord(extraction, dir.at("rec.txt")).ok());
  const auto run = CompareVersionRecords(dir.at("rec.txt"), SecondSide::extraction(extraction), {});
  EXPECT_EQ(run.Result.count(CompareCategory::Unchanged), 3u);
}

TEST(CompareEngine, SecondRowsThatDoNotSplitAreLeftOutAndCounted) {
  const auto first = record({row("a.dll", "1", "1", 1), row("b.dll", "1", "1", 1)});
  const auto second = record({row("a.dll", "1", "1", 1), "b.dll\t1\t1\n", row("c.dll", "1", "1", 1),
                              "b.dll\t1\t1\tbig\t98/05/11 12:00:00\r\n"});
  const auto run = compare(first, second);
  ASSERT_TRUE(run.ok());
  EXPECT_EQ(run.Result.SecondCount, 2);
  EXPECT_EQ(run.Result.SecondRowsLeftOut, 2);
  EXPECT_EQ(names(run.Result, CompareCategory::Deleted), (Names{"b.dll"}));
  EXPECT_EQ(names(run.Result, CompareCategory::Added), (Names{"c.dll"}));
}

TEST(CompareEngine, FirstRowThatDoesNotSplitStopsTheRun) {
  const auto first = record({row("a.dll", "1", "1", 1), "broken\r\n", "x\ty\r\n"});
  const auto run = compare(first, record({}));
  EXPECT_EQ(run.Error, CompareError::FirstRowFailedToSplit);
  EXPECT_EQ(run.ErrorLine, 6);
  EXPECT_STREQ(compareErrorMessage(run.Error), "ファイル読込でエラーが発生しました");
}

TEST(CompareEngine, ViewModeLoadsTheFirstRecordOnly) {
  const auto first = record({row("b.dll", "1", "1", 1), row("a.dll", "1", "1", 1)});
  TextLineReader lines(first);
  const auto run = CompareRecordLines(lines, nullptr, {});
  ASSERT_TRUE(run.ok());
  EXPECT_TRUE(run.Result.ViewMode);
  ASSERT_EQ(run.Result.FirstRecord.size(), 2u);
  EXPECT_EQ(run.Result.FirstRecord[0].FullPath, "b.dll");
  EXPECT_EQ(run.Result.count(CompareCategory::Deleted), 0u);
}

TEST(CompareEngine, TwoRunsInARowGiveTheSameResultAsOne) {
  const auto headerless = std::string("a.dll\t1.0\t 1 \t98/05/11 12:00:00\r\n");
  const auto five = record({row("a.dll", "1.0", "1.0", 1)});
  const auto alone = compare(headerless, headerless);
  compare(five, five);
  const auto after = compare(headerless, headerless);
  EXPECT_EQ(names(after.Result, CompareCategory::Unchanged), names(alone.Result, CompareCategory::Unchanged));
  EXPECT_EQ(after.Result.FirstRecord.at(0).StringVersion, "1.0");
}

TEST(CompareVersionRecords, OpenErrorsNameTheSide) {
  testsupport::TempFolder dir;
  const std::string good = dir.at("good.txt");
  testsupport::writeFile(good, record({row("a.dll", "1", "1", 1)}));
  EXPECT_EQ(CompareVersionRecords("", SecondSide::record(good), {}).Error, CompareError::FirstCannotOpen);
  EXPECT_EQ(CompareVersionRecords(dir.at("none.txt"), SecondSide::record(good), {}).Error,
            CompareError::FirstCannotOpen);
  EXPECT_EQ(CompareVersionRecords(good, SecondSide::record(dir.at("none.txt")), {}).Error,
            CompareError::SecondCannotOpen);
  const auto view = CompareVersionRecords(good, SecondSide::record(""), {});
  ASSERT_TRUE(view.ok());
  EXPECT_TRUE(view.Result.ViewMode);
  const auto both = CompareVersionRecords(good, SecondSide::record(good), {});
  ASSERT_TRUE(both.ok());
  EXPECT_EQ(both.Result.count(CompareCategory::Unchanged), 1u);
}

TEST(CompareVersionRecords, ComparesWithTheExtractionInStorageOrderUnderDisplayNames) {
  testsupport::TempFolder dir;
  auto extraction = makeExtraction({makeEntry("new.dll", "1", "1", 1, "98/05/11", "12:00:00"),
                                    makeEntry("a.dll", "2", "1", 1, "98/05/11", "12:00:00"),
                                    makeEntry("b.dll", "1", "1", 1, "98/05/11", "12:00:00")},
                                   {1, 2, 0});
  ASSERT_TRUE(OutputVersionRecord(extraction, dir.at("rec.txt")).ok());
  const auto same = CompareVersionRecords(dir.at("rec.txt"), SecondSide::extraction(extraction), {});
  ASSERT_TRUE(same.ok());
  EXPECT_EQ(same.Result.count(CompareCategory::Unchanged), 3u);
  EXPECT_EQ(same.Result.SecondCount, 3);
  // Now change the extraction: storage order decides the added list.
  extraction.Entries[1].FixedVersion = "3";
  extraction.Entries.push_back(makeEntry("C:\\TEST\\zz.dll", "", "", 0, "", ""));
  extraction.DisplayNames.push_back("zz.dll");
  extraction.Entries.push_back(makeEntry("C:\\TEST\\aa.dll", "", "", 0, "", ""));
  extraction.DisplayNames.push_back("aa.dll");
  extraction.LastIndex = 4;
  const auto run = CompareVersionRecords(dir.at("rec.txt"), SecondSide::extraction(extraction), {});
  ASSERT_TRUE(run.ok());
  EXPECT_EQ(names(run.Result, CompareCategory::Added), (Names{"zz.dll", "aa.dll"}));
  EXPECT_EQ(names(run.Result, CompareCategory::Updated), (Names{"a.dll"}));
  EXPECT_EQ(run.Result.SecondCount, 5);
}

TEST(IsEntryChanged, UsesEightCharacterFields) {
  auto a = makeEntry("a", "", "", 1, "98/05/11", "12:00:00");
  auto b = makeEntry("a", "", "", 1, "98/05/11  ", "12:00:00");
  EXPECT_FALSE(IsEntryChanged(a, b, false));
  b.Date = "98/05/1";
  EXPECT_TRUE(IsEntryChanged(a, b, false));
  EXPECT_FALSE(IsEntryChanged(a, b, true));
  b.Size = 2;
  EXPECT_TRUE(IsEntryChanged(a, b, true));
}

}  // namespace
}  // namespace quorvane
