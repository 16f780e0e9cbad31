#include "support_run_recorder.h"

namespace quorvane::testsupport {

ExtractionCallbacks RunRecorder::callbacks() {
  ExtractionCallbacks cb;
  cb.status = [this](const std::string& s) { statuses.push_back(s); };
  cb.progress = [this](float f, const std::string& caption, const std::string& count) {
    fractions.push_back(f);
    captions.push_back(caption);
    counts.push_back(count);
    return refuseAtFile == 0 || static_cast<int>(counts.size()) != refuseAtFile;
  };
  cb.cancelled = [this] {
    ++cancelQueries;
    return cancelAtQuery != 0 && cancelQueries >= cancelAtQuery;
  };
  return cb;
}

}  // namespace quorvane::testsupport
