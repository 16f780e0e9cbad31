#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "common/sjis.h"
#include "compare/compare_result_file.h"
#include "compare/computer_name.h"
#include "compare/record_reader.h"
#include "compare/record_writer.h"
#include "dialogs/file_error.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using namespace recordFormat;
using testsupport::makeEntry;
using testsupport::makeExtraction;
using testsupport::readText;
using testsupport::TempFolder;
using testsupport::writeFile;

// The Shift_JIS bytes of the comment prefixes and fixed lines, spelled out so the test
// does not trust the encoder it checks.
const std::string kCreatedSjis = "\x3b\x8d\xec\x90\xac\x93\xfa\x8e\x9e\x81\x46";
const std::string kComputerSjis = "\x3b\x8e\xc0\x8d\x73\x50\x43\x20\x96\xbc\x81\x46";
const std::string kTitle =
    "\x3b\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1\x94\xe4"
    "\x8a\x72\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b";
const std::string kTarget1 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x31\x81\x46";
const std::string kTotal1 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x31\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x91\x8d\x90\x94\x81\x46";
const std::string kTarget2 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x32\x81\x46";
const std::string kTotal2 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x32\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x91\x8d\x90\x94\x81\x46";
const std::string kAdded = "\x3b\x92\xc7\x89\xc1\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kUpdated = "\x3b\x8d\x58\x90\x56\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kDeleted = "\x3b\x8d\xed\x8f\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kUnchanged = "\x3b\x96\xb3\x95\xcf\x89\xbb\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kWorkedExampleBytes =
    kCreatedSjis + "98/06/15 10:23:45\r\n" + kComputerSjis + "PC01\r\n" + "\x3b\x92\x8a\x8f\x6f\x90\xe6\x81\x46" +
    "C:\\TEST\r\n" + "\x3b\x92\x8a\x8f\x6f\x83\x74\x83\x40\x83\x43\x83\x8b\x8e\xed\x95\xca\x81\x46" + "*.*\r\n" +
    "\x3b\x92\x8a\x8f\x6f\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46" + " 2 \r\n" + ";#FN,FV,SV,SZ,DTTM\r\n" +
    "\r\n" + "sample1.dll\t4.71.1712.5\t4.71.1712.5\t 2048 \t98/05/11 12:00:00\r\n" +
    "sample2.exe\t\t\t 1024 \t97/12/01 09:05:30\r\n";

FileVersionEntry entry(const std::string& name, std::int64_t size = 1, const char* fixed = "", const char* str = "") {
  return makeEntry(name, fixed, str, size, "98/05/11", "12:00:00");
}

ExtractionResult workedExample() {
  return makeExtraction({makeEntry("sample1.dll", "4.71.1712.5", "4.71.1712.5", 2048, "98/05/11", "12:00:00"),
                         makeEntry("sample2.exe", "", "", 1024, "97/12/01", "09:05:30")});
}

std::string writeToString(const ExtractionResult& r, RecordWriteResult* status = nullptr) {
  std::string bytes;
  const auto result = WriteVersionRecord(r, "PC01", [&](std::string_view b) {
    bytes += b;
    return true;
  });
  if (status) *status = result;
  return bytes;
}

RecordReadResult readFromString(std::string_view bytes) {
  TextLineReader lines(bytes);
  return ReadRecord(lines);
}

// The rows read, as "name fixed/string size date time" joined by "; ".
std::string rows(const RecordReadResult& r) {
  std::string s;
  for (const auto& e : r.Entries)
    s += (s.empty() ? "" : "; ") + e.FullPath + " " + e.FixedVersion + "/" + e.StringVersion + " " +
         std::to_string(e.Size) + " " + e.Date + " " + e.Time;
  return s;
}

// Rows split by layout. Four-column and unrecognised layouts store the second column as
// the string version; date and time are cut or padded to eight characters (characters, not
// bytes); the time takes the rest of the line, tabs included; fields filled before a
// failure stay.
TEST(ParseRecordLine, Rows) {
  constexpr auto five = RecordLayout::FiveColumn;
  constexpr auto four = RecordLayout::FourColumn;
  const struct {
    const char* line;
    RecordLayout layout;
    RowSplit split;
    std::string fixed, string;
    std::int64_t size;
    std::string date, time;
  } cases[] = {
      {"sample1.dll\t4.71.1712.5\t4.00.2424 (Build)\t 2048 \t98/05/11 12:00:00", five, RowSplit::Ok,
       "4.71.1712.5", "4.00.2424 (Build)", 2048, "98/05/11", "12:00:00"},
      {"sample1.dll\t\t\t 1024 \t97/12/01 09:05:30", five, RowSplit::Ok, "", "", 1024, "97/12/01", "09:05:30"},
      {"sample1.dll\t1.2.3.4\t 77 \t98/05/11 12:00:00", four, RowSplit::Ok, "", "1.2.3.4", 77, "98/05/11", "12:00:00"},
      {"sample1.dll\t1.2.3.4\t 77 \t98/05/11 12:00:00", RecordLayout::Unrecognised, RowSplit::Ok, "", "1.2.3.4", 77,
       "98/05/11", "12:00:00"},
      {"sample1.dll\t4.71\t4.71\t 2048 \t98/05/11 12:00:00", four, RowSplit::BadSize, "", "4.71", 0, "", ""},
      {"sample1.dll\t\t\t1\t1998/05/11 12:00:00.5\tx", five, RowSplit::Ok, "", "", 1, "1998/05/", "12:00:00"},
      {"sample1.dll\t\t\t1\t98/5/1 9:5", five, RowSplit::Ok, "", "", 1, "98/5/1  ", "9:5     "},
      {"sample1.dll\t\t\t1\t平成十年五月十一日 x", five, RowSplit::Ok, "", "", 1, "平成十年五月十一", "x       "},
      {"sample1.dll\t\t\t1\td t\tu", five, RowSplit::Ok, "", "", 1, "d       ", "t\tu     "},
      {"sample1.dll", five, RowSplit::MissingTab, "", "", 0, "", ""},
      {"sample1.dll\t1", five, RowSplit::MissingTab, "", "", 0, "", ""},
      {"sample1.dll\t1\t2", five, RowSplit::MissingTab, "1", "", 0, "", ""},
      {"sample1.dll\t1\t2\t 3 ", five, RowSplit::MissingTab, "1", "2", 0, "", ""},
      {"sample1.dll\t1\t2\t 3 \t98/05/11", five, RowSplit::MissingSpace, "1", "2", 3, "", ""},
      {"sample1.dll\t1\t 3 ", four, RowSplit::MissingTab, "", "1", 0, "", ""},
      {"sample1.dll\t1\t 3 \t98/05/11", four, RowSplit::MissingSpace, "", "1", 3, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    FileVersionEntry e;
    ASSERT_EQ(ParseRecordLine(c.line, c.layout, e), c.split);
    if (c.split == RowSplit::Ok || c.split == RowSplit::BadSize) {
      EXPECT_EQ(e.FullPath, "sample1.dll");
      EXPECT_EQ(e.NamePos, 1);
    }
    EXPECT_EQ(std::tuple(e.FixedVersion, e.StringVersion, e.Size, e.Date, e.Time),
              std::tuple(c.fixed, c.string, c.size, c.date, c.time));
  }
}

TEST(RecordWriter, WorkedExampleByteForByteAndAFailingSink) {
  RecordWriteResult status;
  EXPECT_EQ(writeToString(workedExample(), &status), kWorkedExampleBytes);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(status.Encoding, FileTextEncoding::ShiftJis);
  int calls = 0;
  const auto failed = WriteVersionRecord(workedExample(), "PC01", [&](std::string_view) {
    ++calls;
    return false;
  });
  EXPECT_EQ(failed.Error, RecordWriteError::WriteFailed);
  EXPECT_EQ(calls, 1);
  EXPECT_STREQ(recordWriteMessage(failed), "ファイル出力でエラーが発生しました");
}

// Written and read back: rows in display order (storage order when the order is no
// permutation), text Shift_JIS cannot hold as UTF-8 with a byte-order mark, never '?',
// TAB and line breaks in versions as blanks so the columns stay, every field kept.
TEST(RecordWriter, RoundTrips) {
  const struct {
    std::vector<FileVersionEntry> entries;
    std::vector<std::int32_t> order;
    FileTextEncoding encoding;
    const char* rows;
    const char* bytes;  // found in the file, when set
  } cases[] = {
      {{entry("b.dll", 1), entry("a.dll", 2)}, {1, 0}, FileTextEncoding::ShiftJis,
       "a.dll / 2 98/05/11 12:00:00; b.dll / 1 98/05/11 12:00:00", nullptr},
      {{entry("b.dll", 1), entry("a.dll", 2)}, {1, 1}, FileTextEncoding::ShiftJis,
       "b.dll / 1 98/05/11 12:00:00; a.dll / 2 98/05/11 12:00:00", nullptr},
      {{entry("naïve€ü.dll", 5, "1.0", "Ελληνικά")}, {}, FileTextEncoding::Utf8WithBom,
       "naïve€ü.dll 1.0/Ελληνικά 5 98/05/11 12:00:00", nullptr},
      {{entry("日本語ﾌｧｲﾙ.dll", 5, "1.0", "1.0")}, {}, FileTextEncoding::ShiftJis,
       "日本語ﾌｧｲﾙ.dll 1.0/1.0 5 98/05/11 12:00:00", "\x93\xfa\x96\x7b\x8c\xea\xcc\xa7\xb2\xd9.dll\t"},
      {{entry("a.dll", 5, "1\t2", "x\r\ny")}, {}, FileTextEncoding::ShiftJis, "a.dll 1 2/x  y 5 98/05/11 12:00:00",
       nullptr},
      {{makeEntry("big.dll", "10.0.19041.1", "10.0.19041.1 (WinBuild.160101.0800)", 5000000000LL, "21/01/02",
                  "23:59:59"),
        makeEntry("empty.ocx", "", "", 0, "00/01/01", "00:00:00")},
       {}, FileTextEncoding::ShiftJis,
       "big.dll 10.0.19041.1/10.0.19041.1 (WinBuild.160101.0800) 5000000000 21/01/02 23:59:59; "
       "empty.ocx / 0 00/01/01 00:00:00", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    RecordWriteResult status;
    const std::string bytes = writeToString(makeExtraction(c.entries, c.order), &status);
    EXPECT_EQ(status.Encoding, c.encoding);
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0) == 0, c.encoding == FileTextEncoding::Utf8WithBom);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    if (c.bytes) {
      EXPECT_NE(bytes.find(c.bytes), std::string::npos);
    }
    const auto read = readFromString(bytes);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(rows(read), c.rows);
  }
}

// Line ends, layouts and the ways reading stops. The lines (when not 0) are those of the
// failing row or line.
TEST(RecordReader, Cases) {
  const std::string five = ";#FN,FV,SV,SZ,DTTM", row = "a\t1\t1\t 1 \t98/05/11 12:00:00";
  const std::string resultFile = *sjis::encode(";ファイルバージョン情報比較結果ファイル\r\n;追加ファイル 総数： 0\r\n").bytes;
  constexpr auto ok = RecordReadError::None, notARecord = RecordReadError::NotARecord,
                 failed = RecordReadError::RowFailedToSplit;
  const char* twoRows = "a 1/1 1 98/05/11 12:00:00; b 1/1 1 98/05/11 12:00:00";
  const struct {
    std::string text;
    RecordReadError error;
    std::int64_t line;
    RowSplit split;
    const char* rows;
  } cases[] = {
      {five + "\r\n" + row + "\r\nb" + row.substr(1), ok, 0, RowSplit::Ok, twoRows},
      {five + "\r" + row + "\rb" + row.substr(1), ok, 0, RowSplit::Ok, twoRows},
      {five + "\n" + row + "\nb" + row.substr(1), ok, 0, RowSplit::Ok, twoRows},
      // A header with a trailing blank leaves the file in the four-column reading.
      {five + " \r\na\t1.0\t 5 \t98/05/11 12:00:00\r\n", ok, 0, RowSplit::Ok, "a /1.0 5 98/05/11 12:00:00"},
      {";#FN,FV,SZ,DTTM\r\na\tS\t 1 \t98/05/11 12:00:00\r\n" + five + "\r\nb\tF\tS\t 2 \t98/05/11 12:00:00\r\n", ok, 0,
       RowSplit::Ok, "a /S 1 98/05/11 12:00:00; b F/S 2 98/05/11 12:00:00"},
      // Read after a five-column file: every file starts in the unrecognised layout.
      {"a\tS\t 1 \t98/05/11 12:00:00\r\n", ok, 0, RowSplit::Ok, "a /S 1 98/05/11 12:00:00"},
      {five + "\r\nok\t\t\t 1 \t98/05/11 12:00:00\r\n\r\n;x\ty\r\n", failed, 4, RowSplit::MissingTab,
       "ok / 1 98/05/11 12:00:00"},
      {"a\x81\t\t\t 1 \t98/05/11 12:00:00\r\n", failed, 1, RowSplit::BadText, ""},
      {";\x81\x7f\xff\r\na\t\t 1 \t98/05/11 12:00:00\r\n", ok, 0, RowSplit::Ok, "a / 1 98/05/11 12:00:00"},
      {"a\t\t 1 \t98/05/11 12:00:00\r\n" + std::string(TextLineReader::kMaxLineBytes + 10, 'x'),
       RecordReadError::LineTooLong, 2, RowSplit::Ok, "a / 1 98/05/11 12:00:00"},
      // Read as an empty record, any of these would show every file of the other side as
      // added; a header alone is an empty record, and so is nothing but rows.
      {"", notARecord, 0, RowSplit::Ok, ""},
      {std::string(kUtf8Bom), notARecord, 0, RowSplit::Ok, ""},
      {std::string("\x89PNG\r\n\x1a\n\0\xff", 10), notARecord, 0, RowSplit::Ok, ""},
      {resultFile, notARecord, 0, RowSplit::Ok, ""},
      {";#FN,FV\r\n", notARecord, 0, RowSplit::Ok, ""},
      {";#FN,FV,SZ,DTTM\r\n", ok, 0, RowSplit::Ok, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    const auto read = readFromString(c.text);
    EXPECT_EQ(read.Error, c.error);
    if (c.line) {
      EXPECT_EQ(read.Line, c.line);
    }
    EXPECT_EQ(read.SplitError, c.split);
    EXPECT_EQ(rows(read), c.rows);
  }
}

TEST(RecordFile, WritesAndReadsThroughTheFileSystem) {
  TempFolder dir;
  const std::string path = dir.at("record.txt");
  ASSERT_TRUE(OutputVersionRecord(workedExample(), path).ok());
  // Only the computer name differs from the worked example.
  const std::string bytes = readText(path);
  EXPECT_EQ(bytes.substr(0, 30), kWorkedExampleBytes.substr(0, 30));
  EXPECT_NE(bytes.find(kComputerSjis + ComputerName() + "\r\n"), std::string::npos);
  EXPECT_EQ(ReadRecordFile(path).Entries.size(), 2u);
  EXPECT_EQ(dir.count(), 1u);  // no temporary file left behind

  // Larger than one block of the reader, with CR LF across blocks; written over the first.
  std::vector<FileVersionEntry> entries;
  for (int i = 0; i < 40000; ++i)
    entries.push_back(entry("file" + std::to_string(i) + ".dll", i, ("1.0.0." + std::to_string(i)).c_str(), "1.0"));
  ASSERT_TRUE(OutputVersionRecord(makeExtraction(entries), path).ok());
  const auto read = ReadRecordFile(path);
  ASSERT_EQ(read.Entries.size(), 40000u);
  EXPECT_EQ(read.Entries[39999].FullPath, "file39999.dll");
  EXPECT_EQ(read.Entries[12345].FixedVersion, "1.0.0.12345");
}

// Every refused write leaves the previous file as it was and no other file behind. A TAB
// or line break in a name, the folder or the kind would leave a file that no comparison
// reads back as written.
TEST(RecordFile, RefusedWritesKeepThePreviousFile) {
  TempFolder dir;
  EXPECT_EQ(OutputVersionRecord(workedExample(), "").Error, RecordWriteError::NoDestination);
  const auto missing = OutputVersionRecord(workedExample(), dir.at("no/such/folder/r.txt"));
  EXPECT_EQ(missing.Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(missing.FileError, fileError::kBadName);
  EXPECT_STREQ(recordWriteMessage(missing), "ファイル名が間違っています");
  EXPECT_EQ(OutputVersionRecord(workedExample(), dir.str()).Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(ReadRecordFile(dir.at("absent.txt")).Error, RecordReadError::CannotOpen);
  EXPECT_EQ(ReadRecordFile("").Error, RecordReadError::CannotOpen);

  const std::string path = dir.write("old.txt", "old contents");
  for (const std::string bad : {"a\tb.dll", "a\xff.dll", "C:\\A\tB", "*.DLL\r\n*.EXE"}) {
    SCOPED_TRACE(bad);
    auto r = makeExtraction({entry(bad.find(".dll") != std::string::npos ? bad : "a.dll")});
    if (bad[0] == 'C') r.RunFolder = bad;
    if (bad[0] == '*') r.RunKind = bad;
    const auto result = OutputVersionRecord(r, path);
    EXPECT_EQ(result.Error, RecordWriteError::NameNotWritable);
    EXPECT_EQ(result.BadName, bad);
    EXPECT_EQ(readText(path), "old contents");
    EXPECT_EQ(dir.count(), 1u);
  }
  fs::permissions(path, fs::perms::owner_read);
  const auto readOnly = OutputVersionRecord(workedExample(), path);
  EXPECT_EQ(readOnly.Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(readOnly.FileError, fileError::kReadOnly);
  EXPECT_STREQ(recordWriteMessage(readOnly), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_EQ(readText(path), "old contents");
  EXPECT_EQ(dir.count(), 1u);
}

ResultFileHeader header() { return {"98/06/15", "10:23:45", "PC01", "C:\\old record.txt", "C:\\new.txt"}; }

// First record: sample1.dll (updated), gone.dll (deleted), same.dll (unchanged), of 3 rows.
// Second side: new.dll (added), sample1.dll, same.dll, of 3 rows.
ComparisonResult example() {
  ComparisonResult r;
  r.FirstRecord = {entry("sample1.dll", 1024, "4.71.1712.5", "a"), entry("gone.dll", 1, "1", "1"),
                   entry("same.dll", 1, "1", "1")};
  r.Added = {entry("new file.dll", 1, "1", "1")};
  r.Updated = {{makeEntry("sample1.dll", "4.71.1712.6", "b", 2048, "98/06/01", "12:00:00"), 0}};
  r.Deleted = {1};
  r.Unchanged = {2};
  r.SecondCount = 3;
  return r;
}

TEST(CompareResultFile, WholeFileByteForByte) {
  const std::string expected =
      kTitle + "\r\n" + kCreatedSjis + "98/06/15 10:23:45\r\n" + kComputerSjis + "PC01\r\n" + kTarget1 +
      "C:\\old record.txt\r\n" + kTotal1 + " 3\r\n" + kTarget2 + "C:\\new.txt\r\n" + kTotal2 + "3\r\n\r\n" +
      kAdded + " 1\r\nnew file.dll\r\n\r\n" + kUpdated + " 1\r\n" + "sample1.dll\t4.71.1712.6\t2048\t98/06/01\t12:00:00\r\n" +
      "\t\t4.71.1712.5\t1024\t98/05/11\t12:00:00\r\n\r\n" + kDeleted + " 1\r\ngone.dll\r\n\r\n" + kUnchanged +
      " 1\r\nsame.dll\r\n";
  EXPECT_EQ(FormatCompareResult(example(), header()), expected);
  TempFolder dir;
  const auto status = OutputCompareResult(example(), header(), dir.at("result.txt"));
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(status.Encoding, FileTextEncoding::ShiftJis);
  EXPECT_EQ(readText(dir.at("result.txt")), expected);
  EXPECT_EQ(dir.count(), 1u);
}

TEST(CompareResultFile, TextShiftJisCannotHoldMakesAUtf8File) {
  ComparisonResult r = example();
  r.Added[0].FullPath = "€uro.dll";
  TempFolder dir;
  const auto status = OutputCompareResult(r, header(), dir.at("u.txt"));
  ASSERT_TRUE(status.ok());
  EXPECT_EQ(status.Encoding, FileTextEncoding::Utf8WithBom);
  const std::string bytes = readText(dir.at("u.txt"));
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(bytes.find("€uro.dll\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(";追加ファイル 総数： 1\r\n"), std::string::npos);
  EXPECT_EQ(FormatCompareResult(r, header()), bytes);
}

TEST(CompareResultFile, OpenFailuresPickTheirMessages) {
  TempFolder dir;
  EXPECT_EQ(OutputCompareResult(example(), header(), "").Error, ResultWriteError::NoDestination);
  const auto missing = OutputCompareResult(example(), header(), dir.at("none/r.txt"));
  EXPECT_EQ(missing.Error, ResultWriteError::CannotOpen);
  EXPECT_EQ(missing.FileError, fileError::kBadName);
  EXPECT_STREQ(resultWriteMessage(missing), "ファイル名が間違っています");
  const std::string readOnly = dir.at("ro.txt");
  writeFile(readOnly, "keep");
  fs::permissions(readOnly, fs::perms::owner_read);
  const auto ro = OutputCompareResult(example(), header(), readOnly);
  EXPECT_EQ(ro.FileError, fileError::kReadOnly);
  EXPECT_STREQ(resultWriteMessage(ro), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_EQ(readText(readOnly), "keep");
}

}  // namespace
}  // namespace quorvane
