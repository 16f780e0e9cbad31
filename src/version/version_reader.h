#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_reader.h"
#include "version/byte_source.h"
#include "version/pe_resource.h"
#include "version/version_error.h"

namespace quorvane {

// Locates and copies the version block of an image in one pass over the source.
// `block` receives at most the block limit; on failure it is emptied.
VersionFault readVersionBlock(ByteSource& source, std::vector<std::uint8_t>& scratch,
                              std::vector<std::uint8_t>& block, VersionResource* where = nullptr);

// Reads version blocks of files, one open per file, keeping its buffers between files so
// that reading a whole folder does not allocate per file.
class VersionFileReader {
 public:
  // `facts`, when given, receives the opened file's facts (see FileReader::open).
  VersionFault read(const std::string& path, std::vector<std::uint8_t>& block,
                    VersionResource* where = nullptr, platform::FileFacts* facts = nullptr);
  // Why the last file could not be opened (None when it could).
  FileOpenError openError() const { return m_file.openError(); }

 private:
  FileReader m_file;
  FileByteSource m_fileSource{m_file};
  PageCachedSource m_source{m_fileSource};
  std::vector<std::uint8_t> m_scratch;
};

}  // namespace quorvane
