// The info command's JSON and CSV forms.
#include <array>

#include "report/csv_writer.h"
#include "report/json_writer.h"
#include "report/report.h"
#include "version/clsFileVersion.h"
#include "version/string_tables.h"

namespace quorvane::report {

namespace {

// The numeric fields of the fixed part that the text form shows, by Properties index.
constexpr std::array<std::int16_t, 7> kNumericFields = {0, 1, 10, 11, 12, 13, 14};

constexpr std::array<const char*, 7> kJsonFieldNames = {"signature", "structVersion", "fileFlagsMask", "fileFlags",
                                                        "fileOS",    "fileType",      "fileSubType"};

constexpr std::array<const char*, 25> kColumns = {
    "File", "FullPath", "VerInfoAvailable", "FixedVersion", "StringVersion", "FixedProductVersion",
    "ProductVersion", "Signature", "StructVersion", "FileFlagsMask", "FileFlags", "FileOS", "FileType",
    "FileSubType", "FileDate", "LanguageName", "Key", "Comments", "CompanyName", "FileDescription",
    "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename", "ProductName"};

std::int64_t numeric(const clsFixedFileInfo& f, std::int16_t index) {
  return static_cast<std::int64_t>(std::get<std::uint32_t>(f.Properties(index)));
}

void writeTablesJson(JsonWriter& json, const std::vector<VersionStringTable>& tables) {
  json.key("stringTables");
  json.beginArray();
  for (const VersionStringTable& t : tables) {
    json.beginObject();
    json.field("key", t.Key);
    if (t.KeyIsHex) {
      json.field("languageId", std::int64_t{t.Language});
      json.field("codePage", std::int64_t{t.CodePage});
    }
    json.field("language", t.LanguageName);
    json.key("values");
    json.beginArray();
    for (const VersionStringTable::Value& v : t.Values) {
      json.beginObject();
      json.field("name", v.Name);
      json.field("value", v.Text);
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

void writeFileJson(JsonWriter& json, const std::string& path, const std::string& fullPath, clsFileVersion& reader,
                   const std::string& fault) {
  json.beginObject();
  json.field("file", path);
  json.field("fullPath", fullPath);
  json.field("versionInfo", reader.VerInfoAvailable());
  if (!reader.VerInfoAvailable()) {
    json.field("error", fault);
    json.endObject();
    return;
  }
  const clsFixedFileInfo& f = reader.FixedFileInfo();
  const clsStringFileInfo& s = reader.StringFileInfo();
  json.field("fixedVersion", f.FileVersion());
  json.field("stringVersion", s.FileVersion());
  json.field("fixedProductVersion", f.ProductVersion());
  json.field("productVersion", s.ProductVersion());
  for (std::size_t i = 0; i < kNumericFields.size(); ++i) json.field(kJsonFieldNames[i], numeric(f, kNumericFields[i]));
  json.field("fileDate", formatFileDateTime(f.FileDate()));
  json.field("language", reader.LanguageName());
  json.field("key", reader.CurrentKey());
  json.key("strings");
  json.beginObject();
  for (std::int32_t i = 1; i <= clsStringFileInfo::kCount; ++i) json.field(clsStringFileInfo::ValueName(i), s.Item(i));
  json.endObject();
  writeTablesJson(json, readStringTables(reader.VersionBlockBytes()));
  json.endObject();
}

void writeCsvHeader(CsvWriter& csv, bool allLanguages) {
  if (allLanguages) {
    csv.row({"File", "FullPath", "Key", "LanguageName", "Name", "Value"});
    return;
  }
  for (const char* column : kColumns) csv.field(column);
  csv.endRow();
}

void writeFileCsv(CsvWriter& csv, const std::string& path, const std::string& fullPath, clsFileVersion& reader) {
  csv.field(path);
  csv.field(fullPath);
  if (!reader.VerInfoAvailable()) {
    csv.field("False");
    for (std::size_t i = 3; i < kColumns.size(); ++i) csv.field("");
    csv.endRow();
    return;
  }
  const clsFixedFileInfo& f = reader.FixedFileInfo();
  const clsStringFileInfo& s = reader.StringFileInfo();
  csv.field("True");
  csv.field(f.FileVersion());
  csv.field(s.FileVersion());
  csv.field(f.ProductVersion());
  csv.field(s.ProductVersion());
  for (std::int16_t index : kNumericFields) csv.field(numeric(f, index));
  csv.field(formatFileDateTime(f.FileDate()));
  csv.field(reader.LanguageName());
  csv.field(reader.CurrentKey());
  for (const std::string* value : {&s.Comments(), &s.CompanyName(), &s.FileDescription(), &s.InternalName(),
                                   &s.LegalCopyright(), &s.LegalTrademarks(), &s.OriginalFilename(),
                                   &s.ProductName()})
    csv.field(*value);
  csv.endRow();
}

void writeTablesCsv(CsvWriter& csv, const std::string& path, const std::string& fullPath, clsFileVersion& reader) {
  for (const VersionStringTable& t : readStringTables(reader.VersionBlockBytes()))
    for (const VersionStringTable::Value& v : t.Values) csv.row({path, fullPath, t.Key, t.LanguageName, v.Name, v.Text});
}

}  // namespace

struct InfoReport::State {
  JsonWriter json;
  CsvWriter csv;
  ReportText text;
};

InfoReport::InfoReport(Format format, bool allLanguages)
    : m_format(format), m_allLanguages(allLanguages), m_state(std::make_unique<State>()) {
  if (m_format == Format::Csv) {
    writeCsvHeader(m_state->csv, m_allLanguages);
    return;
  }
  m_state->json.beginObject();
  m_state->json.field("command", "info");
  m_state->json.key("files");
  m_state->json.beginArray();
}

InfoReport::~InfoReport() = default;

void InfoReport::add(const std::string& path, const std::string& fullPath, clsFileVersion& reader,
                     const std::string& fault) {
  const std::size_t before = m_state->json.replacedTexts() + m_state->csv.replacedTexts();
  if (m_format == Format::Json) writeFileJson(m_state->json, path, fullPath, reader, fault);
  else if (m_allLanguages) writeTablesCsv(m_state->csv, path, fullPath, reader);
  else writeFileCsv(m_state->csv, path, fullPath, reader);
  if (m_state->json.replacedTexts() + m_state->csv.replacedTexts() != before) m_state->text.Replaced.push_back(path);
}

ReportText InfoReport::finish() {
  if (m_format == Format::Csv) {
    m_state->text.Bytes = m_state->csv.finish();
  } else {
    m_state->json.endArray();
    m_state->json.endObject();
    m_state->text.Bytes = m_state->json.finish();
  }
  return std::move(m_state->text);
}

}  // namespace quorvane::report
