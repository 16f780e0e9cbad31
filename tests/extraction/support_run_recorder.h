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

  ExtractionCallbacks callbacks();
};

}  // namespace quorvane::testsupport
