#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/fifo.h"
#include "support/files.h"
#include "support/pe_image_builder.h"
#include "support/szdd_writer.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::compressSzdd;
using testsupport::ImageFormat;
using testsupport::readText;
using testsupport::runCli;

// Runs the built quorvane-cli in `folder` with the blank-separated `args`.
testsupport::CliRun cli(const std::string& folder, const std::string& args) {
  std::vector<std::string> words;
  std::istringstream in(args);
  for (std::string w; in >> w;) words.push_back(w);
  return runCli(folder, words);
}

class InfoCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    auto plan = testsupport::simpleVersionInfo({4, 71, 1712, 40000}, "4, 71, 1712, 5");
    plan.fixed.productVersion = {4, 71, 0, 0};
    plan.fixed.fileTime = 125'911'584'000'000'000ull;  // 2000-01-01 00:00:00 UTC
    plan.translations = {{0x0411, 0x03A4}};
    plan.tables = {{"041103A4",
                    {{"FileVersion", "4, 71, 1712, 5"},
                     {"CompanyName", "株式会社クオーヴェイン"},
                     {"Comments", "一行目\r\n二行目"},
                     {"ProductName", "ｸｵｰｳﾞｪｲﾝ"}}}};
    dir.write("japanese.dll", buildImage(ImageFormat::Pe32, plan).bytes);
    dir.write("old16.dll", buildImage(ImageFormat::Ne, testsupport::simpleVersionInfo({3, 10, 0, 103}, "3.10")).bytes);
    dir.write("plain.txt", std::vector<std::uint8_t>(200, 'x'));
  }

  testsupport::TempFolder dir{"info_cli"};
  std::string folder = dir.str();
};

TEST_F(InfoCommand, OutputMatchesTheGoldenFile) {
  const testsupport::CliRun run = cli(folder, "info japanese.dll old16.dll");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, readText(std::string(QUORVANE_TEST_DATA) + "/version/info_golden.txt"));
}

TEST_F(InfoCommand, FileWithoutVersionInformation) {
  const testsupport::CliRun run = cli(folder, "info plain.txt japanese.dll");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.rfind("File : plain.txt\nVerInfoAvailable : False\n\nFile : japanese.dll\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("ファイルバージョン : 4, 71, 1712, 5\n"), std::string::npos);

  // A file that cannot be opened is status 3; a FIFO is refused at once, not waited on.
  if (!testsupport::makeFifo(folder + "/pipe.dll")) GTEST_SKIP() << "no FIFOs on this system";
  for (const char* name : {"missing.dll", "pipe.dll"}) {
    const testsupport::CliRun unreadable = cli(folder, std::string("info ") + name);
    EXPECT_EQ(unreadable.status, 3);
    EXPECT_EQ(unreadable.out, std::string("File : ") + name + "\nVerInfoAvailable : False\n\n");
  }
}

TEST_F(InfoCommand, AllLanguagesAndMachineReadableForms) {
  auto plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.tables.push_back({"041104B0", {{"FileVersion", "1.0 日本語版"}}});
  dir.write("multi.dll", buildImage(ImageFormat::Pe32, plan).bytes);
  const testsupport::CliRun text = cli(folder, "info --all-languages multi.dll");
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("Key : 040904B0\n"), std::string::npos);
  EXPECT_NE(text.out.find("StringTable : 040904B0 英語 (米国)\n  CompanyName : Quorvane Test Corporation\n"),
            std::string::npos);
  EXPECT_NE(text.out.find("StringTable : 041104B0 日本語\n  FileVersion : 1.0 日本語版\n\n"), std::string::npos);

  // JSON always holds every table; a file without version information says why.
  const testsupport::CliRun json = cli(folder, "info --format json multi.dll plain.txt");
  EXPECT_EQ(json.status, 1);
  for (const char* part : {"\"language\": \"日本語\",", "\"value\": \"1.0 日本語版\"", "\"key\": \"040904B0\",",
                           "\"file\": \"plain.txt\",", "\"versionInfo\": false,"})
    EXPECT_NE(json.out.find(part), std::string::npos) << part;
  EXPECT_NE(json.out.find("\"fullPath\": \"" + folder + "/multi.dll\""), std::string::npos);

  std::string rows = "\xEF\xBB\xBF" "File,FullPath,Key,LanguageName,Name,Value\r\n";
  for (const char* row : {"040904B0,英語 (米国),CompanyName,Quorvane Test Corporation",
                          "040904B0,英語 (米国),FileDescription,Test library", "040904B0,英語 (米国),FileVersion,1.0",
                          "040904B0,英語 (米国),ProductVersion,1.0", "041104B0,日本語,FileVersion,1.0 日本語版"})
    rows += "multi.dll," + folder + "/multi.dll," + row + "\r\n";
  EXPECT_EQ(cli(folder, "info --format=csv --all-languages multi.dll").out, rows);
  EXPECT_EQ(cli(folder, "info --format xml multi.dll").status, 2);
}

TEST_F(InfoCommand, UsageErrorsAndHelp) {
  EXPECT_EQ(cli(folder, "info").status, 2);
  EXPECT_EQ(cli(folder, "info --frobnicate japanese.dll").status, 2);
  const testsupport::CliRun help = cli(folder, "info --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("使い方: quorvane-cli info"), std::string::npos);
  // After "--" a name that starts with "-" is a file.
  dir.write("-dash.dll", buildImage(ImageFormat::Pe32Plus, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0")).bytes);
  const testsupport::CliRun dash = cli(folder, "info -- -dash.dll");
  EXPECT_EQ(dash.status, 0);
  EXPECT_NE(dash.out.find("FixedVersion : 1.0.0.0\n"), std::string::npos);
}

// What the expand command adds to the expansion itself (tested in the extraction tests):
// the expanded names under --to, the list it prints, going on after a failure, usage.
TEST(CmdExpand, ExpandsUnderTheExpandedNamesGoesOnAfterAFailureAndChecksUsage) {
  testsupport::TempFolder dir{"cli_expand"};
  const std::string setup = dir.write("SETUP.EX_", compressSzdd(std::string("setup")));
  const std::string plain = dir.write("README.TXT", "plain");
  auto cut = compressSzdd(std::string(500, 'x') + "0123456789");
  cut.resize(cut.size() - 3);
  const std::string bad = dir.write("BAD.DL_", cut), out = dir.at("out");

  const auto ok = runCli(dir.path(), {"expand", setup, plain, "--to", out});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_EQ(readText(out + "/SETUP.EXE"), "setup");
  EXPECT_EQ(readText(out + "/README.TXT"), "plain");
  EXPECT_NE(ok.out.find(out + "/SETUP.EXE"), std::string::npos) << ok.out;
  EXPECT_EQ(ok.err, "");

  // One failure gives exit status 1; the files after it are still expanded.
  const auto partly = runCli(dir.path(), {"expand", "--to=" + out, bad, dir.at("MISSING.TL_"), setup});
  EXPECT_EQ(partly.status, 1);
  EXPECT_FALSE(std::filesystem::exists(out + "/BAD.DLL"));
  EXPECT_NE(partly.err.find("BAD.DL_"), std::string::npos) << partly.err;
  EXPECT_NE(partly.err.find("MISSING.TL_"), std::string::npos) << partly.err;
  EXPECT_NE(partly.out.find(out + "/SETUP.EXE"), std::string::npos) << partly.out;

  // No --to, no file, --to without a folder, an unknown option.
  for (const char* args : {"expand x.DL_", "expand --to out", "expand x.DL_ --to", "expand --bogus x --to o"})
    EXPECT_EQ(cli(dir.str(), args).status, 2) << args;
  const auto help = runCli(dir.path(), {"expand", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("使い方: quorvane-cli expand"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
