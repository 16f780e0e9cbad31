// The image half of the test image builder: a DOS stub, then either a PE header with two
// sections (.text and .rsrc, at virtual addresses that differ from their file offsets) or
// an NE header with a resource table. The PE images are ones the Windows loader accepts,
// so that the system's own version functions, which map the file as an image, can read
// them too.
#include "support/pe_image_builder.h"

#include <algorithm>

#include "support/byte_writers.h"

namespace quorvane::testsupport {

namespace {

constexpr std::size_t kNewHeader = 0x80;
constexpr std::uint32_t kTextRva = 0x1000;
constexpr std::uint32_t kRsrcRva = 0x3000;
constexpr std::size_t kTextOffset = 0x400;
constexpr std::size_t kRsrcOffset = 0x600;
// The loader maps each section with the access its flags give: without "readable" the
// resource directory would be mapped without any access at all.
constexpr std::uint32_t kTextFlags = 0x60000020;  // code, executable, readable
constexpr std::uint32_t kRsrcFlags = 0x40000040;  // initialized data, readable
constexpr std::uint8_t kIconData[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

void setBytes(std::vector<std::uint8_t>& b, std::size_t at, const std::uint8_t* data, std::size_t n) {
  if (b.size() < at + n) b.resize(at + n);
  std::copy(data, data + n, b.begin() + static_cast<std::ptrdiff_t>(at));
}

std::size_t alignUp(std::size_t v, std::size_t a) { return (v + a - 1) / a * a; }

std::vector<std::uint8_t> dosHeader() {
  std::vector<std::uint8_t> b(kNewHeader, 0);
  b[0] = 'M';
  b[1] = 'Z';
  putLe32(b, 0x3C, kNewHeader);
  return b;
}

// A resource directory with `named` named and `ids` id entries.
void resourceDir(std::vector<std::uint8_t>& r, std::size_t at, std::uint16_t named, std::uint16_t ids) {
  putLe16(r, at + 12, named);
  putLe16(r, at + 14, ids);
}

void resourceEntry(std::vector<std::uint8_t>& r, std::size_t at, std::uint32_t name, std::uint32_t target) {
  putLe32(r, at, name);
  putLe32(r, at + 4, target);
}

// The resource section: root (named "MYTYPE" and RT_ICON when extras are on, RT_VERSION),
// one directory per level below each type, the data entries, then the data.
std::vector<std::uint8_t> resourceSection(const std::vector<std::uint8_t>& block, const ImageOptions& o,
                                          std::size_t& versionDataEntry, std::size_t& blockAt) {
  std::vector<std::uint8_t> r;
  const bool withVersion = !block.empty();
  const std::uint16_t types = static_cast<std::uint16_t>((o.extraResources ? 1 : 0) + (withVersion ? 1 : 0));
  resourceDir(r, 0, o.extraResources ? 1 : 0, types);
  std::size_t entry = 16;
  const std::size_t iconDirs = 0x100, versionDirs = 0x200, names = 0x300, dataEntries = 0x380, data = 0x400;
  if (o.extraResources) {
    resourceEntry(r, entry, 0x80000000u | names, 0x80000000u | iconDirs);  // "MYTYPE"
    entry += 8;
    resourceEntry(r, entry, 3, 0x80000000u | iconDirs);  // RT_ICON
    entry += 8;
    resourceDir(r, iconDirs, 0, 1);
    resourceEntry(r, iconDirs + 16, 1, 0x80000000u | (iconDirs + 0x40));
    resourceDir(r, iconDirs + 0x40, 0, 1);
    resourceEntry(r, iconDirs + 0x40 + 16, 0x0409, dataEntries);
    putLe32(r, dataEntries, kRsrcRva + data);
    putLe32(r, dataEntries + 4, sizeof kIconData);
    setBytes(r, data, kIconData, sizeof kIconData);
    const char16_t name[] = u"MYTYPE";
    putLe16(r, names, 6);
    for (std::size_t i = 0; i < 6; ++i) putLe16(r, names + 2 + 2 * i, name[i]);
  }
  if (withVersion) {
    resourceEntry(r, entry, 16, 0x80000000u | versionDirs);
    resourceDir(r, versionDirs, 0, 1);
    resourceEntry(r, versionDirs + 16, 1, 0x80000000u | (versionDirs + 0x40));
    resourceDir(r, versionDirs + 0x40, 0, 1);
    resourceEntry(r, versionDirs + 0x40 + 16, o.language, dataEntries + 16);
    versionDataEntry = dataEntries + 16;
    blockAt = data + 0x20 + (o.misalignBlock ? 2 : 0);
    putLe32(r, versionDataEntry, static_cast<std::uint32_t>(kRsrcRva + blockAt));
    putLe32(r, versionDataEntry + 4, static_cast<std::uint32_t>(block.size()));
    setBytes(r, blockAt, block.data(), block.size());
  }
  if (r.size() < data + sizeof kIconData) r.resize(data + sizeof kIconData);
  return r;
}

void section(std::vector<std::uint8_t>& b, std::size_t at, const char* name, std::uint32_t rva,
             std::uint32_t virtualSize, std::uint32_t rawSize, std::uint32_t rawPointer, std::uint32_t flags) {
  for (std::size_t i = 0; name[i] && i < 8; ++i) b[at + i] = static_cast<std::uint8_t>(name[i]);
  putLe32(b, at + 8, virtualSize);
  putLe32(b, at + 12, rva);
  putLe32(b, at + 16, rawSize);
  putLe32(b, at + 20, rawPointer);
  putLe32(b, at + 36, flags);
}

BuiltImage buildPe(bool plus, const std::vector<std::uint8_t>& block, const ImageOptions& o) {
  BuiltImage img;
  auto& b = img.bytes;
  b = dosHeader();
  b.resize(kTextOffset, 0);
  img.at.newHeader = kNewHeader;
  b[kNewHeader] = 'P';
  b[kNewHeader + 1] = 'E';
  const std::size_t coff = kNewHeader + 4;
  const std::uint16_t optionalSize = plus ? 240 : 224;
  putLe16(b, coff, plus ? 0x8664 : 0x14C);
  putLe16(b, coff + 2, 2);
  putLe16(b, coff + 16, optionalSize);
  putLe16(b, coff + 18, plus ? 0x2022 : 0x2102);  // executable, large addresses or 32-bit machine, DLL
  const std::size_t opt = coff + 20;
  img.at.optionalHeader = opt;
  putLe16(b, opt, plus ? 0x20B : 0x10B);
  // The image base: a 32-bit field in PE32, where PE32+ has a 64-bit one 4 bytes earlier.
  if (plus) {
    putLe32(b, opt + 24, 0x80000000u);
    putLe32(b, opt + 28, 0x1);  // 0x180000000
  } else {
    putLe32(b, opt + 28, 0x10000000);
  }
  putLe32(b, opt + 32, 0x1000);  // section alignment
  putLe32(b, opt + 36, 0x200);   // file alignment
  putLe16(b, opt + 40, plus ? 5 : 4);  // operating system version, 4.0 or 5.2
  putLe16(b, opt + 42, plus ? 2 : 0);
  putLe16(b, opt + 48, plus ? 5 : 4);  // subsystem version, the same
  putLe16(b, opt + 50, plus ? 2 : 0);
  putLe32(b, opt + 60, kTextOffset);  // size of headers
  putLe16(b, opt + 68, 2);       // Windows GUI
  const std::size_t count = plus ? 108 : 92;
  putLe32(b, opt + count, 16);

  std::size_t dataEntry = 0, blockAt = 0;
  const auto rsrc = resourceSection(block, o, dataEntry, blockAt);
  putLe32(b, opt + count + 4 + 16, kRsrcRva);
  putLe32(b, opt + count + 4 + 20, static_cast<std::uint32_t>(rsrc.size()));
  putLe32(b, opt + 56, static_cast<std::uint32_t>(kRsrcRva + alignUp(rsrc.size(), 0x1000)));  // image size

  img.at.sectionTable = opt + optionalSize;
  const auto rawSize = static_cast<std::uint32_t>(alignUp(rsrc.size(), 0x200));
  // The loader wants the sections one after the other in memory, so .text reaches to .rsrc.
  section(b, img.at.sectionTable, ".text", kTextRva, kRsrcRva - kTextRva, 0x200, kTextOffset, kTextFlags);
  section(b, img.at.sectionTable + 40, ".rsrc", kRsrcRva, static_cast<std::uint32_t>(rsrc.size()), rawSize, kRsrcOffset,
          kRsrcFlags);
  b.resize(kRsrcOffset, 0xCC);  // the .text section: filler that is not zero
  b.insert(b.end(), rsrc.begin(), rsrc.end());
  b.resize(kRsrcOffset + rawSize, 0);
  img.at.resourceSection = kRsrcOffset;
  if (!block.empty()) {
    img.at.versionDataEntry = kRsrcOffset + dataEntry;
    img.at.versionBlock = kRsrcOffset + blockAt;
  }
  return img;
}

BuiltImage buildNe(const std::vector<std::uint8_t>& block, const ImageOptions& o) {
  constexpr std::uint16_t kShift = 4;
  BuiltImage img;
  auto& b = img.bytes;
  b = dosHeader();
  b.resize(kNewHeader + 0x40, 0);
  img.at.newHeader = kNewHeader;
  b[kNewHeader] = 'N';
  b[kNewHeader + 1] = 'E';
  b[kNewHeader + 0x36] = 2;  // Windows
  const std::size_t table = kNewHeader + 0x40;
  img.at.resourceTable = table;

  std::vector<std::uint8_t> t;
  putLe16(t, 0, kShift);
  // A type holding one resource; returns where its NAMEINFO lies in the table.
  auto addType = [&t](std::uint16_t type) {
    putLe16(t, t.size(), type);
    putLe16(t, t.size(), 1);
    putLe32(t, t.size(), 0);
    t.resize(t.size() + 12, 0);
    return t.size() - 12;
  };
  const std::size_t iconInfo = o.extraResources ? addType(0x8003) : 0;  // RT_ICON
  const std::size_t versionInfo = block.empty() ? 0 : addType(0x8010);  // RT_VERSION
  putLe16(t, t.size(), 0);  // end of types
  const std::uint8_t moduleName[] = {4, 'T', 'E', 'S', 'T', 0, 0, 0};
  const std::size_t namesAt = t.size();
  putLe16(b, kNewHeader + 0x24, 0x40);
  putLe16(b, kNewHeader + 0x26, static_cast<std::uint32_t>(0x40 + namesAt));
  b.insert(b.end(), t.begin(), t.end());
  b.insert(b.end(), moduleName, moduleName + sizeof moduleName);

  auto place = [&](std::size_t info, const std::uint8_t* data, std::size_t size, std::uint16_t id) {
    const std::size_t at = alignUp(b.size(), std::size_t{1} << kShift);
    b.resize(at, 0);
    b.insert(b.end(), data, data + size);
    b.resize(alignUp(b.size(), std::size_t{1} << kShift), 0);
    putLe16(b, table + info, static_cast<std::uint32_t>(at >> kShift));
    putLe16(b, table + info + 2, static_cast<std::uint32_t>(alignUp(size, std::size_t{1} << kShift) >> kShift));
    putLe16(b, table + info + 4, 0x0030);  // moveable, pure
    putLe16(b, table + info + 6, id);
    return at;
  };
  if (o.extraResources) place(iconInfo, kIconData, sizeof kIconData, 0x8001);
  if (!block.empty()) {
    img.at.versionNameInfo = table + versionInfo;
    img.at.versionBlock = place(versionInfo, block.data(), block.size(), 0x8001);
  }
  return img;
}

}  // namespace

BuiltImage buildImage(ImageFormat format, const std::vector<std::uint8_t>& versionBlock,
                      const ImageOptions& options) {
  if (format == ImageFormat::Ne) return buildNe(versionBlock, options);
  return buildPe(format == ImageFormat::Pe32Plus, versionBlock, options);
}

BuiltImage buildImage(ImageFormat format, const VersionInfoPlan& plan, const ImageOptions& options) {
  const BlockFormat layout = format == ImageFormat::Ne ? BlockFormat::Narrow : BlockFormat::Wide;
  return buildImage(format, buildVersionBlock(plan, layout), options);
}

}  // namespace quorvane::testsupport
