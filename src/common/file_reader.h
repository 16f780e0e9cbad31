#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"

namespace quorvane {

// Why a file could not be opened for reading.
enum class FileOpenError : std::uint8_t {
  None,
  Missing,       // no such file (or it vanished after a listing)
  AccessDenied,  // the user may not read it
  NotAFile,      // a folder, pipe, socket or device: never read, never waited on
  Other,         // any other failure of the system's open
};

// A short Japanese text for messages.
const char* describeOpenError(FileOpenError error);

// The one place that reads files for the parsers: they take bytes, never names.
// Random access reads so a parser can fetch only the parts of a file it needs.
// Only regular files are opened; the open itself never waits, so a pipe or a device
// named in place of a file is refused at once instead of hanging the program.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // With `facts`, an opened file's facts (as platform::fileFacts would give them) come
  // from the same examination that tells it is a regular file; untouched on failure.
  bool open(const std::string& path, platform::FileFacts* facts = nullptr);
  void close();
  bool isOpen() const { return m_fd >= 0; }
  // Why the last open failed (None after a successful one).
  FileOpenError openError() const { return m_openError; }

  // Length of the open file in bytes.
  std::uint64_t size() const { return m_size; }

  // Reads exactly `length` bytes at `offset` into `out` (resized to fit).
  // False when the range lies outside the file or the read fails.
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out);

 private:
  int m_fd = -1;
  std::uint64_t m_size = 0;
  FileOpenError m_openError = FileOpenError::None;
};

enum class ReadFileError { None, CannotOpen, TooLarge, ReadFailed };

// Reads a whole file of at most `maxBytes` bytes. `openError` tells why a CannotOpen
// happened.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFileError* error = nullptr, FileOpenError* openError = nullptr);

}  // namespace quorvane
