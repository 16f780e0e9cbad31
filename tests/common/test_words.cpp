#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/basDirUtil.h"

namespace quorvane::basDirUtil {
namespace {

// Mode 1: blank-separated, runs merged and trimmed (the separator argument ignored, even
// a malformed one). Mode 2: split at the separator as is. Mode 3: split, each word trimmed.
TEST(Words, CountAndNthWordUnderTheSameRules) {
  struct Case {
    const char* text;
    int mode;
    const char* sep;
    int count;
    std::vector<std::string> words;
  } const cases[] = {
      {"  *.DLL    *.OCX  *.OLB ", 1, "", 3, {"*.DLL", "*.OCX", "*.OLB"}},
      {"    ", 1, "", 0, {}}, {"", 1, "", 0, {}}, {"a b", 1, ",,", 2, {"a", "b"}},
      {"a,b,,c", 2, ",", 4, {"a", "b", "", "c"}}, {" a , b ", 2, ",", 2, {" a ", " b "}}, {"", 2, ",", 0, {}},
      {"a, ,b", 3, ",", 3, {"a", "", "b"}}, {"   ", 3, ",", 0, {}}, {"a\tb", 2, "\t", 2, {"a", "b"}},
      {"あ、い、う", 2, "、", 3, {"あ", "い", "う"}},  // a separator is one character, not one byte
      {"a,b", 2, "", -1, {}}, {"a,b", 3, ",,", -1, {}}, {"a,b", 0, "", -1, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordCount(c.text, c.mode, c.sep), c.count) << c.text;
    for (int i = -1; i <= static_cast<int>(c.words.size()) + 1; ++i) {
      const bool inside = i >= 1 && i <= static_cast<int>(c.words.size());
      EXPECT_EQ(GetWord(c.text, i, c.mode, c.sep), inside ? c.words[static_cast<std::size_t>(i - 1)] : "") << c.text << " #" << i;
    }
  }
}

}  // namespace
}  // namespace quorvane::basDirUtil
