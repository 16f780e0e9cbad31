#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvane {

// Writes a file through a temporary file in the same folder and puts it in place only
// when everything was written, so a failed write (disk full, a killed process) never
// destroys the file it was meant to replace.
//
// The destination decides the outcome of `open` as if it were opened directly: an
// existing destination without write permission is refused as read-only, even though
// renaming over it would work.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False when the destination cannot be written; lastErrno() and classification()
  // (the values of fileError) tell why.
  bool open(const std::string& path);
  bool isOpen() const { return m_temp != nullptr; }

  // Buffered; false once any write has failed.
  bool write(std::string_view bytes);

  // Flushes, closes and puts the file in place. False when any step failed; the
  // destination is then left as it was and the temporary file is removed.
  bool commit();

  // Drops what was written; the destination stays as it was.
  void discard();

  int lastErrno() const { return m_errno; }
  int classification() const { return m_classification; }

 private:
  bool fail(int errnoValue, bool readOnly = false);

  std::FILE* m_temp = nullptr;
  std::string m_path;
  std::string m_tempPath;
  bool m_writeFailed = false;
  int m_errno = 0;
  int m_classification = 0;
};

}  // namespace quorvane
