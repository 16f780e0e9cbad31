#include <gtest/gtest.h>

#include <filesystem>

#include "common/sjis.h"
#include "compare/compare_result_file.h"
#include "support/entry_builder.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "dialogs/file_error.h"

namespace quorvane {
namespace {

using testsupport::makeEntry;
using testsupport::readText;
using testsupport::TempFolder;
using testsupport::writeFile;

// The Shift_JIS bytes of the fixed lines, spelled out so the test does not trust the
// encoder it checks.
const std::string kTitle =
    "\x3b\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1\x94\xe4"
    "\x8a\x72\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b";
const std::string kCreated = "\x3b\x8d\xec\x90\xac\x93\xfa\x8e\x9e\x81\x46";
const std::string kComputer = "\x3b\x8e\xc0\x8d\x73\x50\x43\x20\x96\xbc\x81\x46";
const std::string kTarget1 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x31\x81\x46";
const std::string kTotal1 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x31\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x91\x8d\x90\x94\x81\x46";
const std::string kTarget2 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x32\x81\x46";
const std::string kTotal2 = "\x3b\x94\xe4\x8a\x72\x91\xce\x8f\xdb\x32\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x91\x8d\x90\x94\x81\x46";
const std::string kAdded = "\x3b\x92\xc7\x89\xc1\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kUpdated = "\x3b\x8d\x58\x90\x56\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kDeleted = "\x3b\x8d\xed\x8f\x9c\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";
const std::string kUnchanged = "\x3b\x96\xb3\x95\xcf\x89\xbb\x83\x74\x83\x40\x83\x43\x83\x8b\x20\x91\x8d\x90\x94\x81\x46";

ResultFileHeader header() {
  ResultFileHeader h;
  h.CreatedDate = "98/06/15";
  h.CreatedTime = "10:23:45";
  h.ComputerName = "PC01";
  h.Target1 = "C:\\old record.txt";
  h.Target2 = "C:\\new.txt";
  return h;
}

// First record: sample1.dll (updated), gone.dll (deleted), same.dll (unchanged), of 3 rows.
// Second side: new.dll (added), sample1.dll, same.dll, of 3 rows.
ComparisonResult example() {
  ComparisonResult r;
  r.FirstRecord = {makeEntry("sample1.dll", "4.71.1712.5", "a", 1024, "98/05/11", "12:00:00"),
                   makeEntry("gone.dll", "1", "1", 1, "98/05/11", "12:00:00"),
                   makeEntry("same.dll", "1", "1", 1, "98/05/11", "12:00:00")};
  r.Added = {makeEntry("new file.dll", "1", "1", 1, "98/05/11", "12:00:00")};
  r.Updated = {{makeEntry("sample1.dll", "4.71.1712.6", "b", 2048, "98/06/01", "12:00:00"), 0}};
  r.Deleted = {1};
  r.Unchanged = {2};
  r.SecondCount = 3;
  return r;
}

std::string headerBytes(const std::string& target2, const std::string& total2) {
  return kTitle + "\r\n" + kCreated + "98/06/15 10:23:45\r\n" + kComputer + "PC01\r\n" + kTarget1 +
         "C:\\old record.txt\r\n" + kTotal1 + " 3\r\n" + kTarget2 + target2 + "\r\n" + kTotal2 + total2 +
         "\r\n\r\n";
}

TEST(CompareResultFile, WholeFileByteForByte) {
  const std::string expected =
      headerBytes("C:\\new.txt", "3") + kAdded + " 1\r\nnew file.dll\r\n\r\n" + kUpdated + " 1\r\n" +
      "sample1.dll\t4.71.1712.6\t2048\t98/06/01\t12:00:00\r\n" + "\t\t4.71.1712.5\t1024\t98/05/11\t12:00:00\r\n" +
      "\r\n" + kDeleted + " 1\r\ngone.dll\r\n\r\n" + kUnchanged + " 1\r\nsame.dll\r\n";
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
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  const auto ro = OutputCompareResult(example(), header(), readOnly);
  EXPECT_EQ(ro.FileError, fileError::kReadOnly);
  EXPECT_STREQ(resultWriteMessage(ro), "指定されたファイルは書き込み保護属性になっています");
  EXPECT_EQ(readText(readOnly), "keep");
}

}  // namespace
}  // namespace quorvane
