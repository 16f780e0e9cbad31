#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/pe_image_builder.h"

namespace quorvane {
namespace {

using testsupport::buildImage;
using testsupport::ImageFormat;

struct CliRun {
  std::string out;
  int status = -1;
};

// Runs the built quorvane-cli in `folder` with UTC as the local time zone.
CliRun runCli(const std::string& folder, const std::string& args) {
  const std::string cli = std::string(QUORVANE_BINARY_DIR) + "/src/cli/quorvane-cli";
  const std::string command = "cd '" + folder + "' && TZ=UTC0 '" + cli + "' " + args + " 2>/dev/null";
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int rc = pclose(pipe);
  run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return run;
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class InfoCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorvane-info-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;

    auto plan = testsupport::simpleVersionInfo({4, 71, 1712, 40000}, "4, 71, 1712, 5");
    plan.fixed.productVersion = {4, 71, 0, 0};
    plan.fixed.fileTime = 125'911'584'000'000'000ull;  // 2000-01-01 00:00:00 UTC
    plan.translations = {{0x0411, 0x03A4}};
    plan.tables = {{"041103A4",
                    {{"FileVersion", "4, 71, 1712, 5"},
                     {"CompanyName", "株式会社クオーヴェイン"},
                     {"Comments", "一行目\r\n二行目"},
                     {"ProductName", "ｸｵｰｳﾞｪｲﾝ"}}}};
    write("japanese.dll", buildImage(ImageFormat::Pe32, plan).bytes);
    write("old16.dll", buildImage(ImageFormat::Ne, testsupport::simpleVersionInfo({3, 10, 0, 103}, "3.10")).bytes);
    write("plain.txt", std::vector<std::uint8_t>(200, 'x'));
  }
  void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

  void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    testsupport::writeFile(folder + "/" + name, bytes);
  }

  std::string folder;
};

TEST_F(InfoCommand, OutputMatchesTheGoldenFile) {
  const CliRun run = runCli(folder, "info japanese.dll old16.dll");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, readText(std::string(QUORVANE_TEST_DATA) + "/version/info_golden.txt"));
}

TEST_F(InfoCommand, FileWithoutVersionInformation) {
  const CliRun run = runCli(folder, "info plain.txt japanese.dll");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.rfind("File : plain.txt\nVerInfoAvailable : False\n\nFile : japanese.dll\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("ファイルバージョン : 4, 71, 1712, 5\n"), std::string::npos);

  // A file that cannot be opened is status 3; a FIFO is refused at once, not waited on.
  ASSERT_EQ(::mkfifo((folder + "/pipe.dll").c_str(), 0600), 0);
  for (const char* name : {"missing.dll", "pipe.dll"}) {
    const CliRun unreadable = runCli(folder, std::string("info ") + name);
    EXPECT_EQ(unreadable.status, 3);
    EXPECT_EQ(unreadable.out, std::string("File : ") + name + "\nVerInfoAvailable : False\n\n");
  }
}

TEST_F(InfoCommand, AllLanguagesAndMachineReadableForms) {
  auto plan = testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0");
  plan.tables.push_back({"041104B0", {{"FileVersion", "1.0 日本語版"}}});
  write("multi.dll", buildImage(ImageFormat::Pe32, plan).bytes);
  const CliRun text = runCli(folder, "info --all-languages multi.dll");
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("Key : 040904B0\n"), std::string::npos);
  EXPECT_NE(text.out.find("StringTable : 040904B0 英語 (米国)\n  CompanyName : Quorvane Test Corporation\n"),
            std::string::npos);
  EXPECT_NE(text.out.find("StringTable : 041104B0 日本語\n  FileVersion : 1.0 日本語版\n\n"), std::string::npos);

  // JSON always holds every table; a file without version information says why.
  const CliRun json = runCli(folder, "info --format json multi.dll plain.txt");
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
  EXPECT_EQ(runCli(folder, "info --format=csv --all-languages multi.dll").out, rows);
  EXPECT_EQ(runCli(folder, "info --format xml multi.dll").status, 2);
}

TEST_F(InfoCommand, UsageErrorsAndHelp) {
  EXPECT_EQ(runCli(folder, "info").status, 2);
  EXPECT_EQ(runCli(folder, "info --frobnicate japanese.dll").status, 2);
  const CliRun help = runCli(folder, "info --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("使い方: quorvane-cli info"), std::string::npos);
  // After "--" a name that starts with "-" is a file.
  write("-dash.dll", buildImage(ImageFormat::Pe32Plus, testsupport::simpleVersionInfo({1, 0, 0, 0}, "1.0")).bytes);
  const CliRun dash = runCli(folder, "info -- -dash.dll");
  EXPECT_EQ(dash.status, 0);
  EXPECT_NE(dash.out.find("FixedVersion : 1.0.0.0\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
