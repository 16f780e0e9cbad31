#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "extraction/ExtractionResult.h"
#include "extraction/extraction_run.h"
#include "support/files.h"
#include "support/temp_folder.h"

// Folders of generated program files for the tests of the extraction run.
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

}  // namespace quorvane::testsupport
