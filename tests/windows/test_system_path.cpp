// Long paths reach the system calls with the prefix that lifts the MAX_PATH limit; short
// ones as they are.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/wide_text.h"

namespace quorvane {
namespace {

TEST(SystemPath, LongPathsGetThePrefixAfterCleanUp) {
  const std::string deep(MAX_PATH, 'x');  // one name as long as the whole limit
  struct Row {
    std::string path;
    std::wstring expected;
  } const rows[] = {
      {"C:/short/name.dll", L"C:/short/name.dll"},  // under the limit: untouched
      {"C:\\a\\" + deep, L"\\\\?\\C:\\a\\" + std::wstring(deep.begin(), deep.end())},
      {"C:/a/./b/../" + deep, L"\\\\?\\C:\\a\\" + std::wstring(deep.begin(), deep.end())},
      {"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + std::wstring(deep.begin(), deep.end())},
      {"\\\\?\\C:\\" + deep, L"\\\\?\\C:\\" + std::wstring(deep.begin(), deep.end())},  // prefixed already
  };
  for (const Row& r : rows) EXPECT_EQ(wideText::systemPath(r.path).value_or(L"<none>"), r.expected) << r.path;
  EXPECT_FALSE(wideText::systemPath("C:\\\xFF" + deep).has_value());  // not UTF-8
}

}  // namespace
}  // namespace quorvane
