#include "version/pe_resource.h"

#include <algorithm>
#include <array>

#include "version/image_fetch.h"
#include "version/version_limits.h"

namespace quorvane {

namespace {

using imageFetch::Fetcher;

constexpr std::uint16_t kRtVersion = 16;
constexpr std::uint16_t kVersionInfoId = 1;  // VS_VERSION_INFO
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDosHeaderBytes = 64;
constexpr std::size_t kLfanewOffset = 0x3C;
constexpr std::size_t kCoffHeaderBytes = 20;
constexpr std::size_t kSectionHeaderBytes = 40;
constexpr std::size_t kResourceDirBytes = 16;
constexpr std::size_t kResourceEntryBytes = 8;
constexpr std::size_t kResourceDataEntryBytes = 16;
constexpr std::size_t kResourceDataDirectoryIndex = 2;

// Languages tried in this order when the version resource exists in several: neutral
// first, as the platform's resource lookup does, then the languages this tool's users
// run, then whichever comes first.
constexpr std::array<std::uint16_t, 3> kPreferredLanguages = {0x0000, 0x0411, 0x0409};

struct Section {
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawPointer = 0;
};

struct PeHeaders {
  ImageKind kind = ImageKind::Pe32;
  std::uint32_t resourceRva = 0;
  std::uint64_t sectionTable = 0;
  std::uint16_t sectionCount = 0;
};

std::uint16_t u16At(Bytes b, std::size_t off) { return readAt<std::uint16_t>(b, off).value_or(0); }
std::uint32_t u32At(Bytes b, std::size_t off) { return readAt<std::uint32_t>(b, off).value_or(0); }

// Reads the COFF and optional headers behind the "PE\0\0" signature at `peHeader`.
std::optional<PeHeaders> readPeHeaders(Fetcher& f, std::uint64_t peHeader) {
  const std::uint64_t coffAt = peHeader + 4;
  auto coff = f.fetch(coffAt, kCoffHeaderBytes, VersionError::BadHeader, "COFF header");
  if (!coff) return std::nullopt;
  PeHeaders h;
  h.sectionCount = u16At(*coff, 2);
  const std::uint16_t optionalSize = u16At(*coff, 16);
  const std::uint64_t optionalAt = coffAt + kCoffHeaderBytes;
  h.sectionTable = optionalAt + optionalSize;

  auto magic = f.fetch(optionalAt, 2, VersionError::BadHeader, "optional header");
  if (!magic || optionalSize < 2) return f.fail(VersionError::BadHeader, optionalAt, "optional header");
  std::size_t countAt = 0;
  switch (u16At(*magic, 0)) {
    case 0x10B: h.kind = ImageKind::Pe32, countAt = 92; break;
    case 0x20B: h.kind = ImageKind::Pe32Plus, countAt = 108; break;
    default: return f.fail(VersionError::BadHeader, optionalAt, "optional header magic");
  }
  // The data directories follow their count; the resource table is entry 2. An optional
  // header too short to hold it simply has no resources.
  const std::size_t resourceAt = countAt + 4 + 8 * kResourceDataDirectoryIndex;
  if (optionalSize < resourceAt + 8) return f.fail(VersionError::NoResources, optionalAt, "data directories");
  auto optional = f.fetch(optionalAt, resourceAt + 8, VersionError::BadHeader, "optional header");
  if (!optional) return std::nullopt;
  if (u32At(*optional, countAt) <= kResourceDataDirectoryIndex)
    return f.fail(VersionError::NoResources, optionalAt + countAt, "data directory count");
  h.resourceRva = u32At(*optional, resourceAt);
  if (h.resourceRva == 0) return f.fail(VersionError::NoResources, optionalAt + resourceAt, "resource directory");
  return h;
}

// The section that holds `rva`, read from the section table.
std::optional<Section> findSection(Fetcher& f, const PeHeaders& h, std::uint32_t rva) {
  if (h.sectionCount > versionLimits::kMaxSections)
    return f.fail(VersionError::BadSectionTable, h.sectionTable, "section count");
  auto table = f.fetch(h.sectionTable, std::uint64_t{h.sectionCount} * kSectionHeaderBytes,
                       VersionError::BadSectionTable, "section table");
  if (!table) return std::nullopt;
  for (std::size_t i = 0; i < h.sectionCount; ++i) {
    const std::size_t at = i * kSectionHeaderBytes;
    Section s{u32At(*table, at + 12), u32At(*table, at + 8), u32At(*table, at + 16), u32At(*table, at + 20)};
    // Some linkers leave the virtual size 0; the raw size then tells the extent.
    const std::uint64_t extent = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
    if (rva >= s.virtualAddress && rva - s.virtualAddress < extent) return s;
  }
  return f.fail(VersionError::BadResourceTable, rva, "RVA outside every section");
}

// File offset of [rva, rva + length) when all of it is stored in the section's raw data.
std::optional<std::uint64_t> mapToFile(const Section& s, std::uint32_t rva, std::uint64_t length) {
  if (rva < s.virtualAddress) return std::nullopt;
  const std::uint64_t delta = rva - s.virtualAddress;
  if (delta > s.rawSize || length > s.rawSize - delta) return std::nullopt;
  return std::uint64_t{s.rawPointer} + delta;
}

// The resource tree: directory offsets are relative to its start and must stay inside the
// part of its section that the file holds.
class ResourceTree {
 public:
  ResourceTree(Fetcher& f, std::uint64_t base, std::uint64_t limit) : m_f(f), m_base(base), m_limit(limit) {}

  // The entries of the directory at `dirOffset`, as raw 8-byte records.
  std::optional<Bytes> entries(std::uint32_t dirOffset) {
    if (!fits(dirOffset, kResourceDirBytes)) return fail(dirOffset, "resource directory");
    auto dir = m_f.fetch(m_base + dirOffset, kResourceDirBytes, VersionError::BadResourceTable, "resource directory");
    if (!dir) return std::nullopt;
    const std::size_t count = std::size_t{u16At(*dir, 12)} + u16At(*dir, 14);
    if (count > versionLimits::kMaxResourceDirEntries) return fail(dirOffset, "resource entry count");
    const std::uint64_t listAt = std::uint64_t{dirOffset} + kResourceDirBytes;
    if (!fits(listAt, count * kResourceEntryBytes)) return fail(dirOffset, "resource entries");
    return m_f.fetch(m_base + listAt, count * kResourceEntryBytes, VersionError::BadResourceTable,
                     "resource entries");
  }

  std::optional<Bytes> dataEntry(std::uint32_t offset) {
    if (!fits(offset, kResourceDataEntryBytes)) return fail(offset, "resource data entry");
    return m_f.fetch(m_base + offset, kResourceDataEntryBytes, VersionError::BadResourceTable,
                     "resource data entry");
  }

  std::nullopt_t fail(std::uint64_t offset, const char* context) {
    return m_f.fail(VersionError::BadResourceTable, m_base + offset, context);
  }

  // A well-formed tree without a version resource.
  std::nullopt_t missing(std::uint64_t offset, const char* context) {
    return m_f.fail(VersionError::NoVersionResource, m_base + offset, context);
  }

 private:
  bool fits(std::uint64_t offset, std::uint64_t length) const {
    return offset <= m_limit && length <= m_limit - offset;
  }

  Fetcher& m_f;
  std::uint64_t m_base;
  std::uint64_t m_limit;
};

// Index of the entry with integer id `id`, if any.
std::optional<std::size_t> findId(Bytes entries, std::uint32_t id) {
  for (std::size_t i = 0; i * kResourceEntryBytes < entries.size(); ++i)
    if (u32At(entries, i * kResourceEntryBytes) == id) return i;
  return std::nullopt;
}

std::size_t chooseLanguage(Bytes entries) {
  for (std::uint16_t lang : kPreferredLanguages)
    if (auto i = findId(entries, lang)) return *i;
  return 0;
}

// Follows type RT_VERSION, then name VS_VERSION_INFO (or the first name), then the
// preferred language, and returns the offset of the resource data entry.
std::optional<std::uint32_t> walkToVersionEntry(ResourceTree& tree) {
  auto types = tree.entries(0);
  if (!types) return std::nullopt;
  auto type = findId(*types, kRtVersion);
  if (!type) return tree.missing(0, "resource types");
  std::uint32_t next = u32At(*types, *type * kResourceEntryBytes + 4);
  if (!(next & kHighBit)) return tree.fail(0, "version type is not a directory");

  auto names = tree.entries(next & ~kHighBit);
  if (!names) return std::nullopt;
  if (names->empty()) return tree.missing(next & ~kHighBit, "version resource names");
  const std::size_t name = findId(*names, kVersionInfoId).value_or(0);
  next = u32At(*names, name * kResourceEntryBytes + 4);
  if (!(next & kHighBit)) return tree.fail(0, "version name is not a directory");

  auto languages = tree.entries(next & ~kHighBit);
  if (!languages) return std::nullopt;
  if (languages->empty()) return tree.missing(next & ~kHighBit, "version resource languages");
  next = u32At(*languages, chooseLanguage(*languages) * kResourceEntryBytes + 4);
  if (next & kHighBit) return tree.fail(0, "version language is a directory");
  return next;
}

std::optional<VersionResource> locatePe(Fetcher& f, std::uint64_t peHeader) {
  auto h = readPeHeaders(f, peHeader);
  if (!h) return std::nullopt;
  auto section = findSection(f, *h, h->resourceRva);
  if (!section) return std::nullopt;
  const std::uint64_t base = std::uint64_t{section->rawPointer} + (h->resourceRva - section->virtualAddress);
  const std::uint64_t inSection = section->rawSize - std::min<std::uint64_t>(section->rawSize, h->resourceRva - section->virtualAddress);
  if (base > f.fileSize()) return f.fail(VersionError::BadResourceTable, base, "resource section");
  ResourceTree tree(f, base, std::min(inSection, f.fileSize() - base));

  auto entryOffset = walkToVersionEntry(tree);
  if (!entryOffset) return std::nullopt;
  auto entry = tree.dataEntry(*entryOffset);
  if (!entry) return std::nullopt;
  const std::uint32_t rva = u32At(*entry, 0);
  const std::uint32_t size = u32At(*entry, 4);
  const std::uint64_t entryAt = base + *entryOffset;
  if (size == 0) return f.fail(VersionError::BadVersionResource, entryAt, "empty version resource");

  // The data is normally in the resource section, but nothing forces that.
  std::optional<std::uint64_t> offset = mapToFile(*section, rva, size);
  if (!offset) {
    auto other = findSection(f, *h, rva);
    if (!other) return f.fail(VersionError::BadVersionResource, entryAt, "version data RVA");
    offset = mapToFile(*other, rva, size);
  }
  if (!offset || *offset > f.fileSize() || size > f.fileSize() - *offset)
    return f.fail(VersionError::BadVersionResource, entryAt, "version data outside the file");
  const auto kept = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, versionLimits::kMaxVersionBlockBytes));
  return VersionResource{h->kind, *offset, kept};
}

}  // namespace

LocateResult locateVersionResource(ByteSource& source, std::vector<std::uint8_t>& scratch) {
  Fetcher f(source, scratch);
  LocateResult result;
  auto finish = [&](std::optional<VersionResource> found) {
    if (found) result.resource = *found;
    else result.fault = f.fault();
    return result;
  };

  auto dos = f.fetch(0, kDosHeaderBytes, VersionError::NotAnImage, "DOS header");
  if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z')
    return finish(f.fail(VersionError::NotAnImage, 0, "DOS header"));
  const std::uint32_t newHeader = u32At(*dos, kLfanewOffset);
  auto sig = f.fetch(newHeader, 4, VersionError::BadHeader, "new header offset");
  if (!sig) return finish(std::nullopt);
  const Bytes s = *sig;
  if (s[0] == 'P' && s[1] == 'E' && s[2] == 0 && s[3] == 0) return finish(locatePe(f, newHeader));
  if (s[0] == 'N' && s[1] == 'E') {
    auto ne = imageFetch::locateNeVersion(f, newHeader);
    if (!ne) return finish(std::nullopt);
    return finish(VersionResource{ImageKind::Ne, ne->offset, ne->size});
  }
  return finish(f.fail(VersionError::UnknownImage, newHeader, "image signature"));
}

}  // namespace quorvane
