#include <gtest/gtest.h>

#include <filesystem>

#include "common/sjis.h"
#include "compare/computer_name.h"
#include "compare/record_reader.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "compare/record_writer.h"
#include "dialogs/file_error.h"

namespace quorvane {
namespace {

using testsupport::makeEntry;
using testsupport::makeExtraction;
using testsupport::readText;
using testsupport::TempFolder;
using testsupport::writeFile;

// The Shift_JIS bytes of the comment prefixes, spelled out so the test does not trust
// the encoder it checks.
const std::string kCreatedSjis = "\x3b\x8d\xec\x90\xac\x93\xfa\x8e\x9e\x81\x46";
const std::string kComputerSjis = "\x3b\x8e\xc0\x8d\x73\x50\x43\x20\x96\xbc\x81\x46";
const std::string kFolderSjis = "\x3b\x92\x8a\x8f\x6f\x90\xe6\x81\x46";
const std::string kKindSjis =
    "\x3b\x92\x8a\x8f\x6f\x83\x74\x83\x40\x83\x43\x83\x8b\x8e\xed\x95\xca\x81\x46";
const std::string kCountSjis =
    "\x3b\x92\x8a\x8f\x6f\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46";

ExtractionResult workedExample() {
  return makeExtraction({makeEntry("sample1.dll", "4.71.1712.5", "4.71.1712.5", 2048, "98/05/11", "12:00:00"),
                         makeEntry("sample2.exe", "", "", 1024, "97/12/01", "09:05:30")});
}

const std::string kWorkedExampleBytes =
    kCreatedSjis + "98/06/15 10:23:45\r\n" + kComputerSjis + "PC01\r\n" + kFolderSjis + "C:\\TEST\r\n" +
    kKindSjis + "*.*\r\n" + kCountSjis + " 2 \r\n" + ";#FN,FV,SV,SZ,DTTM\r\n" + "\r\n" +
    "sample1.dll\t4.71.1712.5\t4.71.1712.5\t 2048 \t98/05/11 12:00:00\r\n" +
    "sample2.exe\t\t\t 1024 \t97/12/01 09:05:30\r\n";

std::string writeToString(const ExtractionResult& r, RecordWriteResult* status = nullptr) {
  std::string bytes;
  auto result = WriteVersionRecord(r, "PC01", [&](std::string_view b) {
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

TEST(RecordWriter, WorkedExampleByteForByte) {
  RecordWriteResult status;
  EXPECT_EQ(writeToString(workedExample(), &status), kWorkedExampleBytes);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(status.Encoding, FileTextEncoding::ShiftJis);
}

TEST(RecordWriter, AFailingSinkIsAWriteFailure) {
  int calls = 0;
  const auto result = WriteVersionRecord(workedExample(), "PC01", [&](std::string_view) {
    ++calls;
    return false;
  });
  EXPECT_EQ(result.Error, RecordWriteError::WriteFailed);
  EXPECT_EQ(calls, 1);
  EXPECT_STREQ(recordWriteMessage(result), "ファイル出力でエラーが発生しました");
}

TEST(RecordWriter, RowsFollowTheDisplayOrder) {
  auto r = makeExtraction({makeEntry("b.dll", "", "", 1, "98/05/11", "12:00:00"),
                           makeEntry("a.dll", "", "", 2, "98/05/11", "12:00:00")},
                          {1, 0});
  const auto read = readFromString(writeToString(r));
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(read.Entries[0].FullPath, "a.dll");
  EXPECT_EQ(read.Entries[1].FullPath, "b.dll");
}

TEST(RecordWriter, AnOrderThatIsNotAPermutationFallsBackToStorageOrder) {
  auto r = makeExtraction({makeEntry("b.dll", "", "", 1, "98/05/11", "12:00:00"),
                           makeEntry("a.dll", "", "", 2, "98/05/11", "12:00:00")},
                          {1, 1});
  const auto read = readFromString(writeToString(r));
  ASSERT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(read.Entries[0].FullPath, "b.dll");
  EXPECT_EQ(read.Entries[1].FullPath, "a.dll");
}

TEST(RecordWriter, TextShiftJisCannotHoldIsWrittenAsUtf8WithBom) {
  auto r = makeExtraction({makeEntry("naïve€ü.dll", "1.0", "Ελληνικά", 5, "98/05/11", "12:00:00")});
  RecordWriteResult status;
  const std::string bytes = writeToString(r, &status);
  EXPECT_EQ(status.Encoding, FileTextEncoding::Utf8WithBom);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.find('?'), std::string::npos);
  const auto read = readFromString(bytes);
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 1u);
  EXPECT_EQ(read.Entries[0].FullPath, "naïve€ü.dll");
  EXPECT_EQ(read.Entries[0].StringVersion, "Ελληνικά");
}

TEST(RecordWriter, JapaneseNamesStayShiftJis) {
  auto r = makeExtraction({makeEntry("日本語ﾌｧｲﾙ.dll", "1.0", "1.0", 5, "98/05/11", "12:00:00")});
  RecordWriteResult status;
  const std::string bytes = writeToString(r, &status);
  EXPECT_EQ(status.Encoding, FileTextEncoding::ShiftJis);
  EXPECT_NE(bytes.find("\x93\xfa\x96\x7b\x8c\xea\xcc\xa7\xb2\xd9.dll\t"), std::string::npos);
  EXPECT_EQ(readFromString(bytes).Entries.at(0).FullPath, "日本語ﾌｧｲﾙ.dll");
}

TEST(RecordWriter, VersionTextsWithTabsOrLineBreaksKeepTheColumns) {
  auto r = makeExtraction({makeEntry("a.dll", "1\t2", "x\r\ny", 5, "98/05/11", "12:00:00")});
  const auto read = readFromString(writeToString(r));
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 1u);
  EXPECT_EQ(read.Entries[0].FixedVersion, "1 2");
  EXPECT_EQ(read.Entries[0].StringVersion, "x  y");
  EXPECT_EQ(read.Entries[0].Size, 5);
}

TEST(RecordWriter, RoundTripKeepsEveryField) {
  auto r = makeExtraction({makeEntry("big.dll", "10.0.19041.1", "10.0.19041.1 (WinBuild.160101.0800)",
                                     5000000000LL, "21/01/02", "23:59:59"),
                           makeEntry("empty.ocx", "", "", 0, "00/01/01", "00:00:00")});
  const auto read = readFromString(writeToString(r));
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(read.Entries[i].FullPath, r.DisplayNames[i]);
    EXPECT_EQ(read.Entries[i].FixedVersion, r.Entries[i].FixedVersion);
    EXPECT_EQ(read.Entries[i].StringVersion, r.Entries[i].StringVersion);
    EXPECT_EQ(read.Entries[i].Size, r.Entries[i].Size);
    EXPECT_EQ(read.Entries[i].Date, r.Entries[i].Date);
    EXPECT_EQ(read.Entries[i].Time, r.Entries[i].Time);
  }
}

TEST(RecordReader, AcceptsCrLfLoneCrAndLoneLf) {
  const std::string rows = "a\t1\t1\t 1 \t98/05/11 12:00:00";
  for (std::string end : {"\r\n", "\r", "\n"}) {
    const auto read = readFromString(";#FN,FV,SV,SZ,DTTM" + end + rows + end + "b" + rows.substr(1));
    ASSERT_TRUE(read.ok()) << "line end " << end.size();
    ASSERT_EQ(read.Entries.size(), 2u);
    EXPECT_EQ(read.Entries[1].FullPath, "b");
    EXPECT_EQ(read.Entries[1].Time, "12:00:00");
  }
}

TEST(RecordReader, HeaderWithTrailingSpaceLeavesTheFourColumnReading) {
  const auto read = readFromString(";#FN,FV,SV,SZ,DTTM \r\na\t1.0\t 5 \t98/05/11 12:00:00\r\n");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.Entries.at(0).StringVersion, "1.0");
  EXPECT_EQ(read.Entries.at(0).FixedVersion, "");
}

TEST(RecordReader, LayoutChangesAtEveryHeaderLine) {
  const auto read = readFromString(
      ";#FN,FV,SZ,DTTM\r\na\tS\t 1 \t98/05/11 12:00:00\r\n"
      ";#FN,FV,SV,SZ,DTTM\r\nb\tF\tS\t 2 \t98/05/11 12:00:00\r\n");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.Entries.at(0).FixedVersion, "");
  EXPECT_EQ(read.Entries.at(1).FixedVersion, "F");
}

TEST(RecordReader, EveryFileStartsInTheUnrecognisedLayout) {
  // A five-column file read first must not change how a headerless file is read.
  ASSERT_TRUE(readFromString(";#FN,FV,SV,SZ,DTTM\r\n").ok());
  const auto read = readFromString("a\tS\t 1 \t98/05/11 12:00:00\r\n");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.Entries.at(0).StringVersion, "S");
}

TEST(RecordReader, StopsAtTheFirstRowThatDoesNotSplit) {
  const auto read = readFromString(";#FN,FV,SV,SZ,DTTM\r\nok\t\t\t 1 \t98/05/11 12:00:00\r\n\r\n;x\ty\r\n");
  EXPECT_EQ(read.Error, RecordReadError::RowFailedToSplit);
  EXPECT_EQ(read.Line, 4);
  EXPECT_EQ(read.SplitError, recordFormat::RowSplit::MissingTab);
  EXPECT_EQ(read.Entries.size(), 1u);
}

TEST(RecordReader, InvalidShiftJisRowIsARowThatDoesNotSplit) {
  const auto read = readFromString("a\x81\t\t\t 1 \t98/05/11 12:00:00\r\n");
  EXPECT_EQ(read.Error, RecordReadError::RowFailedToSplit);
  EXPECT_EQ(read.SplitError, recordFormat::RowSplit::BadText);
}

TEST(RecordReader, InvalidBytesInCommentsAreIgnored) {
  const auto read = readFromString(";\x81\x7f\xff\r\na\t\t 1 \t98/05/11 12:00:00\r\n");
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.Entries.size(), 1u);
}

// Read as an empty record, any of these would show every file of the other side as added.
TEST(RecordReader, AFileWithoutRecordHeaderOrOneRowThatSplitsIsNoRecord) {
  const std::string resultFile = ";ファイルバージョン情報比較結果ファイル\r\n;追加ファイル 総数： 0\r\n";
  for (const std::string& text : {std::string(), std::string(kUtf8Bom), std::string("\x89PNG\r\n\x1a\n\0\xff"),
                                 *sjis::encode(resultFile).bytes, std::string(";#FN,FV\r\n")}) {
    const auto read = readFromString(text);
    EXPECT_EQ(read.Error, RecordReadError::NotARecord) << text;
    EXPECT_TRUE(read.Entries.empty());
  }
  // A header alone is an empty record, and so is nothing but rows.
  EXPECT_TRUE(readFromString(";#FN,FV,SZ,DTTM\r\n").ok());
  EXPECT_TRUE(readFromString("a\t\t 1 \t98/05/11 12:00:00").ok());
}

TEST(RecordReader, OverlongLineIsAnErrorNotAnAllocation) {
  std::string huge(TextLineReader::kMaxLineBytes + 10, 'x');
  const auto read = readFromString("a\t\t 1 \t98/05/11 12:00:00\r\n" + huge);
  EXPECT_EQ(read.Error, RecordReadError::LineTooLong);
  EXPECT_EQ(read.Line, 2);
}

TEST(RecordFile, WritesAndReadsThroughTheFileSystem) {
  TempFolder dir;
  const std::string path = dir.at("record.txt");
  ASSERT_TRUE(OutputVersionRecord(workedExample(), path).ok());
  const std::string bytes = readText(path);
  // Only the computer name differs from the worked example.
  EXPECT_EQ(bytes.substr(0, 30), kWorkedExampleBytes.substr(0, 30));
  EXPECT_NE(bytes.find(kComputerSjis + ComputerName() + "\r\n"), std::string::npos);
  const auto read = ReadRecordFile(path);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(dir.count(), 1u);  // no temporary file left behind
}

TEST(RecordFile, ReadsAFileLargerThanOneBlockWithCrLfAcrossBlocks) {
  TempFolder dir;
  std::vector<FileVersionEntry> entries;
  for (int i = 0; i < 40000; ++i)
    entries.push_back(makeEntry("file" + std::to_string(i) + ".dll", "1.0.0." + std::to_string(i), "1.0",
                                i, "98/05/11", "12:00:00"));
  ASSERT_TRUE(OutputVersionRecord(makeExtraction(entries), dir.at("big.txt")).ok());
  const auto read = ReadRecordFile(dir.at("big.txt"));
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read.Entries.size(), 40000u);
  EXPECT_EQ(read.Entries[39999].FullPath, "file39999.dll");
  EXPECT_EQ(read.Entries[12345].FixedVersion, "1.0.0.12345");
}

TEST(RecordFile, ErrorsAreClassified) {
  TempFolder dir;
  EXPECT_EQ(OutputVersionRecord(workedExample(), "").Error, RecordWriteError::NoDestination);
  const auto missing = OutputVersionRecord(workedExample(), dir.at("no/such/folder/r.txt"));
  EXPECT_EQ(missing.Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(missing.FileError, fileError::kBadName);
  EXPECT_STREQ(recordWriteMessage(missing), "ファイル名が間違っています");
  const auto folder = OutputVersionRecord(workedExample(), dir.path().string());
  EXPECT_EQ(folder.Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(ReadRecordFile(dir.at("absent.txt")).Error, RecordReadError::CannotOpen);
  EXPECT_EQ(ReadRecordFile("").Error, RecordReadError::CannotOpen);
}

TEST(RecordFile, ReadOnlyDestinationIsRefusedAndKept) {
  TempFolder dir;
  const std::string path = dir.at("old.txt");
  writeFile(path, "old contents");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  const auto result = OutputVersionRecord(workedExample(), path);
  EXPECT_EQ(result.Error, RecordWriteError::CannotOpen);
  EXPECT_EQ(result.FileError, fileError::kReadOnly);
  EXPECT_STREQ(recordWriteMessage(result), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_EQ(readText(path), "old contents");
  EXPECT_EQ(dir.count(), 1u);
}

// A TAB or line break in a name, the folder or the kind would leave a file that no
// comparison reads back as written.
TEST(RecordFile, TextsTheFileCannotCarryAreRefusedAndThePreviousFileStays) {
  TempFolder dir;
  const std::string path = dir.at("old.txt");
  writeFile(path, "old contents");
  const std::string name = "a\tb.dll", badUtf8 = "a\xff.dll", folder = "C:\\A\tB", kind = "*.DLL\r\n*.EXE";
  for (const std::string* bad : {&name, &badUtf8, &folder, &kind}) {
    auto r = makeExtraction({makeEntry(bad == &name || bad == &badUtf8 ? *bad : "a.dll", "", "", 1, "98/05/11", "12:00:00")});
    if (bad == &folder) r.RunFolder = folder;
    if (bad == &kind) r.RunKind = kind;
    const auto result = OutputVersionRecord(r, path);
    EXPECT_EQ(result.Error, RecordWriteError::NameNotWritable) << *bad;
    EXPECT_EQ(result.BadName, *bad);
    EXPECT_EQ(readText(path), "old contents");
    EXPECT_EQ(dir.count(), 1u);
  }
}

TEST(RecordFile, ReplacesAnExistingFileAndKeepsItsPermissions) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows files have no group or other permissions to keep";
#endif
  TempFolder dir;
  const std::string path = dir.at("old.txt");
  writeFile(path, "old contents that are longer than the new record would be, surely not");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  ASSERT_TRUE(OutputVersionRecord(workedExample(), path).ok());
  EXPECT_EQ(readText(path).substr(0, kCreatedSjis.size()), kCreatedSjis);
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace quorvane
