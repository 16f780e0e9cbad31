// The extract command's JSON and CSV forms: the record's header and rows, plus what the
// record leaves out of each file.
#include "report/csv_writer.h"
#include "report/json_writer.h"
#include "report/report.h"

namespace quorvane::report {

namespace {

const FileDetails& detailsOf(const std::vector<FileDetails>& details, std::size_t index) {
  static const FileDetails kNone;
  return index < details.size() ? details[index] : kNone;
}

void writeJson(JsonWriter& json, const std::string& name, const FileVersionEntry& e, const FileDetails& d) {
  json.beginObject();
  json.field("name", name);
  json.field("fullPath", d.FullPath.empty() ? e.FullPath : d.FullPath);
  json.field("versionInfo", d.VersionInfo);
  json.field("fixedVersion", e.FixedVersion);
  json.field("stringVersion", e.StringVersion);
  json.field("fixedProductVersion", d.FixedProductVersion);
  json.field("productVersion", d.ProductVersion);
  json.field("company", d.CompanyName);
  json.field("description", d.FileDescription);
  json.field("language", d.LanguageName);
  json.field("key", d.Key);
  json.field("size", e.Size);
  json.field("date", e.Date);
  json.field("time", e.Time);
  json.endObject();
}

void writeCsv(CsvWriter& csv, const std::string& name, const FileVersionEntry& e, const FileDetails& d) {
  csv.row({name, d.FullPath.empty() ? e.FullPath : d.FullPath, d.VersionInfo ? "True" : "False", e.FixedVersion,
           e.StringVersion, d.FixedProductVersion, d.ProductVersion, d.CompanyName, d.FileDescription,
           d.LanguageName, d.Key, std::to_string(e.Size), e.Date, e.Time});
}

}  // namespace

ReportText extractReport(Format format, const ExtractionResult& result, const std::vector<FileDetails>& details,
                         const std::string& computerName) {
  ReportText text;
  JsonWriter json;
  CsvWriter csv;
  if (format == Format::Json) {
    json.beginObject();
    json.field("command", "extract");
    json.field("created", result.RunDate + " " + result.RunTime);
    json.field("computer", computerName);
    json.field("folder", result.RunFolder);
    json.field("kind", result.RunKind);
    json.field("count", static_cast<std::int64_t>(result.Order.size()));
    json.key("files");
    json.beginArray();
  } else {
    csv.row({"Name", "FullPath", "VerInfoAvailable", "FixedVersion", "StringVersion", "FixedProductVersion",
             "ProductVersion", "CompanyName", "FileDescription", "LanguageName", "Key", "Size", "Date", "Time"});
  }
  for (const std::int32_t index : result.Order) {
    const auto i = static_cast<std::size_t>(index);
    if (i >= result.Entries.size()) continue;
    const std::string& name = i < result.DisplayNames.size() ? result.DisplayNames[i] : result.Entries[i].FullPath;
    const std::size_t before = json.replacedTexts() + csv.replacedTexts();
    if (format == Format::Json) writeJson(json, name, result.Entries[i], detailsOf(details, i));
    else writeCsv(csv, name, result.Entries[i], detailsOf(details, i));
    if (json.replacedTexts() + csv.replacedTexts() != before) text.Replaced.push_back(result.Entries[i].FullPath);
  }
  if (format == Format::Json) {
    json.endArray();
    json.endObject();
    text.Bytes = json.finish();
  } else {
    text.Bytes = csv.finish();
  }
  return text;
}

}  // namespace quorvane::report
