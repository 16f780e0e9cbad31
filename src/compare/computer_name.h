#pragma once

#include <string>

namespace quorvane {

// The computer's name as the system reports it (the host name), cut at the first NUL;
// empty when the system reports none.
std::string ComputerName();

}  // namespace quorvane
