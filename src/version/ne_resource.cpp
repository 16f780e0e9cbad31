// The resource table of a 16-bit NE image: an alignment shift, then per resource type a
// TYPEINFO (type id, count, reserved) followed by that many 12-byte NAMEINFO records
// (offset and length in alignment units, flags, id, handle, usage), ended by type id 0.
#include <algorithm>

#include "version/image_fetch.h"
#include "version/version_limits.h"

namespace quorvane::imageFetch {

namespace {

constexpr std::size_t kNeHeaderBytes = 0x40;
constexpr std::size_t kResourceTableField = 0x24;
constexpr std::size_t kResidentNamesField = 0x26;
constexpr std::uint16_t kRtVersion = 0x8010;      // integer type 16
constexpr std::uint16_t kVersionInfoId = 0x8001;  // integer id 1
constexpr std::size_t kTypeInfoBytes = 8;
constexpr std::size_t kNameInfoBytes = 12;

struct NameInfo {
  std::uint16_t offset = 0;  // in alignment units
  std::uint16_t length = 0;  // in alignment units
};

// VS_VERSION_INFO by id when present, else the first resource of the type.
NameInfo chooseResource(Bytes records) {
  const std::size_t count = records.size() / kNameInfoBytes;
  for (std::size_t i = 0; i < count; ++i) {
    if (readAt<std::uint16_t>(records, i * kNameInfoBytes + 6) == kVersionInfoId)
      return {*readAt<std::uint16_t>(records, i * kNameInfoBytes), *readAt<std::uint16_t>(records, i * kNameInfoBytes + 2)};
  }
  return {*readAt<std::uint16_t>(records, 0), *readAt<std::uint16_t>(records, 2)};
}

}  // namespace

std::optional<NeLocation> locateNeVersion(Fetcher& f, std::uint64_t neHeader) {
  auto header = f.fetch(neHeader, kNeHeaderBytes, VersionError::BadHeader, "NE header");
  if (!header) return std::nullopt;
  const std::uint16_t tableField = *readAt<std::uint16_t>(*header, kResourceTableField);
  const std::uint16_t namesField = *readAt<std::uint16_t>(*header, kResidentNamesField);
  if (tableField == 0 || tableField == namesField)
    return f.fail(VersionError::NoResources, neHeader + kResourceTableField, "resource table");

  // The table ends where the resident-name table begins; when that offset is not behind
  // it, read what the file holds up to the largest table a 16-bit offset can describe.
  const std::uint64_t tableAt = neHeader + tableField;
  if (tableAt >= f.fileSize()) return f.fail(VersionError::BadResourceTable, tableAt, "resource table");
  std::uint64_t length = namesField > tableField ? std::uint64_t{namesField} - tableField
                                                 : versionLimits::kMaxNeResourceTableBytes;
  length = std::min(length, f.fileSize() - tableAt);
  auto table = f.fetch(tableAt, length, VersionError::BadResourceTable, "resource table");
  if (!table) return std::nullopt;

  ByteReader r(*table);
  const auto shift = r.u16();
  if (!shift || *shift > versionLimits::kMaxNeAlignShift)
    return f.fail(VersionError::BadResourceTable, tableAt, "alignment shift");
  for (;;) {
    const std::uint64_t typeAt = tableAt + r.offset();
    const auto type = r.u16();
    if (!type) return f.fail(VersionError::BadResourceTable, typeAt, "resource type list not ended");
    if (*type == 0) return f.fail(VersionError::NoVersionResource, typeAt, "resource types");
    const auto count = r.u16();
    if (!count || !r.skip(kTypeInfoBytes - 4))
      return f.fail(VersionError::BadResourceTable, typeAt, "resource type header");
    const auto records = r.bytes(std::size_t{*count} * kNameInfoBytes);
    if (!records) return f.fail(VersionError::BadResourceTable, typeAt, "resource records");
    if (*type != kRtVersion || *count == 0) continue;

    const NameInfo chosen = chooseResource(*records);
    const std::uint64_t offset = std::uint64_t{chosen.offset} << *shift;
    const std::uint64_t size = std::uint64_t{chosen.length} << *shift;
    if (size == 0 || offset > f.fileSize() || size > f.fileSize() - offset)
      return f.fail(VersionError::BadVersionResource, typeAt, "version resource outside the file");
    return NeLocation{offset, static_cast<std::uint32_t>(std::min<std::uint64_t>(size, versionLimits::kMaxVersionBlockBytes))};
  }
}

}  // namespace quorvane::imageFetch
