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

// Reads another source in whole pages and keeps the last two windows, because an image's
// headers, section table and resource directory are many small structures that lie on one
// or two pages. Call reset() when the source underneath has changed (another file); the
// windows keep their memory from file to file.
class PageCachedSource final : public ByteSource {
 public:
  explicit PageCachedSource(ByteSource& inner) : m_inner(inner) {}
  void reset();
  std::uint64_t size() const override;
  bool readAt(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) override;

 private:
  struct Window {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;
  };
  static constexpr std::size_t kPage = 4096;
  // One page: most structures of a file lie on its first page and on the first page of
  // its resource section, and every byte read is a byte the system copies. A structure
  // across a page boundary is read on its own.
  static constexpr std::size_t kWindowBytes = kPage;

  ByteSource& m_inner;
  Window m_windows[2];
  std::size_t m_recent = 0;  // the window used last; the other one is replaced on a miss
};

}  // namespace quorvane
