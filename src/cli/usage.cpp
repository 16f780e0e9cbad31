#include <ostream>

#include "cli/command.h"

namespace quorvane::cli {

std::optional<int> helpOrUsageError(const char* command, bool help, const std::string& problem,
                                    const char* usage, std::ostream& out, std::ostream& err) {
  if (help) {
    out << usage;
    return kExitOk;
  }
  if (!problem.empty()) {
    err << "quorvane-cli " << command << ": " << problem << "\n" << usage;
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace quorvane::cli
