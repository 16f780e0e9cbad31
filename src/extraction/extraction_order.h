#pragma once

#include "extraction/ExtractionResult.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane {

// Builds DisplayNames (file names with single-byte letters lower-cased) and Order (the
// display order, every index exactly once) of a result.
//
// Normal order: the display names by Unicode code point, so letter case of single-byte
// letters does not matter. Strict order: every letter lower-cased (also full-width Latin,
// Greek and Cyrillic ones), then by the bytes of code page 932, the encoding of the
// record files; names it cannot encode follow by code point. Both break ties by the
// file names as they are and then by listing position, so the same names always give
// the same order on every machine.
void UpadateList(ExtractionResult& result, bool strict);

// The normal order above for any list of names, as positions into `names`: both pages list
// their names this way. A fixed order rather than the user's locale collation, so the same
// names come out alike on every machine, in the GUI, the CLI and the record files.
std::vector<std::size_t> nameListOrder(const std::vector<std::string>& names);

}  // namespace quorvane
