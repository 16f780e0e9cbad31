#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/pe_image_builder.h"
#include "support/szdd_writer.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testsupport::buildImage;
using testsupport::ImageFormat;
using testsupport::readText;

// Runs the built quorvane-cli in `folder` with the blank-separated `args`; single quotes
// only keep a pattern together, as in the shell.
testsupport::CliRun cli(const std::string& folder, const std::string& args,
                        testsupport::CliOutput output = testsupport::CliOutput::Captured) {
  std::vector<std::string> words;
  std::istringstream in(args);
  for (std::string w; in >> w;) words.push_back(w.size() > 1 && w.front() == '\'' ? w.substr(1, w.size() - 2) : w);
  return testsupport::runCli(folder, words, output);
}

std::string sjis(const std::string& utf8) { return *sjis::encode(utf8).bytes; }

std::vector<std::uint8_t> image(ImageFormat format, std::array<std::uint16_t, 4> version, const std::string& text) {
  return buildImage(format, testsupport::simpleVersionInfo(version, text)).bytes;
}

class RecordCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(folder + "/dlls");
    dir.write("dlls/B.DLL", image(ImageFormat::Pe32, {2, 0, 0, 1}, "2.0 (beta)"));
    dir.write("dlls/a.dll", image(ImageFormat::Pe32Plus, {1, 0, 0, 0}, "1.0"));
    dir.write("dlls/x.ocx", std::vector<std::uint8_t>(300, 'x'));
    dir.write("dlls/readme.txt", std::vector<std::uint8_t>(10, 'r'));
    // 2001-02-03 04:05:06 UTC for every file, so the dates are known.
    const auto when = fs::file_time_type::clock::from_sys(std::chrono::sys_seconds{std::chrono::seconds{981173106}});
    for (const auto& e : fs::directory_iterator(folder + "/dlls")) fs::last_write_time(e.path(), when);
    ASSERT_EQ(cli(folder, "extract dlls -o old.txt").status, 0);  // the record of the folder as it is
  }

  testsupport::TempFolder dir{"records_cli"};
  std::string folder = dir.str();
};

// The result file's layout is the comparison's own (compare tests); here each option once.
TEST_F(RecordCommands, CompareWithTheExtractionAndWithAnotherRecord) {
  const testsupport::CliRun same = cli(folder, "compare old.txt --extract dlls");
  ASSERT_EQ(same.status, 0);
  EXPECT_NE(same.out.find(sjis(";比較対象2：") + "dlls\r\n" + sjis(";比較対象2のファイル総数：") + "3\r\n"),
            std::string::npos);
  EXPECT_NE(same.err.find("追加 0, 更新 0, 削除 0, 無変化 3"), std::string::npos);

  // A new version of a.dll, x.ocx gone, a new c.tlb; b.dll with another string version.
  dir.write("dlls/a.dll", image(ImageFormat::Pe32Plus, {1, 0, 0, 2}, "1.0"));
  fs::remove(folder + "/dlls/x.ocx");
  dir.write("dlls/c.tlb", std::vector<std::uint8_t>(5, 'c'));
  dir.write("dlls/b.dll", image(ImageFormat::Pe32, {2, 0, 0, 1}, "2.0 (final)"));
  fs::remove(folder + "/dlls/B.DLL");
  ASSERT_EQ(cli(folder, "extract dlls -o new.txt").status, 0);
  const testsupport::CliRun diff = cli(folder, "compare old.txt new.txt --ignore-date -o result.txt");
  ASSERT_EQ(diff.status, 0);
  EXPECT_EQ(diff.out, "");
  EXPECT_NE(readText(folder + "/result.txt").find(sjis(";無変化ファイル 総数：") + " 1\r\nb.dll\r\n"),
            std::string::npos);
  EXPECT_NE(diff.err.find("追加 1, 更新 1, 削除 1, 無変化 1"), std::string::npos) << diff.err;
  // Without --ignore-date the rewritten b.dll is updated too; so is it for its string version.
  EXPECT_NE(cli(folder, "compare old.txt new.txt").err.find("更新 2"), std::string::npos);
  const testsupport::CliRun kept = cli(folder, "compare old.txt --extract dlls --ignore-date --keep-string-version");
  EXPECT_NE(kept.out.find("\r\nb.dll\t2.0.0.1\t"), std::string::npos);
}

TEST_F(RecordCommands, MachineReadableFormsAndFailOn) {
  const testsupport::CliRun json = cli(folder, "extract dlls --format json");
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("\"fullPath\": \"" + folder + "/dlls/B.DLL\","), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"company\": \"Quorvane Test Corporation\","), std::string::npos);
  ASSERT_EQ(cli(folder, "extract dlls --format=csv -o list.csv").status, 0);
  EXPECT_NE(readText(folder + "/list.csv").find("\r\nx.ocx," + folder + "/dlls/x.ocx,False,,,"), std::string::npos);

  // a.dll goes down: --fail-on stops on it, after the output was written.
  dir.write("dlls/a.dll", image(ImageFormat::Pe32Plus, {0, 9, 0, 0}, "0.9"));
  const testsupport::CliRun down =
      cli(folder, "compare old.txt --extract dlls --format csv --fail-on same-version,down");
  EXPECT_EQ(down.status, 5);
  EXPECT_NE(down.out.find("\r\nupdated,a.dll,down,0.9.0.0,0.9,"), std::string::npos) << down.out;
  EXPECT_NE(down.out.find("," + folder + "/dlls/a.dll,0.9.0.0,0.9,Quorvane Test Corporation,Test library," +
                          "英語 (米国),040904B0\r\n"),
            std::string::npos);
  EXPECT_EQ(cli(folder, "compare old.txt --extract dlls --fail-on up").status, 0);
}

TEST_F(RecordCommands, ExitStatuses) {
  testsupport::writeFile(folder + "/broken.txt", "a.dll\t1\r\n");
  testsupport::writeFile(folder + "/empty.txt", "");
  const struct {
    const char* args;
    int status;
    const char* err;  // what standard error says, when checked
  } cases[] = {
      {"compare", 2, nullptr},
      {"compare old.txt old.txt --extract dlls", 2, nullptr},
      {"compare old.txt --kind '*.DLL'", 2, nullptr},
      {"compare old.txt --recurse", 2, nullptr},
      {"compare old.txt --extract dlls --fail-on sideways", 2, nullptr},
      {"compare old.txt --fail-on=", 2, nullptr},
      {"extract dlls --format xml", 2, nullptr},
      {"extract", 2, nullptr},
      {"extract dlls --bogus", 2, nullptr},
      {"extract dlls -o", 2, nullptr},
      {"compare missing.txt old.txt", 3, "ファイル名が間違っています: missing.txt (ファイルが見つかりません)\n"},
      {"compare old.txt missing.txt", 3, nullptr},
      {"compare old.txt old.txt -o no/such/folder/r.txt", 3, nullptr},
      {"extract dlls -o no/such/folder/r.txt", 3, nullptr},
      {"extract nowhere", 1, nullptr},
      {"extract dlls --kind '*.EXE'", 1, nullptr},
      {"compare old.txt --extract nowhere", 1, nullptr},
      {"compare broken.txt old.txt", 3,
       "ファイル読込でエラーが発生しました: broken.txt 1 行目 (列の区切り (TAB) が足りません)\n"},
      // A file that is no record is refused and nothing is written.
      {"compare old.txt empty.txt -o r.txt", 3, "バージョン記録ファイルではありません: empty.txt\n"},
  };
  for (const auto& c : cases) {
    const testsupport::CliRun run = cli(folder, c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_TRUE(!c.err || run.err == c.err) << c.args << ": " << run.err;
  }
  EXPECT_NE(cli(folder, "extract nowhere").err.find("指定されたフォルダーは存在しません"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder + "/r.txt"));
}

// Completed, but a listed file was left out of the record: status 4, the file named on
// standard error, and the record holds the other files.
TEST_F(RecordCommands, ExitStatusFourWhenFilesAreLeftOut) {
  ASSERT_EQ(::mkfifo((folder + "/dlls/pipe.dll").c_str(), 0600), 0);
  const testsupport::CliRun run = cli(folder, "extract dlls -o new.txt");
  EXPECT_EQ(run.status, 4);
  EXPECT_NE(run.err.find("記録に含めませんでした: dlls/pipe.dll (通常のファイルではありません"),
            std::string::npos);
  // Without a second side, compare lists the first record.
  const testsupport::CliRun view = cli(folder, "compare new.txt");
  EXPECT_EQ(view.status, 0);
  EXPECT_EQ(view.out, "a.dll\r\nb.dll\r\nx.ocx\r\n");
  EXPECT_EQ(cli(folder, "compare new.txt --extract dlls").status, 4);
  for (const char* command : {"extract", "compare"})
    EXPECT_NE(cli(folder, std::string(command) + " --help").out.find("4 完了したが、記録から除いたファイル"), std::string::npos);
}

// A closed or full standard output is a failed command, never a success.
TEST_F(RecordCommands, OutputThatCannotBeWrittenGivesStatusThree) {
  for (const char* command : {"info dlls/a.dll", "extract dlls", "compare old.txt old.txt"}) {
    for (const auto output : {testsupport::CliOutput::Closed, testsupport::CliOutput::Full}) {
      SCOPED_TRACE(command);
      const testsupport::CliRun run = cli(folder, command, output);
      EXPECT_EQ(run.status, 3);
      EXPECT_NE(run.err.find("ファイル出力でエラーが発生しました: 標準出力\n"), std::string::npos);
    }
  }
}

// The result file is never written over a record the comparison reads, however named.
TEST_F(RecordCommands, ResultOverARecordItComparesIsRefused) {
  fs::create_hard_link(folder + "/old.txt", folder + "/alias.txt");
  const std::string before = readText(folder + "/old.txt");
  for (const std::string args : {"old.txt old.txt -o ./old.txt", "old.txt --extract dlls -o alias.txt"}) {
    SCOPED_TRACE(args);
    const testsupport::CliRun run = cli(folder, "compare " + args);
    EXPECT_EQ(run.status, 3);
    const std::string output = args.substr(args.find("-o ") + 3);
    EXPECT_EQ(run.err, "保存先ファイルは比較するバージョン記録ファイルです: " + output + "\n");
    EXPECT_EQ(readText(folder + "/old.txt"), before);
  }
}

// Without --expand-to, compressed files go into a folder of the run's own inside the
// temporary folder, and it is gone when the program ends.
TEST_F(RecordCommands, DefaultExpansionFolderIsPrivateAndRemovedAtExit) {
  dir.write("dlls/C.DL_", testsupport::compressSzdd(std::string("not a program")));
  fs::create_directory(folder + "/tmp");
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keep = oldTmp ? oldTmp : "";
  setenv("TMPDIR", (folder + "/tmp").c_str(), 1);
  const testsupport::CliRun run = cli(folder, "extract dlls --kind '*.DL_'");
  oldTmp ? setenv("TMPDIR", keep.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\r\nc.dll\t"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::is_empty(folder + "/tmp"));
}

// --recurse names the files of subfolders by their path below the folder, and a record of
// a recursive run compares with a fresh recursive extraction file by file.
TEST_F(RecordCommands, RecurseNamesSubfolderFiles) {
  fs::create_directory(folder + "/dlls/Sub");
  dir.write("dlls/Sub/C.DLL", image(ImageFormat::Pe32, {3, 0, 0, 0}, "3.0"));
  const std::string row =
      "\r\nsub\\c.dll\t3.0.0.0\t3.0\t " + std::to_string(fs::file_size(folder + "/dlls/Sub/C.DLL")) + " \t";
  EXPECT_EQ(cli(folder, "extract dlls").out.find("sub\\"), std::string::npos);
  ASSERT_EQ(cli(folder, "extract dlls --recurse -o before.txt").status, 0);
  EXPECT_NE(readText(folder + "/before.txt").find(row), std::string::npos);
  const testsupport::CliRun same = cli(folder, "compare before.txt --extract dlls --recurse --format csv");
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_NE(same.out.find("unchanged,sub\\c.dll,"), std::string::npos) << same.out;
  EXPECT_EQ(same.out.find("added"), std::string::npos) << same.out;
}

}  // namespace
}  // namespace quorvane
