#include "extraction/extraction_kinds.h"

#include "common/basDirUtil.h"

namespace quorvane {

KindPatterns PatternsOfKind(std::string_view kindText) {
  KindPatterns kind;
  const int count = basDirUtil::WordCount(kindText, 1, "");
  for (int i = 1; i <= count; ++i) {
    std::string word = basDirUtil::GetWord(kindText, i, 1, "");
    if (word.find('_') != std::string::npos) kind.ExpandCompressed = true;
    kind.Patterns.push_back(std::move(word));
  }
  return kind;
}

}  // namespace quorvane
