#pragma once

#include <memory>
#include <string>

namespace quorvane {

// A folder of the run's own inside a shared folder such as the temporary folder: a new
// name that nobody else has, open to its owner only. It is removed, with everything in
// it, when the object goes away. Nothing outside it is ever written or removed.
class PrivateFolder {
 public:
  // A new folder inside `parent`; nullptr when it cannot be made (errno tells why).
  static std::unique_ptr<PrivateFolder> create(const std::string& parent);
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // The folder with a trailing separator.
  const std::string& path() const { return m_path; }

 private:
  explicit PrivateFolder(std::string path) : m_path(std::move(path)) {}
  std::string m_path;
};

}  // namespace quorvane
