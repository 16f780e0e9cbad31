#include <gtest/gtest.h>

#include <random>

#include "common/basDirUtil.h"
#include "compare/name_index.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

std::vector<FileVersionEntry> table(std::initializer_list<const char*> names) {
  std::vector<FileVersionEntry> t;
  for (const char* n : names) t.push_back(testsupport::makeEntry(n, "", "", 0, "", ""));
  return t;
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

TEST(NameIndex, IndexModeMatchesExactlyAndIgnoresCaseVariants) {
  const auto t = table({"abc.dll", "b.dll", "ABC.DLL"});
  NameIndex index(t);
  EXPECT_EQ(index.mode(), LookupMode::Index);
  EXPECT_EQ(index.find("abc.dll"), 0);
  EXPECT_EQ(index.find("ABC.DLL"), 2);
  EXPECT_EQ(index.find("Abc.dll"), -1);
  EXPECT_EQ(index.find("b.dll"), 1);
  EXPECT_EQ(index.find("c.dll"), -1);
  EXPECT_EQ(index.find(""), -1);
}

TEST(NameIndex, IndexModeFindsTheLastOfIdenticalNames) {
  const auto t = table({"a.dll", "x.dll", "a.dll", "A.DLL"});
  EXPECT_EQ(NameIndex(t).find("a.dll"), 2);
}

TEST(NameIndex, HalfWidthKatakanaIsSingleByte) {
  const auto t = table({"ﾌｧｲﾙ.dll", "A.DLL"});
  NameIndex index(t);
  EXPECT_EQ(index.mode(), LookupMode::Index);
  EXPECT_EQ(index.find("a.dll"), -1);
}

TEST(NameIndex, OneDoubleByteNameSwitchesToScanRules) {
  const auto t = table({"ABC.DLL", "日本.dll", "abc.dll"});
  NameIndex index(t);
  EXPECT_EQ(index.mode(), LookupMode::Scan);
  EXPECT_EQ(index.find("abc.dll"), 0);  // the first same file name in file order
  EXPECT_EQ(index.find("Abc.Dll"), 0);
  EXPECT_EQ(index.find("日本.DLL"), 1);
  EXPECT_EQ(index.find("日本.dl"), -1);
  // Full-width letters keep their case.
  const auto wide = table({"ＡＢ.dll"});
  EXPECT_EQ(NameIndex(wide).find("ａｂ.dll"), -1);
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
      t.push_back(testsupport::makeEntry(name, "", "", 0, "", ""));
    }
    NameIndex index(t);
    for (int probe = 0; probe < 20; ++probe) {
      const std::string name = randomName();
      ASSERT_EQ(index.find(name), referenceFind(t, name)) << "round " << round << " name " << name;
    }
  }
}

TEST(NameIndex, AgreesWithTheRulesOnALargeRecord) {
  for (const bool withDoubleByte : {false, true}) {
    std::vector<FileVersionEntry> t;
    for (int i = 0; i < 5000; ++i) {
      std::string name = "F" + std::to_string(i % 3000) + (i % 7 == 0 ? ".DLL" : ".dll");
      t.push_back(testsupport::makeEntry(name, "", "", 0, "", ""));
    }
    if (withDoubleByte) t.push_back(testsupport::makeEntry("日本.dll", "", "", 0, "", ""));
    NameIndex index(t);
    for (int i = 0; i < 3100; i += 7)
      for (const char* ext : {".dll", ".DLL", ".Dll"}) {
        const std::string name = "F" + std::to_string(i) + ext;
        ASSERT_EQ(index.find(name), referenceFind(t, name)) << name;
      }
  }
}

}  // namespace
}  // namespace quorvane
