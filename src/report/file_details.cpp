#include "report/report.h"
#include "version/clsFileVersion.h"

namespace quorvane::report {

std::optional<Format> formatFromName(std::string_view name) {
  if (name == "json") return Format::Json;
  if (name == "csv") return Format::Csv;
  return std::nullopt;
}

FileDetails readFileDetails(clsFileVersion& reader) {
  FileDetails d;
  if (!reader.VerInfoAvailable()) return d;
  d.VersionInfo = true;
  d.FixedProductVersion = reader.FixedFileInfo().ProductVersion();
  const clsStringFileInfo& s = reader.StringFileInfo();
  d.ProductVersion = s.ProductVersion();
  d.CompanyName = s.CompanyName();
  d.FileDescription = s.FileDescription();
  d.LanguageName = reader.LanguageName();
  d.Key = reader.CurrentKey();
  return d;
}

}  // namespace quorvane::report
