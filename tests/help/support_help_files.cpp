#include "support_help_files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "common/sjis.h"

namespace quorvane::help::testing {

std::string writeHelpFile(const std::string& name, const std::string& utf8Text) {
  const auto dir = std::filesystem::path(QUORVANE_BINARY_DIR) / "help_test_files";
  std::filesystem::create_directories(dir);
  std::string crlf;
  for (char c : utf8Text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const auto bytes = sjis::encode(crlf);
  if (!bytes.ok()) throw std::runtime_error("not representable in code page 932");
  // Tests run side by side in separate processes and write the same files: each writes a
  // copy of its own and renames it into place, so that a reader never sees half a file.
  const auto path = dir / name;
  const auto part = dir / (name + "." + std::to_string(std::random_device{}()) + ".part");
  std::ofstream(part, std::ios::binary) << *bytes.bytes;
  std::filesystem::rename(part, path);
  return path.string();
}

}  // namespace quorvane::help::testing
