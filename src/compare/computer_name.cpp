#include "compare/computer_name.h"

#include "common/platform.h"

namespace quorvane {

std::string ComputerName() { return platform::computerName(); }

}  // namespace quorvane
