#include <algorithm>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/command.h"
#include "common/platform.h"
#include "common/standard_streams.h"
#include "program_info.h"

namespace quorvane::cli {

namespace {
std::vector<Command>& commandTable() {
  static std::vector<Command> table;
  return table;
}

void printVersion(std::ostream& out) {
  using namespace programInfo;
  out << kTitle << " " << kMajor << "." << kMinor << "." << kRevision << "\n"
      << kProductName << "\n"
      << kLegalCopyright << "\n"
      << kComments << "\n";
}

void printHelp(std::ostream& out) {
  out << "使い方: quorvane-cli <コマンド> [引数...]\n"
         "       quorvane-cli --version | --help\n\n"
         "コマンド:\n";
  for (const Command& c : registeredCommands()) out << "  " << c.name << "\t" << c.summary << "\n";
  out << "\n各コマンドの説明は quorvane-cli <コマンド> --help で表示します。\n";
}

// Standing in for a standard output that was closed: every write fails, so the command
// sees the failure as it would on a full disk.
class RefusingBuffer : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

int runCommand(std::vector<std::string> args) {
  if (args.empty()) {
    printHelp(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--version") {
    printVersion(std::cout);
    return kExitOk;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    printHelp(std::cout);
    return kExitOk;
  }
  for (const Command& c : registeredCommands()) {
    if (args[0] == c.name) {
      args.erase(args.begin());
      return c.run(args, std::cout, std::cerr);
    }
  }
  std::cerr << "quorvane-cli: 不明なコマンドです: " << args[0] << "\n";
  printHelp(std::cerr);
  return kExitUsage;
}

// Whatever the command wrote must have reached standard output: a closed or full output
// makes a failed command, never a success.
int checkedOutput(int status) {
  std::cout.flush();
  const bool written = static_cast<bool>(std::cout) && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written) return status;
  // extract and compare say so themselves when they notice it.
  if (status != kExitFileError) std::cerr << "ファイル出力でエラーが発生しました: 標準出力\n";
  return kExitFileError;
}
}  // namespace

CommandRegistrar::CommandRegistrar(Command command) { commandTable().push_back(command); }

const std::vector<Command>& registeredCommands() {
  auto& table = commandTable();
  std::sort(table.begin(), table.end(),
            [](const Command& a, const Command& b) { return std::string(a.name) < b.name; });
  return table;
}

}  // namespace quorvane::cli

int main(int argc, char** argv) {
  using namespace quorvane::cli;
  RefusingBuffer refusing;
  std::streambuf* const given = std::cout.rdbuf();
  if (quorvane::occupyClosedStandardStreams().output) std::cout.rdbuf(&refusing);
  const int status = checkedOutput(runCommand(quorvane::platform::prepareCommandLine(argc, argv)));
  std::cout.rdbuf(given);  // the stand-in goes with main; cout outlives it
  return status;
}
