#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "extraction/FileVersionEntry.h"

namespace quorvane {

// The current extraction, owned by whoever runs extractions; each run replaces it.
struct ExtractionResult {
  std::vector<FileVersionEntry> Entries;  // in listing order
  std::int32_t LastIndex = -1;            // number of entries minus 1
  std::vector<std::string> DisplayNames;  // file names, single-byte letters lower-cased
  std::vector<std::int32_t> Order;        // Order[k]: the entry shown at list position k
  std::string RunDate;                    // "yy/mm/dd" at the end of the last completed run
  std::string RunTime;                    // "hh:mm:ss"
  std::string RunFolder;                  // the folder as typed
  std::string RunKind;                    // the kind text
  bool ExtractionDone = false;            // true only after a run that was not cancelled
  bool HasDoubleByteNames = false;        // never cleared once set
};

}  // namespace quorvane
