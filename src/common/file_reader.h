#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The one place that reads files for the parsers: they take bytes, never names.
// Random access reads so a parser can fetch only the parts of a file it needs.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool open(const std::string& path);
  void close();
  bool isOpen() const { return m_file != nullptr; }

  // Length of the open file in bytes.
  std::uint64_t size() const { return m_size; }

  // Reads exactly `length` bytes at `offset` into `out` (resized to fit).
  // False when the range lies outside the file or the read fails.
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out);

 private:
  std::FILE* m_file = nullptr;
  std::uint64_t m_size = 0;
};

enum class ReadFileError { None, CannotOpen, TooLarge, ReadFailed };

// Reads a whole file of at most `maxBytes` bytes.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFileError* error = nullptr);

}  // namespace quorvane
