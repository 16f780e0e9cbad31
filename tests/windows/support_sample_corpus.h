#pragma once

#include <string>
#include <vector>

namespace quorvane::testsupport {

// One file of the sample corpus, by name, and whether it belongs to a compressed kind
// (SZDD files, and one plain file under a compressed name, which expands to itself).
struct SampleFile {
  std::string name;
  bool compressed = false;
};

// Writes a folder of version-carrying images (PE32, PE32+ and NE, with Japanese and
// English string tables, several translations, a table only under the file's own key,
// a table without a translation table, version resources in German and French, one of
// them misaligned in the file, no version resource) and SZDD-compressed copies of some
// of them, for tests that read the same files in two ways. The folder (UTF-8) must exist. Returns
// the files written; throws std::runtime_error naming a file that could not be written.
std::vector<SampleFile> writeSampleCorpus(const std::string& folder);

}  // namespace quorvane::testsupport
