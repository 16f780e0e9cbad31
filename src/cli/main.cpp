#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "common/platform.h"
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
  std::vector<std::string> args = quorvane::platform::prepareCommandLine(argc, argv);
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
