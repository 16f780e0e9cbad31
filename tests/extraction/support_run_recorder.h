#pragma once

#include <string>
#include <vector>

#include "extraction/extraction_run.h"

namespace quorvane::testsupport {

// Records what an extraction run reports through its callbacks, and can cancel it or
// refuse the progress display at a chosen file (1-based; 0 never).
struct RunRecorder {
  std::vector<std::string> statuses;
  std::vector<std::string> captions;
  std::vector<std::string> counts;
  std::vector<float> fractions;
  int cancelAtQuery = 0;   // the n-th cancel query answers true (and every later one)
  int refuseAtFile = 0;    // the progress update of this file returns false
  int cancelQueries = 0;

  ExtractionCallbacks callbacks() {
    ExtractionCallbacks cb;
    cb.status = [this](const std::string& s) { statuses.push_back(s); };
    cb.progress = [this](float f, const std::string& caption, const std::string& count) {
      fractions.push_back(f);
      captions.push_back(caption);
      counts.push_back(count);
      return refuseAtFile == 0 || static_cast<int>(counts.size()) != refuseAtFile;
    };
    cb.cancelled = [this] { return ++cancelQueries >= cancelAtQuery && cancelAtQuery != 0; };
    return cb;
  }
};

}  // namespace quorvane::testsupport
