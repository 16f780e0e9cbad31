#include <gtest/gtest.h>

#include "compare/compare_engine.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "compare/update_class.h"

namespace quorvane {
namespace {

using testsupport::makeEntry;
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

}  // namespace
}  // namespace quorvane
