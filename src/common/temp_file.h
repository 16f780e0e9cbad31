#pragma once

#include <cstdio>
#include <string>

namespace quorvane {

// How the permission bits given to TempFile::create are applied.
enum class TempPermissions {
  Masked,  // as a new file gets them: the user's file-creation mask may take bits away
  Exact,   // exactly these bits, to stand in for an existing file that has them
};

// A new file with a short name of its own beside the file it will replace. The name is
// short whatever the final name, so that it always fits the file-name limit. Until
// placeAs() puts it in place it is removed when the object goes away, and also when the
// program is ended by SIGINT, SIGTERM or SIGHUP, so no temporary file is left behind.
// It is created with no more permissions than asked for, never wider for a moment.
class TempFile {
 public:
  TempFile() = default;
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Creates the file in `folder` (the empty text is the current folder). False with the
  // reason in error() (an errno value).
  bool create(const std::string& folder, unsigned permissions, TempPermissions mode);

  bool isOpen() const { return m_file != nullptr; }
  std::FILE* stream() const { return m_file; }
  const std::string& path() const { return m_path; }

  // Flushes and closes the file (forcing it to the disk when `syncToDisk`), then renames
  // it to `target`, replacing what was there. On failure the file is removed.
  bool placeAs(const std::string& target, bool syncToDisk);

  // Closes and removes the file.
  void remove();

  int error() const { return m_error; }

 private:
  bool fail(int errnoValue);

  std::FILE* m_file = nullptr;
  std::string m_path;
  int m_slot = -1;  // where the signal handlers find the name
  int m_error = 0;
};

}  // namespace quorvane
