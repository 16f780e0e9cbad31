#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testsupport {

// A new, empty folder under the system's temporary folder, removed with everything in it
// when the object goes away (write permission a test took away is given back first).
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag = "test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // The folder as text, without a trailing separator.
  std::string str() const { return m_path.string(); }
  // Path of a name (UTF-8, may hold sub-folders) inside the folder, as text.
  std::string at(std::string_view name) const;
  // How many entries the folder holds directly (to see that no temporary file was left).
  std::size_t count() const;

  // Writes the file `name` inside the folder and returns its path; throws when it cannot.
  std::string write(std::string_view name, const std::vector<std::uint8_t>& bytes) const;
  std::string write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path m_path;
};

}  // namespace quorvane::testsupport
