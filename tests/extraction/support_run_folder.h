#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "extraction/ExtractionResult.h"
#include "extraction/extraction_run.h"
#include "support/files.h"
#include "support/temp_folder.h"

// Folders of generated program files for the tests of the extraction run, and a recorder
// of what a run reports.
namespace quorvane::testsupport {

// A PE32 DLL image whose version resource holds the fixed version `parts` and the string
// FileVersion `text`.
std::vector<std::uint8_t> dllImage(std::array<std::uint16_t, 4> parts, const std::string& text);

// Writes a DLL image with that version under `name` (UTF-8) in `folder`.
void writeDll(const TempFolder& folder, const std::string& name, std::array<std::uint16_t, 4> parts,
              const std::string& text);

// The entry whose file name is `name`; fails the test (and returns a blank entry) when
// there is none.
const FileVersionEntry& entryNamed(const ExtractionResult& result, const std::string& name);

// The file names of the result in display order.
std::vector<std::string> namesInOrder(const ExtractionResult& result);

// A request for `folder` with the patterns of `kind`.
ExtractionRequest requestFor(const std::string& folder, const std::string& kind,
                             const std::string& expansionFolder = {});

// Field-by-field comparison of two results, for tests that expect one to be untouched.
void expectSameResult(const ExtractionResult& actual, const ExtractionResult& expected);

// Records what an extraction run reports through its callbacks, and can cancel it or
// refuse the progress display at a chosen file (1-based; 0 never).
struct RunRecorder {
  std::vector<std::string> statuses, captions, counts;
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
