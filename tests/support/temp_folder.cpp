#include "support/temp_folder.h"

#include <iterator>
#include <random>
#include <stdexcept>

#include "support/files.h"

namespace quorvane::testsupport {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& tag) {
  // Tests run in parallel processes: a name is taken only when this process created it.
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("quorvane_" + tag + "_" + std::to_string(seed()));
    if (fs::create_directory(candidate)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder for " + tag);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::end(it); it.increment(ec))
    if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_path, ec);
}

// UTF-8, as the program's own functions take paths; on Windows string() would give the
// ANSI code page, which cannot hold every name.
std::string TempFolder::at(std::string_view name) const {
  const auto text = (m_path / fs::u8path(name)).u8string();
  return std::string(text.begin(), text.end());
}

std::size_t TempFolder::count() const {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), fs::directory_iterator()));
}

std::string TempFolder::write(std::string_view name, const std::vector<std::uint8_t>& bytes) const {
  return write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string TempFolder::write(std::string_view name, std::string_view bytes) const {
  writeFile(m_path / fs::u8path(name), bytes);
  return at(name);
}

}  // namespace quorvane::testsupport
