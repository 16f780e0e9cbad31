#pragma once

// Extraction results built by hand, for the record, comparison and result-file tests.
#include <cstdint>
#include <string>
#include <vector>

#include "extraction/ExtractionResult.h"
#include "extraction/FileVersionEntry.h"

namespace quorvane::testsupport {

// An entry whose full path is `name` (name position 1).
FileVersionEntry makeEntry(std::string name, std::string fixed, std::string str, std::int64_t size,
                           std::string date, std::string time);

// A completed extraction of the folder C:\TEST whose files are the given entries (names are
// their display names), shown in the order given by `order` (storage order when empty).
ExtractionResult makeExtraction(std::vector<FileVersionEntry> entries, std::vector<std::int32_t> order = {});

}  // namespace quorvane::testsupport
