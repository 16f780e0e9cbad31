#include <gtest/gtest.h>

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

  const CliRun missing = runCli(folder, "info missing.dll");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "File : missing.dll\nVerInfoAvailable : False\n\n");
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
