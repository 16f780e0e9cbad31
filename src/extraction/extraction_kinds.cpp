#include "extraction/extraction_kinds.h"

#include "common/basDirUtil.h"

namespace quorvane {

KindPatterns PatternsOfKind(std::string_view kindText) {
  KindPatterns kind;
  // Split once: a hand-typed kind may hold thousands of patterns.
  auto words = basDirUtil::SplitWords(kindText, 1, "");
  for (std::string& word : *words) {
    if (word.find('_') != std::string::npos) kind.ExpandCompressed = true;
    kind.Patterns.push_back(std::move(word));
  }
  return kind;
}

}  // namespace quorvane
