#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "version/file_date_time.h"

namespace quorvane {

struct RawFixedFileInfo;

// The fixed part of one file's version resource. Version parts are held as signed 16-bit
// values, so a part of 32768 or more reads as that value minus 65536 (65535 is -1), which
// is also how stored version records carry them.
class clsFixedFileInfo {
 public:
  // A field by index: monostate (empty) outside 0 to 15, else the field in its own type.
  using PropertyValue = std::variant<std::monostate, std::uint32_t, std::int16_t, FileDateTime>;

  std::uint32_t Signature() const { return m_signature; }
  std::uint32_t StructVersion() const { return m_structVersion; }
  std::int16_t FileMajorVer() const { return m_fileMajorVer; }
  std::int16_t FileMinorVer() const { return m_fileMinorVer; }
  std::int16_t FileRevision() const { return m_fileRevision; }
  std::int16_t FileBuildNo() const { return m_fileBuildNo; }
  std::int16_t ProductMajorVer() const { return m_productMajorVer; }
  std::int16_t ProductMinorVer() const { return m_productMinorVer; }
  std::int16_t ProductRevision() const { return m_productRevision; }
  std::int16_t ProductBuildNo() const { return m_productBuildNo; }
  std::uint32_t FileFlagsMask() const { return m_fileFlagsMask; }
  std::uint32_t FileFlags() const { return m_fileFlags; }
  std::uint32_t FileOS() const { return m_fileOS; }
  std::uint32_t FileType() const { return m_fileType; }
  std::uint32_t FileSubType() const { return m_fileSubType; }
  const FileDateTime& FileDate() const { return m_fileDate; }

  PropertyValue Properties(std::int16_t index) const;

  // "major.minor.revision.build", each part in decimal with "-" when negative.
  std::string FileVersion() const;
  // The product parts in the same form.
  std::string ProductVersion() const;

  // The name of the field with index 0 to 15 ("Signature" ... "FileDate"), else empty.
  static const char* PropertyName(std::int16_t index);

 private:
  friend class clsFileVersion;

  // Only the reader writes the fields: all of them from one structure, or all cleared.
  void store(const RawFixedFileInfo& raw, const FileDateTime& localDate);
  void clear();

  std::uint32_t m_signature = 0;
  std::uint32_t m_structVersion = 0;
  std::int16_t m_fileMajorVer = 0;
  std::int16_t m_fileMinorVer = 0;
  std::int16_t m_fileRevision = 0;
  std::int16_t m_fileBuildNo = 0;
  std::int16_t m_productMajorVer = 0;
  std::int16_t m_productMinorVer = 0;
  std::int16_t m_productRevision = 0;
  std::int16_t m_productBuildNo = 0;
  std::uint32_t m_fileFlagsMask = 0;
  std::uint32_t m_fileFlags = 0;
  std::uint32_t m_fileOS = 0;
  std::uint32_t m_fileType = 0;
  std::uint32_t m_fileSubType = 0;
  FileDateTime m_fileDate;
};

}  // namespace quorvane
