#include "common/private_folder.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <random>
#else
#include <stdlib.h>
#endif

namespace quorvane {

namespace fs = std::filesystem;

namespace {

std::string withSeparator(std::string path) {
  const auto separator = static_cast<char>(fs::path::preferred_separator);
  if (path.empty() || path.back() != separator) path += separator;
  return path;
}

}  // namespace

std::unique_ptr<PrivateFolder> PrivateFolder::create(const std::string& parent) {
  const std::string base = withSeparator(parent.empty() ? std::string(".") : parent) + "quorvane-";
#if defined(_WIN32)
  // The temporary folder of a Windows user is the user's own; a new name is enough.
  std::mt19937 gen{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string candidate = base + std::to_string(gen() % 1000000000u);
    std::error_code ec;
    if (fs::create_directory(fs::u8path(candidate), ec) && !ec)
      return std::unique_ptr<PrivateFolder>(new PrivateFolder(withSeparator(candidate)));
  }
  errno = EEXIST;
  return nullptr;
#else
  // mkdtemp makes a new folder (never an existing one, never through a link) with mode 0700.
  std::vector<char> pattern(base.begin(), base.end());
  for (char c : std::string("XXXXXX")) pattern.push_back(c);
  pattern.push_back('\0');
  if (!mkdtemp(pattern.data())) return nullptr;
  return std::unique_ptr<PrivateFolder>(new PrivateFolder(withSeparator(pattern.data())));
#endif
}

PrivateFolder::~PrivateFolder() {
  // remove_all does not follow links, so only what lies inside the folder goes.
  std::error_code ec;
  fs::remove_all(fs::u8path(m_path), ec);
}

}  // namespace quorvane
