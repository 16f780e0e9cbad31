#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "support/pe_image_builder.h"

namespace quorvane::testsupport {

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    for (int attempt = 0; attempt < 16 && m_path.empty(); ++attempt) {
      const auto path = std::filesystem::temp_directory_path() / ("quorvane-version-" + std::to_string(seed()));
      if (std::filesystem::create_directory(path)) m_path = path.string();
    }
    if (m_path.empty()) throw std::runtime_error("cannot create a temporary folder");
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return m_path; }

  // Writes `bytes` as the file `name` and returns its path.
  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string file = m_path + "/" + name;
    if (!writeFile(file, bytes)) throw std::runtime_error("cannot write " + file);
    return file;
  }

 private:
  std::string m_path;
};

}  // namespace quorvane::testsupport
