#include "version/clsStringFileInfo.h"

namespace quorvane {

namespace {
constexpr std::array<const char*, clsStringFileInfo::kCount> kValueNames = {
    "Comments",       "CompanyName",     "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion"};

const std::string kEmpty;
}  // namespace

const std::string& clsStringFileInfo::Item(std::int32_t index) const {
  return index >= 1 && index <= kCount ? m_items[static_cast<std::size_t>(index - 1)] : kEmpty;
}

const char* clsStringFileInfo::ValueName(std::int32_t index) {
  return index >= 1 && index <= kCount ? kValueNames[static_cast<std::size_t>(index - 1)] : "";
}

void clsStringFileInfo::clear() {
  for (std::string& s : m_items) s.clear();  // keeps the capacity for the next file
}

}  // namespace quorvane
