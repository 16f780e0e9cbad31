#include <gtest/gtest.h>

#include <random>

#include "common/basDirUtil.h"
#include "compare/name_index.h"
#include "support/entry_builder.h"

namespace quorvane {
namespace {

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
      t.push_back(testsupport::makeEntry(name, "", "", 0, "", ""));
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
