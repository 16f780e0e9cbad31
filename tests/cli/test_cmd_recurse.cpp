#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/pe_image_builder.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::runCli;
using testsupport::simpleVersionInfo;
using testsupport::TempFolder;

// The data rows of a record (everything after the empty line that ends the header),
// without their date column, which holds the files' own times.
std::vector<std::string> rowsWithoutDates(const std::string& record) {
  std::vector<std::string> rows;
  const std::size_t body = record.find("\r\n\r\n");
  if (body == std::string::npos) return rows;
  for (std::size_t at = body + 4; at < record.size();) {
    const std::size_t end = record.find("\r\n", at);
    const std::string row = record.substr(at, end - at);
    rows.push_back(row.substr(0, row.rfind('\t')));
    at = end == std::string::npos ? record.size() : end + 2;
  }
  return rows;
}

TEST(RecurseOption, ExtractNamesSubfolderFilesAndCompareMatchesByThatName) {
  TempFolder dir("cli-recurse");
  std::filesystem::create_directories(dir.path() / "tree" / "Sub");
  dir.write("tree/A.DLL", buildImage(ImageFormat::Pe32, simpleVersionInfo({1, 0, 0, 0}, "1.0")).bytes);
  dir.write("tree/Sub/B.DLL", buildImage(ImageFormat::Pe32, simpleVersionInfo({2, 0, 0, 0}, "2.0")).bytes);

  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {{"extract", "tree"}, {"a.dll\t1.0.0.0\t1.0\t 3072 "}},
      {{"extract", "tree", "--recurse"}, {"a.dll\t1.0.0.0\t1.0\t 3072 ", "sub\\b.dll\t2.0.0.0\t2.0\t 3072 "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size());
    const auto run = runCli(dir.path(), c.args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(rowsWithoutDates(run.out), c.rows);
  }

  // The record of a recursive run compares with a fresh recursive extraction file by file.
  ASSERT_EQ(runCli(dir.path(), {"extract", "tree", "--recurse", "-o", "before.txt"}).status, 0);
  const auto same = runCli(dir.path(), {"compare", "before.txt", "--extract", "tree", "--recurse", "--format", "csv"});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_NE(same.out.find("unchanged,sub\\b.dll,"), std::string::npos) << same.out;
  EXPECT_EQ(same.out.find("added"), std::string::npos) << same.out;
  EXPECT_EQ(runCli(dir.path(), {"compare", "before.txt", "--recurse"}).status, 2);
}

}  // namespace
}  // namespace quorvane
