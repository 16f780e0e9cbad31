// The compare command's JSON and CSV forms: what the result file holds, plus the string
// versions and, for each updated file, which way it went.
#include <array>

#include "report/csv_writer.h"
#include "report/json_writer.h"
#include "report/report.h"

namespace quorvane::report {

namespace {

constexpr std::array<CompareCategory, 4> kCategories = {CompareCategory::Added, CompareCategory::Updated,
                                                        CompareCategory::Deleted, CompareCategory::Unchanged};
constexpr std::array<const char*, 4> kCategoryNames = {"added", "updated", "deleted", "unchanged"};

void writeVersions(JsonWriter& json, const FileVersionEntry& e) {
  json.field("fixedVersion", e.FixedVersion);
  json.field("stringVersion", e.StringVersion);
  json.field("size", e.Size);
  json.field("date", e.Date);
  json.field("time", e.Time);
}

const FileDetails* secondSideDetails(const DetailsByName& details, CompareCategory category,
                                     const FileVersionEntry& e) {
  const bool second = category == CompareCategory::Added || category == CompareCategory::Updated;
  return second && details ? details(e.FullPath) : nullptr;
}

void writeRowJson(JsonWriter& json, const ComparisonResult& r, CompareCategory category, std::size_t row,
                  const DetailsByName& details) {
  const FileVersionEntry& e = r.entry(category, row);
  json.beginObject();
  json.field("name", e.FullPath);
  if (category == CompareCategory::Updated) json.field("class", updateClassName(r.Updated[row].Class));
  writeVersions(json, e);
  if (const FileDetails* d = secondSideDetails(details, category, e)) {
    json.field("fullPath", d->FullPath);
    json.field("versionInfo", d->VersionInfo);
    json.field("fixedProductVersion", d->FixedProductVersion);
    json.field("productVersion", d->ProductVersion);
    json.field("company", d->CompanyName);
    json.field("description", d->FileDescription);
    json.field("language", d->LanguageName);
    json.field("key", d->Key);
  }
  if (const FileVersionEntry* old = r.oldEntry(category, row)) {
    json.key("old");
    json.beginObject();
    writeVersions(json, *old);
    json.endObject();
  }
  json.endObject();
}

std::string jsonDocument(const ComparisonResult& r, const ResultFileHeader& h, const CompareOptions& options,
                         const DetailsByName& details, std::vector<std::string>& replaced) {
  JsonWriter json;
  json.beginObject();
  json.field("command", "compare");
  json.field("created", h.CreatedDate + " " + h.CreatedTime);
  json.field("computer", h.ComputerName);
  json.field("target1", h.Target1);
  json.field("target1Count", r.firstCount());
  json.field("view", r.ViewMode);
  if (r.ViewMode) {
    json.key("files");
    json.beginArray();
    for (const FileVersionEntry& e : r.FirstRecord) {
      const std::size_t before = json.replacedTexts();
      json.beginObject();
      json.field("name", e.FullPath);
      writeVersions(json, e);
      json.endObject();
      if (json.replacedTexts() != before) replaced.push_back(e.FullPath);
    }
    json.endArray();
    json.endObject();
    return json.finish();
  }
  json.field("target2", h.Target2);
  json.field("target2Count", r.SecondCount);
  json.field("rowsLeftOut", r.SecondRowsLeftOut);
  json.field("ignoreDate", options.IgnoreFileDate);
  json.field("ignoreStringVersion", options.IgnoreStringVersion);
  const auto counts = r.classCounts();
  json.key("classCounts");
  json.beginObject();
  for (std::size_t i = 0; i < counts.size(); ++i) json.field(updateClassName(static_cast<UpdateClass>(i)), static_cast<std::int64_t>(counts[i]));
  json.endObject();
  for (std::size_t c = 0; c < kCategories.size(); ++c) {
    json.key(kCategoryNames[c]);
    json.beginArray();
    for (std::size_t row = 0; row < r.count(kCategories[c]); ++row) {
      const std::size_t before = json.replacedTexts();
      writeRowJson(json, r, kCategories[c], row, details);
      if (json.replacedTexts() != before) replaced.push_back(r.entry(kCategories[c], row).FullPath);
    }
    json.endArray();
  }
  json.endObject();
  return json.finish();
}

std::string csvTable(const ComparisonResult& r, const DetailsByName& details, std::vector<std::string>& replaced) {
  CsvWriter csv;
  csv.row({"Category", "Name", "Class", "FixedVersion", "StringVersion", "Size", "Date", "Time", "OldFixedVersion",
           "OldStringVersion", "OldSize", "OldDate", "OldTime", "FullPath", "FixedProductVersion", "ProductVersion",
           "CompanyName", "FileDescription", "LanguageName", "Key"});
  const auto emit = [&](const char* category, const char* updateClass, const FileVersionEntry& e,
                        const FileVersionEntry* old, const FileDetails* d) {
    const std::size_t before = csv.replacedTexts();
    for (std::string_view f : {std::string_view(category), std::string_view(e.FullPath), std::string_view(updateClass),
                               std::string_view(e.FixedVersion), std::string_view(e.StringVersion)})
      csv.field(f);
    csv.field(e.Size);
    csv.field(e.Date);
    csv.field(e.Time);
    if (old) {
      csv.field(old->FixedVersion);
      csv.field(old->StringVersion);
      csv.field(old->Size);
      csv.field(old->Date);
      csv.field(old->Time);
    } else {
      for (int i = 0; i < 5; ++i) csv.field("");
    }
    // Every row has every column, so that a reader can take them by position.
    static const FileDetails kNone;
    if (!d) d = &kNone;
    for (const std::string* f : {&d->FullPath, &d->FixedProductVersion, &d->ProductVersion, &d->CompanyName,
                                 &d->FileDescription, &d->LanguageName, &d->Key})
      csv.field(*f);
    csv.endRow();
    if (csv.replacedTexts() != before) replaced.push_back(e.FullPath);
  };
  if (r.ViewMode) {
    for (const FileVersionEntry& e : r.FirstRecord) emit("record", "", e, nullptr, nullptr);
    return csv.finish();
  }
  for (std::size_t c = 0; c < kCategories.size(); ++c) {
    for (std::size_t row = 0; row < r.count(kCategories[c]); ++row) {
      const bool updated = kCategories[c] == CompareCategory::Updated;
      const FileVersionEntry& e = r.entry(kCategories[c], row);
      emit(kCategoryNames[c], updated ? updateClassName(r.Updated[row].Class) : "", e, r.oldEntry(kCategories[c], row),
           secondSideDetails(details, kCategories[c], e));
    }
  }
  return csv.finish();
}

}  // namespace

ReportText compareReport(Format format, const ComparisonResult& result, const ResultFileHeader& header,
                         const CompareOptions& options, const DetailsByName& secondDetails) {
  ReportText text;
  text.Bytes = format == Format::Json ? jsonDocument(result, header, options, secondDetails, text.Replaced)
                                      : csvTable(result, secondDetails, text.Replaced);
  return text;
}

}  // namespace quorvane::report
