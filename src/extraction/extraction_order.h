#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "extraction/ExtractionResult.h"

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

// An entry's name as the record and the comparison carry it: the part of FullPath from
// NamePos on (the file name, or after a descending scan the path below the listed
// folder) with "\" between folder names on every platform, so that records move between
// systems. `lowerCased` lower-cases its single-byte letters as DisplayNames holds them.
std::string EntryName(const FileVersionEntry& entry, bool lowerCased);

// The normal order above for any list of names, as positions into `names`: both pages list
// their names this way. A fixed order rather than the user's locale collation, so the same
// names come out alike on every machine, in the GUI, the CLI and the record files.
std::vector<std::size_t> nameListOrder(const std::vector<std::string>& names);

}  // namespace quorvane
