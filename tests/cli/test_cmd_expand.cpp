#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "support/szdd_writer.h"

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class CmdExpandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(m_cli)) << "build quorvane-cli first: " << m_cli;
    m_dir = fs::temp_directory_path() / ("quorvane_cli_expand_" + std::to_string(std::random_device{}()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  RunResult run(const std::vector<std::string>& args) {
    std::string cmd = quoted(m_cli.string()) + " expand";
    for (const auto& a : args) cmd += " " + quoted(a);
    cmd += " >" + quoted((m_dir / "stdout").string()) + " 2>" + quoted((m_dir / "stderr").string());
    RunResult r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(m_dir / "stdout");
    r.err = slurp(m_dir / "stderr");
    return r;
  }

  void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(m_dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  fs::path m_cli = fs::path(QUORVANE_BINARY_DIR) / "src" / "cli" / "quorvane-cli";
  fs::path m_dir;
};

TEST_F(CmdExpandTest, ExpandsUnderTheExpandedNames) {
  write("SETUP.EX_", quorvane::testsupport::compressSzdd(std::string(3000, 'e')));
  write("A.B.DL_", quorvane::testsupport::compressSzdd(std::string("library")));
  write("README.TXT", {'p', 'l', 'a', 'i', 'n'});
  const std::string out = (m_dir / "out").string();
  const auto r = run({(m_dir / "SETUP.EX_").string(), (m_dir / "A.B.DL_").string(),
                      (m_dir / "README.TXT").string(), "--to", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(m_dir / "out" / "SETUP.EXE"), std::string(3000, 'e'));
  EXPECT_EQ(slurp(m_dir / "out" / "A.B.DLL"), "library");
  EXPECT_EQ(slurp(m_dir / "out" / "README.TXT"), "plain");
  EXPECT_NE(r.out.find(out + "/SETUP.EXE"), std::string::npos) << r.out;
  EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(CmdExpandTest, OneFailureGivesExitOneAndTheOthersAreStillExpanded) {
  auto bad = quorvane::testsupport::compressSzdd(std::string(500, 'x') + "0123456789");
  bad.resize(bad.size() - 3);
  write("BAD.DL_", bad);
  write("GOOD.OC_", quorvane::testsupport::compressSzdd(std::string("control")));
  const auto r = run({"--to=" + (m_dir / "out").string(), (m_dir / "BAD.DL_").string(),
                      (m_dir / "GOOD.OC_").string(), (m_dir / "MISSING.TL_").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(slurp(m_dir / "out" / "GOOD.OCX"), "control");
  EXPECT_FALSE(fs::exists(m_dir / "out" / "BAD.DLL"));
  EXPECT_NE(r.err.find("BAD.DL_"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("MISSING.TL_"), std::string::npos) << r.err;
}

TEST_F(CmdExpandTest, UsageErrorsAndHelp) {
  EXPECT_EQ(run({"x.DL_"}).status, 2);          // no --to
  EXPECT_EQ(run({"--to", "out"}).status, 2);    // no file
  EXPECT_EQ(run({"x.DL_", "--to"}).status, 2);  // --to without folder
  EXPECT_EQ(run({"--bogus", "x", "--to", "o"}).status, 2);
  const auto help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("使い方: quorvane-cli expand"), std::string::npos);
  EXPECT_NE(help.out.find("--to"), std::string::npos);
}

}  // namespace
