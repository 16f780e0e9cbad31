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
  std::string str() const { return utf8(m_path); }
  // Path of a name (UTF-8) inside the folder, as text.
  std::string at(const std::string& name) const { return utf8(m_path / std::filesystem::u8path(name)); }

  // A path as the program's UTF-8 text (the narrow form of a path is not UTF-8 everywhere).
  static std::string utf8(const std::filesystem::path& p) {
    const std::u8string text = p.u8string();
    return std::string(text.begin(), text.end());
  }

 private:
  std::filesystem::path m_path;
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void writeFile(const std::filesystem::path& path, const std::string& text);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

}  // namespace quorvane::testsupport
