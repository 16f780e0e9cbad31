#include "dialogs/text_lines.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

namespace {
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
}

TextLineReader::TextLineReader(std::string_view bytes) : m_view(bytes) {}

TextLineReader::TextLineReader(FileReader& file) : m_file(&file) {}

// Appends the next block of the file to the unread bytes. False at the end of the file
// or when the read fails (m_failed tells which).
bool TextLineReader::fill() {
  if (!m_file || m_fileOffset >= m_file->size()) return false;
  const std::uint64_t left = m_file->size() - m_fileOffset;
  const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlockBytes));
  if (!m_file->readAt(m_fileOffset, length, m_block)) {
    m_failed = true;
    return false;
  }
  m_fileOffset += length;
  // The unread rest moves to the front of the one buffer, which keeps its capacity, so
  // reading a large file does not allocate block after block.
  const std::size_t rest = m_view.size();
  if (rest > 0 && m_view.data() != m_storage.data())
    std::memmove(m_storage.data(), m_view.data(), rest);
  m_storage.resize(rest);
  m_storage.append(reinterpret_cast<const char*>(m_block.data()), m_block.size());
  m_view = m_storage;
  return true;
}

void TextLineReader::takeBom() {
  m_atStart = false;
  while (m_view.size() < kUtf8Bom.size() && fill()) {
  }
  if (m_view.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    m_view.remove_prefix(kUtf8Bom.size());
    m_encoding = FileTextEncoding::Utf8WithBom;
  }
}

TextLineReader::Status TextLineReader::next(std::string_view& line) {
  if (m_atStart) takeBom();
  std::size_t searched = 0;
  for (;;) {
    if (m_failed) return Status::ReadFailed;
    const std::size_t end = m_view.find_first_of("\r\n", searched);
    // A CR as the last byte of a block may be the first half of CR LF.
    const bool needMore = end == std::string_view::npos ||
                          (m_view[end] == '\r' && end + 1 == m_view.size() && m_file &&
                           m_fileOffset < m_file->size());
    if (needMore) {
      if (m_view.size() > kMaxLineBytes) return Status::TooLong;
      searched = end == std::string_view::npos ? m_view.size() : end;
      if (fill()) continue;
      if (m_failed) return Status::ReadFailed;
      if (end == std::string_view::npos) {
        if (m_view.empty()) return Status::End;
        line = m_view;
        m_view = {};
        ++m_lineNumber;
        return Status::Line;
      }
    }
    if (end > kMaxLineBytes) return Status::TooLong;
    line = m_view.substr(0, end);
    std::size_t skip = 1;
    if (m_view[end] == '\r' && end + 1 < m_view.size() && m_view[end + 1] == '\n') skip = 2;
    m_view.remove_prefix(end + skip);
    ++m_lineNumber;
    return Status::Line;
  }
}

}  // namespace quorvane
