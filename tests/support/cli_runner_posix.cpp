#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "support/files.h"
#include "support/temp_folder.h"

namespace quorvane::testsupport {

namespace {

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

CliRun runCli(const std::filesystem::path& workingFolder, const std::vector<std::string>& args, CliOutput output) {
  const std::filesystem::path exe = std::filesystem::path(QUORVANE_BINARY_DIR) / "src" / "cli" / "quorvane-cli";
  if (!std::filesystem::exists(exe)) throw std::runtime_error("build quorvane-cli first: " + exe.string());
  // The output goes to files of its own, so that the program's working folder holds only
  // what the test put there and what the program wrote.
  const TempFolder capture("cli_output");
  std::string command = "cd " + quoted(workingFolder.string()) + " && TZ=UTC0 " + quoted(exe.string());
  for (const std::string& a : args) command += " " + quoted(a);
  const std::string out = output == CliOutput::Closed ? std::string(">&-")
                          : output == CliOutput::Full ? std::string(">/dev/full")
                                                      : ">" + quoted(capture.at("out"));
  command += " " + out + " 2>" + quoted(capture.at("err")) + " </dev/null";
  const int raw = std::system(command.c_str());
  CliRun run;
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (output == CliOutput::Captured) run.out = readText(capture.at("out"));
  run.err = readText(capture.at("err"));
  return run;
}

}  // namespace quorvane::testsupport
