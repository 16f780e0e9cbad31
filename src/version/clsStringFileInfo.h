#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorvane {

// The ten standard string values of one file's version resource, each exactly as found
// (cut at its first NUL) or empty when missing.
class clsStringFileInfo {
 public:
  const std::string& Comments() const { return m_items[0]; }
  const std::string& CompanyName() const { return m_items[1]; }
  const std::string& FileDescription() const { return m_items[2]; }
  const std::string& FileVersion() const { return m_items[3]; }
  const std::string& InternalName() const { return m_items[4]; }
  const std::string& LegalCopyright() const { return m_items[5]; }
  const std::string& LegalTrademarks() const { return m_items[6]; }
  const std::string& OriginalFilename() const { return m_items[7]; }
  const std::string& ProductName() const { return m_items[8]; }
  const std::string& ProductVersion() const { return m_items[9]; }

  // The value with the index that clsFileVersion::DescriptionString labels (1 Comments
  // to 10 ProductVersion); empty for any other index.
  const std::string& Item(std::int32_t index) const;

  // The value name in the string table ("Comments" ... "ProductVersion") for index 1 to 10.
  static const char* ValueName(std::int32_t index);

  static constexpr std::int32_t kCount = 10;

 private:
  friend class clsFileVersion;

  std::string& item(std::int32_t index) { return m_items[static_cast<std::size_t>(index - 1)]; }
  void clear();

  std::array<std::string, kCount> m_items;
};

}  // namespace quorvane
