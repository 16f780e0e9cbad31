#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

// A command of quorvane-cli: takes its arguments (without the command name), writes its
// results to `out` and its messages to `err`, and returns the exit status.
using CommandFn = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Command {
  const char* name;
  const char* summary;  // one line for the overall help, in Japanese
  CommandFn run;
};

// Each cmd_*.cpp registers its command with a static CommandRegistrar.
struct CommandRegistrar {
  explicit CommandRegistrar(Command command);
};

const std::vector<Command>& registeredCommands();

// The common end of a command's option parsing: with --help the usage goes to `out`
// (status 0); with a problem, the problem and the usage go to `err` (status 2). Nothing
// when the command should go on.
std::optional<int> helpOrUsageError(const char* command, bool help, const std::string& problem,
                                    const char* usage, std::ostream& out, std::ostream& err);

// Exit statuses shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFileError = 3;
// Completed, but some files were left out or could not be expanded (listed on standard error).
inline constexpr int kExitIncomplete = 4;
// compare --fail-on: an updated file of one of the named classes was found.
inline constexpr int kExitFailOn = 5;

}  // namespace quorvane::cli
