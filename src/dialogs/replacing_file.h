#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "common/temp_file.h"

namespace quorvane {

// Writes a file through a temporary file in the same folder and puts it in place only
// when everything was written, so a failed write (disk full, a killed process) never
// destroys the file it was meant to replace.
//
// - A symbolic link stays: the file it leads to is the one replaced.
// - A destination that is not a plain file (a FIFO, a terminal, /dev/stdout) is written
//   straight into: it cannot be replaced, and renaming over a device node would destroy
//   it. So is a file reached through a descriptor link (/dev/stdout redirected to a file
//   by the shell), which is appended to as the shell opened it.
// - The destination decides the outcome of `open` as if it were opened directly: an
//   existing destination without write permission is refused as read-only, even though
//   renaming over it would work.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False when the destination cannot be written; lastErrno() and classification()
  // (the values of fileError) tell why.
  bool open(const std::string& path);
  bool isOpen() const { return stream() != nullptr; }

  // Buffered; false once any write has failed.
  bool write(std::string_view bytes);

  // Flushes, closes and puts the file in place. False when any step failed; the
  // destination is then left as it was and the temporary file is removed.
  bool commit();

  // Drops what was written; the destination stays as it was (what was already written
  // straight into a FIFO or device cannot be taken back).
  void discard();

  int lastErrno() const { return m_errno; }
  int classification() const { return m_classification; }

 private:
  bool fail(int errnoValue, bool readOnly = false);
  bool openDirect(const std::string& path);
  std::FILE* stream() const { return m_direct ? m_direct : m_temp.stream(); }

  TempFile m_temp;
  std::FILE* m_direct = nullptr;  // the destination itself, when it is not a plain file
  std::string m_path;             // the file to replace, links followed
  bool m_writeFailed = false;
  int m_errno = 0;
  int m_classification = 0;
};

}  // namespace quorvane
