#include <gtest/gtest.h>

#include <random>

#include "common/basDirUtil.h"
#include "common/sjis.h"
#include "compare/compare_engine.h"
#include "compare/name_index.h"
#include "compare/update_class.h"
#include "support/entry_builder.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using testsupport::makeEntry;

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

// The names of every category in its order: "+" added, "~" updated, "-" deleted, "="
// unchanged; "scan:" first when names are looked up by scanning.
std::string summary(const ComparisonResult& r) {
  std::string s = r.Mode == LookupMode::Scan ? "scan:" : "";
  const std::pair<CompareCategory, char> marks[] = {{CompareCategory::Added, '+'}, {CompareCategory::Updated, '~'},
                                                    {CompareCategory::Deleted, '-'}, {CompareCategory::Unchanged, '='}};
  for (const auto& [category, mark] : marks)
    for (std::size_t k = 0; k < r.count(category); ++k) s += " " + std::string(1, mark) + r.entry(category, k).FullPath;
  return s;
}

TEST(CompareEngine, SortsIntoTheFourCategoriesInTheirOrders) {
  const auto run = compare(record({row("gone2.dll", "1", "1", 1), row("same.dll", "1", "1", 1),
                                   row("changed.dll", "1", "1", 1), row("gone1.dll", "1", "1", 1)}),
                           record({row("new2.dll", "1", "1", 1), row("changed.dll", "2", "1", 1),
                                   row("same.dll", "1", "1", 1), row("new1.dll", "1", "1", 1)}));
  ASSERT_TRUE(run.ok());
  const auto& r = run.Result;
  EXPECT_EQ(summary(r), " +new2.dll +new1.dll ~changed.dll -gone2.dll -gone1.dll =same.dll");
  EXPECT_EQ(r.entry(CompareCategory::Updated, 0).FixedVersion, "2");
  EXPECT_EQ(r.oldEntry(CompareCategory::Updated, 0)->FixedVersion, "1");
  EXPECT_EQ(r.Updated[0].FirstIndex, 2);
  EXPECT_EQ(r.oldEntry(CompareCategory::Added, 0), nullptr);
}

// Which field changes make an update, with the options that decide it, and how names
// pair: exactly in index mode, as the same file name in scan mode (one double-byte name
// switches to it), identical names in the order the record lists them.
TEST(CompareEngine, WhatCountsAsAnUpdateAndHowNamesPair) {
  CompareOptions keepString, ignoreDate;
  keepString.IgnoreStringVersion = false;
  ignoreDate.IgnoreFileDate = true;
  const std::string two = record({row("a.dll", "1.0", "1.0", 1), row("b.dll", "2.0", "2.0", 2)});
  const std::string dts = record({row("d.dll", "1", "1", 1), row("t.dll", "1", "1", 1), row("s.dll", "1", "1", 1)});
  const std::string dtsChanged = record({row("d.dll", "1", "1", 1, "98/05/12"),
                                         row("t.dll", "1", "1", 1, "98/05/11", "12:00:01"), row("s.dll", "1", "1", 2)});
  const std::string twins = record({row("a.dll", "1", "1", 1), row("a.dll", "2", "2", 2), row("b.dll", "1", "1", 1)});
  const std::string twinsScan =
      record({row("a.dll", "1", "1", 1), row("a.dll", "2", "2", 2), row("日本.dll", "1", "1", 1)});
  const struct {
    std::string first, second;
    CompareOptions options;
    const char* summary;
  } cases[] = {
      {two, two, {}, " =a.dll =b.dll"},
      {record({row("a.dll", "1", "1 (old)", 1)}), record({row("a.dll", "1", "1 (new)", 1)}), {}, " =a.dll"},
      {record({row("a.dll", "1", "1 (old)", 1)}), record({row("a.dll", "1", "1 (new)", 1)}), keepString, " ~a.dll"},
      {dts, dtsChanged, {}, " ~d.dll ~t.dll ~s.dll"},
      {dts, dtsChanged, ignoreDate, " ~s.dll =d.dll =t.dll"},
      {record({row("a.dll", "4.0.0.1", "x", 1)}), record({row("a.dll", "4.00.0.1", "x", 1)}), {}, " ~a.dll"},
      {record({"a.dll\t1.0\t 1 \t98/05/11 12:00:00\r\n", "b.dll\t2.0\t 2 \t98/05/11 12:00:00\r\n"}, ";#FN,FV,SZ,DTTM"),
       two, {}, " ~a.dll ~b.dll"},
      {record({}), two, {}, " +a.dll +b.dll"},
      {two, record({}), {}, " -a.dll -b.dll"},
      {record({row("abc.dll", "1", "1", 1)}), record({row("ABC.DLL", "1", "1", 1)}), {}, " +ABC.DLL -abc.dll"},
      {record({row("abc.dll", "1", "1", 1), row("日本.dll", "1", "1", 1)}), record({row("ABC.DLL", "1", "1", 1)}), {},
       "scan: -日本.dll =abc.dll"},
      // Duplicate second names match twice, and an update wins over an unchanged match.
      {record({row("a.dll", "1", "1", 1)}),
       record({row("a.dll", "2", "1", 1), row("a.dll", "1", "1", 1), row("a.dll", "3", "1", 1)}), {}, " ~a.dll ~a.dll"},
      {twins, twins, {}, " =a.dll =a.dll =b.dll"},
      {twinsScan, twinsScan, {}, "scan: =a.dll =a.dll =日本.dll"},
      // Second rows that do not split are left out (and counted, below).
      {record({row("a.dll", "1", "1", 1), row("b.dll", "1", "1", 1)}),
       record({row("a.dll", "1", "1", 1), "b.dll\t1\t1\n", row("c.dll", "1", "1", 1),
               "b.dll\t1\t1\tbig\t98/05/11 12:00:00\r\n"}),
       {}, " +c.dll -b.dll =a.dll"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    const auto run = compare(c.first, c.second, c.options);
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(summary(run.Result), c.summary);
  }
  const auto run = compare(dts, dtsChanged, ignoreDate);
  EXPECT_EQ(run.Result.firstCount(), 3);
  EXPECT_EQ(run.Result.SecondCount, 3);
  const auto& last = std::end(cases)[-1];
  const auto leftOut = compare(last.first, last.second);
  EXPECT_EQ(leftOut.Result.SecondCount, 2);
  EXPECT_EQ(leftOut.Result.SecondRowsLeftOut, 2);
}

TEST(CompareEngine, FilesThatStopTheRun) {
  const auto rec = record({row("a.dll", "1", "1", 1)});
  const struct {
    std::string first, second;
    CompareError error;
  } cases[] = {
      {rec, "", CompareError::SecondNotARecord},
      {rec, "plain text\r\n", CompareError::SecondNotARecord},
      {rec, "x\ty\r\n", CompareError::SecondNotARecord},
      {"plain text\r\n", rec, CompareError::FirstNotARecord},
      {record({row("a.dll", "1", "1", 1), "broken\r\n", "x\ty\r\n"}), record({}), CompareError::FirstRowFailedToSplit},
  };
  for (const auto& c : cases) EXPECT_EQ(compare(c.first, c.second).Error, c.error) << c.second;
  EXPECT_EQ(compare(cases[4].first, cases[4].second).ErrorLine, 6);
  EXPECT_STREQ(compareErrorMessage(CompareError::SecondNotARecord), "バージョン記録ファイルではありません");
  EXPECT_STREQ(compareErrorMessage(CompareError::FirstRowFailedToSplit), "ファイル読込でエラーが発生しました");
}

// Opening names the side that failed; without a second record only the first is loaded.
TEST(CompareVersionRecords, OpenErrorsAndViewMode) {
  testsupport::TempFolder dir;
  const std::string good = dir.write("good.txt", record({row("b.dll", "1", "1", 1), row("a.dll", "1", "1", 1)}));
  EXPECT_EQ(CompareVersionRecords("", SecondSide::record(good), {}).Error, CompareError::FirstCannotOpen);
  EXPECT_EQ(CompareVersionRecords(dir.at("none.txt"), SecondSide::record(good), {}).Error,
            CompareError::FirstCannotOpen);
  EXPECT_EQ(CompareVersionRecords(good, SecondSide::record(dir.at("none.txt")), {}).Error,
            CompareError::SecondCannotOpen);
  EXPECT_EQ(summary(CompareVersionRecords(good, SecondSide::record(good), {}).Result), " =b.dll =a.dll");
  const auto view = CompareVersionRecords(good, SecondSide::record(""), {});
  ASSERT_TRUE(view.ok());
  EXPECT_TRUE(view.Result.ViewMode);
  ASSERT_EQ(view.Result.FirstRecord.size(), 2u);
  EXPECT_EQ(view.Result.FirstRecord[0].FullPath, "b.dll");
  EXPECT_EQ(summary(view.Result), "");
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

using C = UpdateClass;

// One updated pair: old and new fixed version, string version, size and date.
struct Pair {
  const char *oldFixed, *newFixed, *oldString, *newString;
  std::int64_t newSize;
  const char* newDate;
  C expected;
};

// The old side is always size 100, dated 98/05/11.
constexpr Pair kPairs[] = {
    {"1.0.0.0", "1.0.0.1", "1.0", "1.0", 100, "98/05/11", C::VersionUp},
    {"1.2.0.0", "1.10.0.0", "", "", 100, "98/05/11", C::VersionUp},          // numbers, not texts
    {"2.0.0.0", "1.9.9.9", "", "", 100, "98/05/11", C::VersionDown},
    {"1.0.0.-1", "1.0.0.32767", "", "", 100, "98/05/11", C::VersionDown},    // -1 is 65535
    {"1.0.0.32767", "1.0.0.-32768", "", "", 100, "98/05/11", C::VersionUp},  // -32768 is 32768
    {"4.0.0.1", "4.0.0.1", "4.0", "4.0", 200, "98/05/11", C::SameVersion},
    {"4.0.0.1", "4.0.0.1", "", "", 100, "99/01/01", C::SameVersion},
    {"4.0.0.1", "4.00.0.1", "", "", 100, "98/05/11", C::StringOnly},         // written differently
    {"4.0.0.1", "4.0.0.1", "4.0", "4.0 (final)", 100, "98/05/11", C::StringOnly},
    {"4.0.0.1", "4.0.0.1", "1.0", "9.0", 100, "98/05/11", C::StringOnly},    // the fixed version rules
    // A side without a fixed version: the string versions decide.
    {"", "", "2.0.10", "2.0.9", 100, "98/05/11", C::VersionDown},
    {"1.0.0.0", "", "1.0", "1.0.0.1 (beta)", 100, "98/05/11", C::VersionUp},
    {"", "", "1.0", "1.0.0", 300, "98/05/11", C::SameVersion},                // missing parts are 0
    {"", "1.0.0.0", "4, 71", "4, 72", 100, "98/05/11", C::Unordered},        // not dotted numbers
    {"1.0.0.0", "", "1.0", "", 100, "98/05/11", C::Unordered},               // version information gone
    {"", "1.0.0.0", "", "", 100, "98/05/11", C::Unordered},                  // and without string versions
    {"", "", "", "", 300, "98/05/11", C::SameVersion},                        // no version on either side
    {"abc", "1.0.0.0", "1.0", "0.9", 100, "98/05/11", C::VersionDown},       // a broken fixed text counts as none
};

TEST(UpdateClass, TableOfVersionPairs) {
  for (const Pair& p : kPairs) {
    const auto older = makeEntry("a.dll", p.oldFixed, p.oldString, 100, "98/05/11", "12:00:00");
    const auto newer = makeEntry("a.dll", p.newFixed, p.newString, p.newSize, p.newDate, "12:00:00");
    EXPECT_EQ(ClassifyUpdate(newer, older, false), p.expected) << p.oldFixed << " -> " << p.newFixed << ", "
                                                             << p.oldString << " -> " << p.newString;
    // The engine puts the same class on its updated row.
    ComparisonBuilder builder({older}, CompareOptions{false, false});
    builder.add(newer);
    const ComparisonResult r = builder.finish();
    ASSERT_EQ(r.Updated.size(), 1u) << p.newFixed;
    EXPECT_EQ(r.Updated[0].Class, p.expected);
  }
  // With dates ignored, a date alone no longer makes a same-version change.
  const auto older = makeEntry("a.dll", "1.0.0.0", "1.0", 100, "98/05/11", "12:00:00");
  EXPECT_EQ(ClassifyUpdate(makeEntry("a.dll", "1.0.0.0", "1.1", 100, "99/01/01", "12:00:00"), older, true),
            C::StringOnly);
}

TEST(UpdateClass, NamesLabelsAndSummary) {
  for (std::size_t i = 0; i < kUpdateClassCount; ++i) {
    const auto c = static_cast<C>(i);
    EXPECT_EQ(updateClassFromName(updateClassName(c)), c);
  }
  EXPECT_EQ(updateClassFromName("Down"), std::nullopt);
  EXPECT_EQ(updateClassSummary({2, 0, 1, 0, 0}), "バージョンアップ 2, 同一バージョン (サイズ・日付が相違) 1");
  EXPECT_EQ(updateClassSummary({}), "");
}

// The lookup rules written out as plain walks over the record.
std::int32_t referenceFind(const std::vector<FileVersionEntry>& t, const std::string& name) {
  bool allSingle = true;
  for (const auto& e : t) allSingle = allSingle && basDirUtil::IsSingleByteText(e.FullPath);
  std::int32_t found = -1;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (allSingle && t[i].FullPath == name) found = static_cast<std::int32_t>(i);  // last exact
    if (!allSingle && basDirUtil::IsSameFileName(t[i].FullPath, name)) return static_cast<std::int32_t>(i);
  }
  return found;
}

TEST(NameIndex, AgreesWithTheRulesOnRandomRecords) {
  const std::vector<std::string> parts = {"a", "A", "b", "B", ".", "日", "ﾌ", "z", "Z", "_"};
  std::mt19937 rng(12345);
  auto randomName = [&] {
    std::string s;
    const int n = static_cast<int>(rng() % 4);
    for (int i = 0; i < n; ++i) s += parts[rng() % parts.size()];
    return s;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<FileVersionEntry> t;
    const bool allowDouble = round % 2 == 0;
    for (int i = 0, n = static_cast<int>(rng() % 12); i < n; ++i) {
      std::string name = randomName();
      if (!allowDouble && !basDirUtil::IsSingleByteText(name)) continue;
      t.push_back(makeEntry(name, "", "", 0, "", ""));
    }
    NameIndex index(t);
    for (int probe = 0; probe < 20; ++probe) {
      const std::string name = randomName();
      ASSERT_EQ(index.find(name), referenceFind(t, name)) << "round " << round << " name " << name;
    }
  }
}

}  // namespace
}  // namespace quorvane
