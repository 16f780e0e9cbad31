#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/byte_reader.h"

namespace quorvane {

class FileReader;

// Random access to an image's bytes, so the locator can fetch only the parts it needs
// (headers, section table, resource directory, the version block) from a file or, in
// tests and fuzzing, from memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Reads exactly `length` bytes at `offset` into `out` (resized to fit). False when the
  // range leaves the source or the read fails.
  virtual bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) = 0;
};

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(Bytes data) : m_data(data) {}
  std::uint64_t size() const override { return m_data.size(); }
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override;

 private:
  Bytes m_data;
};

// Reads through an open FileReader.
class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(FileReader& file) : m_file(file) {}
  std::uint64_t size() const override;
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override;

 private:
  FileReader& m_file;
};

}  // namespace quorvane
