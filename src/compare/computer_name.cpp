#include "compare/computer_name.h"

#include <array>

#include "common/basDirUtil.h"

#if defined(_WIN32)
#include <winsock2.h>
#else
#include <unistd.h>
#endif

namespace quorvane {

std::string ComputerName() {
  std::array<char, 256> buffer{};
  if (gethostname(buffer.data(), buffer.size() - 1) != 0) return {};
  return basDirUtil::TrimAtNul(std::string_view(buffer.data(), buffer.size()));
}

}  // namespace quorvane
