#include "version/clsFixedFileInfo.h"

#include <array>

#include "version/version_block.h"

namespace quorvane {

namespace {

std::int16_t high(std::uint32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v >> 16)); }
std::int16_t low(std::uint32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF)); }

std::string joinParts(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
  return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
}

constexpr std::array<const char*, 16> kPropertyNames = {
    "Signature",       "StructVersion",   "FileMajorVer",    "FileMinorVer",
    "FileRevision",    "FileBuildNo",     "ProductMajorVer", "ProductMinorVer",
    "ProductRevision", "ProductBuildNo",  "FileFlagsMask",   "FileFlags",
    "FileOS",          "FileType",        "FileSubType",     "FileDate"};

}  // namespace

clsFixedFileInfo::PropertyValue clsFixedFileInfo::Properties(std::int16_t index) const {
  switch (index) {
    case 0: return m_signature;
    case 1: return m_structVersion;
    case 2: return m_fileMajorVer;
    case 3: return m_fileMinorVer;
    case 4: return m_fileRevision;
    case 5: return m_fileBuildNo;
    case 6: return m_productMajorVer;
    case 7: return m_productMinorVer;
    case 8: return m_productRevision;
    case 9: return m_productBuildNo;
    case 10: return m_fileFlagsMask;
    case 11: return m_fileFlags;
    case 12: return m_fileOS;
    case 13: return m_fileType;
    case 14: return m_fileSubType;
    case 15: return m_fileDate;
    default: return std::monostate{};
  }
}

const char* clsFixedFileInfo::PropertyName(std::int16_t index) {
  return index >= 0 && index < 16 ? kPropertyNames[static_cast<std::size_t>(index)] : "";
}

std::string clsFixedFileInfo::FileVersion() const {
  return joinParts(m_fileMajorVer, m_fileMinorVer, m_fileRevision, m_fileBuildNo);
}

std::string clsFixedFileInfo::ProductVersion() const {
  return joinParts(m_productMajorVer, m_productMinorVer, m_productRevision, m_productBuildNo);
}

void clsFixedFileInfo::store(const RawFixedFileInfo& raw, const FileDateTime& localDate) {
  m_signature = raw.signature;
  m_structVersion = raw.structVersion;
  m_fileMajorVer = high(raw.fileVersionMS);
  m_fileMinorVer = low(raw.fileVersionMS);
  m_fileRevision = high(raw.fileVersionLS);
  m_fileBuildNo = low(raw.fileVersionLS);
  m_productMajorVer = high(raw.productVersionMS);
  m_productMinorVer = low(raw.productVersionMS);
  m_productRevision = high(raw.productVersionLS);
  m_productBuildNo = low(raw.productVersionLS);
  m_fileFlagsMask = raw.flagsMask;
  m_fileFlags = raw.flags;
  m_fileOS = raw.os;
  m_fileType = raw.type;
  m_fileSubType = raw.subtype;
  m_fileDate = localDate;
}

void clsFixedFileInfo::clear() { *this = clsFixedFileInfo(); }

}  // namespace quorvane
