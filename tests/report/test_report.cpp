#include <gtest/gtest.h>

#include "support/entry_builder.h"
#include "support/files.h"
#include "report/csv_writer.h"
#include "report/json_writer.h"
#include "report/report.h"

namespace quorvane::report {
namespace {

using quorvane::testsupport::makeEntry;
using quorvane::testsupport::makeExtraction;
using quorvane::testsupport::readText;

std::string golden(const std::string& name) { return readText(std::string(QUORVANE_TEST_DATA) + "/report/" + name); }

struct Escape {
  const char* in;
  const char* json;  // without the quotes
  const char* csv;   // without the byte-order mark and the row end
  bool valid;
};

constexpr Escape kEscapes[] = {
    {"plain.dll", "plain.dll", "plain.dll", true},
    {"日本語ｶﾅ", "日本語ｶﾅ", "日本語ｶﾅ", true},
    {"a\"b\\c", "a\\\"b\\\\c", "\"a\"\"b\\c\"", true},
    {"1,2", "1,2", "\"1,2\"", true},
    {" 4.0 ", " 4.0 ", "\" 4.0 \"", true},
    {"一行目\r\n二行目\t", "一行目\\r\\n二行目\\t", "\"一行目\r\n二行目\t\"", true},
    {"\x01\x1f\x7f\b\f", "\\u0001\\u001f\\u007f\\b\\f", "\x01\x1f\x7f\b\f", true},
    {"\xE2\x80\xA8", "\\u2028", "\xE2\x80\xA8", true},
    {"\xEF\xBF\xBD", "\xEF\xBF\xBD", "\xEF\xBF\xBD", true},                  // a real U+FFFD stays
    {"bad\xFF.dll", "bad\\ufffd.dll", "bad\xEF\xBF\xBD.dll", false},           // a stray byte
    {"\xE6\x97", "\\ufffd\\ufffd", "\xEF\xBF\xBD\xEF\xBF\xBD", false},         // a cut sequence
    {"\xC0\xAF\xED\xA0\x80", "\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd",            // overlong, surrogate
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", false},
};

TEST(ReportWriters, EscapeTable) {
  for (const Escape& e : kEscapes) {
    std::string json;
    EXPECT_EQ(appendJsonString(json, e.in), e.valid) << e.in;
    EXPECT_EQ(json, std::string("\"") + e.json + "\"");
    CsvWriter csv;
    csv.field(e.in);
    csv.endRow();
    EXPECT_EQ(csv.replacedTexts(), e.valid ? 0u : 1u) << e.in;
    EXPECT_EQ(csv.finish(), std::string("\xEF\xBB\xBF") + e.csv + "\r\n");
  }
}

TEST(ReportWriters, ExtractionGoldenFiles) {
  auto a = makeEntry("a.dll", "1.0.0.0", "1.0", 2048, "98/05/11", "12:00:00");
  auto jp = makeEntry("日本語.dll", "4.71.1712.-25536", "4, 71, 1712, 5", 1024, "97/12/01", "09:05:30");
  auto bad = makeEntry("bad\xFF.ocx", "", "", 300, "97/12/01", "09:05:30");
  const ExtractionResult result = makeExtraction({a, jp, bad}, {2, 0, 1});
  const FileDetails d{.FullPath = "C:\\TEST\\a.dll", .VersionInfo = true, .FixedProductVersion = "1.0.0.0",
                      .ProductVersion = "1.0", .CompanyName = "株式会社クオーヴェイン",
                      .FileDescription = "説明, \"引用\"\n二行目", .LanguageName = "日本語", .Key = "041103A4"};
  FileDetails japanese;
  japanese.VersionInfo = true;  // and no full path: the entry's own is written
  const std::vector<FileDetails> details = {d, japanese};  // the third has none
  for (const Format format : {Format::Json, Format::Csv}) {
    const ReportText text = extractReport(format, result, details, "PC01");
    EXPECT_EQ(text.Bytes, golden(format == Format::Json ? "extract.json" : "extract.csv"));
    EXPECT_EQ(text.Replaced, std::vector<std::string>{"C:\\TEST\\bad\xFF.ocx"});
  }
}

TEST(ReportWriters, ComparisonGoldenFiles) {
  const CompareOptions kKeepStringVersion{false, false};
  ComparisonBuilder builder({makeEntry("a.dll", "1.0.0.0", "1.0", 100, "98/05/11", "12:00:00"),
                             makeEntry("日本語.dll", "2.0.0.0", "2.0", 100, "98/05/11", "12:00:00"),
                             makeEntry("b.dll", "2.0.0.0", "2.0", 100, "98/05/11", "12:00:00"),
                             makeEntry("gone.dll", "", "", 1, "98/05/11", "12:00:00"),
                             makeEntry("same.dll", "1.0.0.0", "1.0", 1, "98/05/11", "12:00:00")},
                            kKeepStringVersion);
  builder.add(makeEntry("新規, \"q\".ocx", "", "1.0 (beta)", 5, "98/06/01", "08:00:00"));
  builder.add(makeEntry("日本語.dll", "2.0.0.0", "2.0", 300, "98/06/01", "08:00:00"));
  builder.add(makeEntry("a.dll", "1.0.0.1", "1.0", 100, "98/05/11", "12:00:00"));
  builder.add(makeEntry("b.dll", "1.9.0.0", "2.0", 100, "98/05/11", "12:00:00"));
  builder.add(makeEntry("same.dll", "1.0.0.0", "1.0", 1, "98/05/11", "12:00:00"));
  const ComparisonResult result = builder.finish();
  const ResultFileHeader header{"98/06/15", "10:23:45", "PC01", "old.txt", "C:\\TEST"};
  // Only the second side's files can have details: those of a fresh extraction.
  FileDetails japanese;
  japanese.FullPath = "C:\\TEST\\日本語.dll";
  japanese.VersionInfo = true;
  japanese.CompanyName = "株式会社クオーヴェイン";
  japanese.LanguageName = "日本語";
  japanese.Key = "041103A4";
  const DetailsByName details = [&](const std::string& name) { return name == "日本語.dll" ? &japanese : nullptr; };
  EXPECT_EQ(compareReport(Format::Json, result, header, kKeepStringVersion, details).Bytes, golden("compare.json"));
  EXPECT_EQ(compareReport(Format::Csv, result, header, kKeepStringVersion, details).Bytes, golden("compare.csv"));
}

}  // namespace
}  // namespace quorvane::report
