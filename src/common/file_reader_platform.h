#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/file_reader.h"
#include "common/platform.h"

// What the file reader asks of the system, one implementation per platform
// (file_reader_posix.cpp, file_reader_windows.cpp). Files are handled as descriptors.
namespace quorvane::fileReaderPlatform {

// Opens `path` for reading without waiting (a FIFO with no writer must not block the
// open); -1 with `why` set when it cannot be opened.
int openForReading(const std::string& path, FileOpenError& why);

// True, with the file's length, when the descriptor is a regular file on a disk. With
// `facts`, it also gives what platform::fileFacts(path) would tell of that file, from the
// same call, so that a caller that needs both looks the file up once.
bool isRegularFile(int fd, std::uint64_t& size, const std::string& path, platform::FileFacts* facts);

// Reads up to `length` bytes at `offset`; the count read, 0 at the end, negative on error.
long long readBlock(int fd, std::uint8_t* into, std::size_t length, std::uint64_t offset);

void closeFile(int fd);

}  // namespace quorvane::fileReaderPlatform
