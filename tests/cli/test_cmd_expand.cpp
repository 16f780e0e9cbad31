// What the expand command adds to the expansion itself (tested in the extraction tests):
// the expanded names under --to, the list it prints, going on after a failure, usage.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/files.h"
#include "support/szdd_writer.h"
#include "support/temp_folder.h"

namespace quorvane {
namespace {

using testsupport::compressSzdd;
using testsupport::readText;
using testsupport::runCli;

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
  for (const std::vector<std::string>& args : {std::vector<std::string>{"expand", "x.DL_"},
                                               {"expand", "--to", "out"},
                                               {"expand", "x.DL_", "--to"},
                                               {"expand", "--bogus", "x", "--to", "o"}})
    EXPECT_EQ(runCli(dir.path(), args).status, 2) << args[1];
  const auto help = runCli(dir.path(), {"expand", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("使い方: quorvane-cli expand"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
