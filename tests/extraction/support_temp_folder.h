#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvane::testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes away.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // The folder as text, without a trailing separator.
  std::string str() const { return m_path.string(); }
  // Path of a name inside the folder, as text.
  std::string at(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void writeFile(const std::filesystem::path& path, const std::string& text);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

}  // namespace quorvane::testsupport
