#include "support_temp_folder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace quorvane::testsupport {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& tag) {
  std::random_device seed;
  m_path = fs::temp_directory_path() / ("quorvane_" + tag + "_" + std::to_string(seed()));
  fs::remove_all(m_path);
  fs::create_directories(m_path);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // Restore write permission that a test may have taken away, so the folder can go.
  for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::end(it); it.increment(ec))
    if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_path, ec);
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeFile(const fs::path& path, const std::string& text) {
  writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace quorvane::testsupport
