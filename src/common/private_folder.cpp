#include "common/private_folder.h"

#include <filesystem>
#include <system_error>

#include "common/platform.h"

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
  const std::string made = platform::createPrivateFolder(base);
  if (made.empty()) return nullptr;
  return std::unique_ptr<PrivateFolder>(new PrivateFolder(withSeparator(made)));
}

PrivateFolder::~PrivateFolder() {
  // remove_all does not follow links, so only what lies inside the folder goes.
  std::error_code ec;
  fs::remove_all(fs::u8path(m_path), ec);
}

}  // namespace quorvane
