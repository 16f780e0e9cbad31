// The parts of the file reader that are the same on every platform.
#include "common/file_reader.h"

namespace quorvane {

FileReader::~FileReader() { close(); }

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFileError* error) {
  auto fail = [&](ReadFileError e) -> std::optional<std::string> {
    if (error) *error = e;
    return std::nullopt;
  };
  FileReader reader;
  if (!reader.open(path)) return fail(ReadFileError::CannotOpen);
  if (reader.size() > maxBytes) return fail(ReadFileError::TooLarge);
  std::vector<std::uint8_t> bytes;
  if (!reader.readAt(0, static_cast<std::size_t>(reader.size()), bytes))
    return fail(ReadFileError::ReadFailed);
  if (error) *error = ReadFileError::None;
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace quorvane
