#include "version/version_reader.h"

#include "version/version_block.h"

namespace quorvane {

VersionFault readVersionBlock(ByteSource& source, std::vector<std::uint8_t>& scratch,
                              std::vector<std::uint8_t>& block, VersionResource* where) {
  block.clear();
  const LocateResult located = locateVersionResource(source, scratch);
  if (!located.ok()) return located.fault;
  const VersionResource& r = located.resource;
  if (where) *where = r;
  if (!source.readAt(r.offset, r.size, block)) {
    block.clear();
    return {VersionError::ReadFailed, r.offset, "version block"};
  }
  if (!VersionBlock(block).valid()) {
    block.clear();
    return {VersionError::BadVersionBlock, r.offset, "version block root"};
  }
  return {};
}

VersionFault VersionFileReader::read(const std::string& path, std::vector<std::uint8_t>& block,
                                     VersionResource* where, platform::FileFacts* facts) {
  block.clear();
  if (!m_file.open(path, facts)) return {VersionError::CannotOpen, 0, describeOpenError(m_file.openError())};
  m_source.reset();
  const VersionFault fault = readVersionBlock(m_source, m_scratch, block, where);
  m_file.close();
  return fault;
}

}  // namespace quorvane
