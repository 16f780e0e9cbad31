#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvane::testsupport {

struct CliRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
};

// Runs the built quorvane-cli with `args` (each passed as one argument, unchanged) in the
// folder `workingFolder`, with UTC as the local time zone so dates in its output are known.
// Where the program's standard output goes: captured into CliRun::out, closed, or a device
// that is always full (the last two to see that a failed write is not a success; POSIX
// only, Windows has neither for a child).
enum class CliOutput { Captured, Closed, Full };

CliRun runCli(const std::filesystem::path& workingFolder, const std::vector<std::string>& args,
              CliOutput output = CliOutput::Captured);

}  // namespace quorvane::testsupport
