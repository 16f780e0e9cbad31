#include <gtest/gtest.h>

#include <random>

#include "common/basDirUtil.h"
#include "compare/name_index.h"
#include "support/entry_builder.h"

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

// Index mode (every name single-byte, half-width katakana included) matches exactly and
// finds the last of identical names; one double-byte name switches to scanning for the
// first same file name, where full-width letters keep their case.
TEST(NameIndex, FindsByTheRulesOfItsMode) {
  const struct {
    std::initializer_list<const char*> names;
    LookupMode mode;
    std::vector<std::pair<const char*, std::int32_t>> finds;
  } cases[] = {
      {{"abc.dll", "b.dll", "ABC.DLL"},
       LookupMode::Index,
       {{"abc.dll", 0}, {"ABC.DLL", 2}, {"Abc.dll", -1}, {"b.dll", 1}, {"c.dll", -1}, {"", -1}}},
      {{"a.dll", "x.dll", "a.dll", "A.DLL"}, LookupMode::Index, {{"a.dll", 2}}},
      {{"ﾌｧｲﾙ.dll", "A.DLL"}, LookupMode::Index, {{"a.dll", -1}}},
      {{"ABC.DLL", "日本.dll", "abc.dll"},
       LookupMode::Scan,
       {{"abc.dll", 0}, {"Abc.Dll", 0}, {"日本.DLL", 1}, {"日本.dl", -1}}},
      {{"ＡＢ.dll"}, LookupMode::Scan, {{"ａｂ.dll", -1}}},
  };
  for (const auto& c : cases) {
    const auto t = table(c.names);
    NameIndex index(t);
    EXPECT_EQ(index.mode(), c.mode) << *c.names.begin();
    for (const auto& [name, at] : c.finds) EXPECT_EQ(index.find(name), at) << name;
  }
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
