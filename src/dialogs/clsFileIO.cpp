#include "dialogs/clsFileIO.h"

#include <array>
#include <cerrno>
#include <mutex>

#include "dialogs/file_error.h"

namespace quorvane {

namespace {

// File numbers as the file statements hand them out: the lowest free one from 1 to 511.
class FileNumbers {
 public:
  std::int16_t take() {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 1; i < m_used.size(); ++i)
      if (!m_used[i]) {
        m_used[i] = true;
        return static_cast<std::int16_t>(i);
      }
    return 0;
  }
  void give(std::int16_t n) {
    std::lock_guard lock(m_mutex);
    if (n > 0 && static_cast<std::size_t>(n) < m_used.size()) m_used[static_cast<std::size_t>(n)] = false;
  }

 private:
  std::mutex m_mutex;
  std::array<bool, 512> m_used{};
};

FileNumbers& fileNumbers() {
  static FileNumbers numbers;
  return numbers;
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

clsFileIO::~clsFileIO() { FileClose(); }

void clsFileIO::setOpenMode(std::int16_t mode) {
  if (mode != kOutput && mode != kInput)
    throw FileIOError(kErrBadOpenMode, "OpenMode Property へ不正な値が代入された");
  if (m_open) throw FileIOError(kErrAlreadyOpen, "既にファイルはオープンされています");
  m_openMode = mode;
}

bool clsFileIO::FileOpen() {
  if (m_fileName.empty()) return false;
  // Opening a second file over an open one, or with no mode chosen, would lose track of
  // a file; both are refused as an unclassified failure.
  if (m_open || (m_openMode != kOutput && m_openMode != kInput)) {
    m_error = fileError::kUnknown;
    return false;
  }
  if (m_openMode == kOutput) {
    if (!m_output.open(m_fileName)) {
      m_error = m_output.classification();
      return false;
    }
    m_outputFailed = false;
    if (m_encoding == FileTextEncoding::Utf8WithBom) m_output.write(kUtf8Bom);
  } else if (!openInput()) {
    return false;
  }
  m_fileHndl = fileNumbers().take();
  m_open = true;
  return true;
}

bool clsFileIO::openInput() {
  auto file = std::make_unique<FileReader>();
  errno = 0;
  if (!file->open(m_fileName)) {
    // A folder or other non-regular file opens but is not a text file.
    const int e = errno != 0 ? errno : EISDIR;
    m_error = fileError::classifyOpenError(e, false);
    return false;
  }
  m_inputFile = std::move(file);
  m_lines = std::make_unique<TextLineReader>(*m_inputFile);
  m_hasPending = false;
  m_inputEnded = false;
  return true;
}

void clsFileIO::releaseHandle() {
  fileNumbers().give(m_fileHndl);
  m_fileHndl = 0;
}

bool clsFileIO::FileClose() {
  if (!m_open) return true;
  bool ok = true;
  if (m_openMode == kOutput) {
    if (m_outputFailed) {
      m_output.discard();
      ok = false;
    } else if (!m_output.commit()) {
      ok = false;
    }
    if (!ok) m_error = m_output.classification() != 0 ? m_output.classification() : fileError::kUnknown;
  } else {
    m_lines.reset();
    m_inputFile.reset();
  }
  releaseHandle();
  m_open = false;
  if (ok) m_openMode = 0;
  return ok;
}

bool clsFileIO::EndOfFile() {
  if (!m_open || m_openMode != kInput) return true;
  if (!m_hasPending) nextLine();
  return !m_hasPending;
}

std::string clsFileIO::formatOutput(std::string_view value, int kind) {
  std::string v(value);
  switch (kind) {
    case 0: return v + "\r\n";
    case 1: return "'" + v + "'\r\n";
    case 2: return "\"" + v + "\"\r\n";
    case 3: return v;
    case 4: return "'" + v + "'";
    case 5: return "\"" + v + "\"";
    case 6: return v + " ";
    case 7: return v + ",";
    case 8: return "'" + v + "' ";
    case 9: return "\"" + v + "\",";
    default: return {};
  }
}

bool clsFileIO::OutPutData(std::optional<std::string_view> value, int kind) {
  if (kind < 0 || kind > 9) throw FileIOError(kErrBadOutputKind, "OutPutData への引数エラー");
  if (!m_open || m_openMode != kOutput || m_outputFailed) return false;
  auto bytes = encodeText(formatOutput(value.value_or(std::string_view{}), kind), m_encoding);
  // Never a replacement character: a value that cannot be encoded fails the whole file,
  // which FileClose then reports and leaves the old file in place.
  if (!bytes || !m_output.write(*bytes)) {
    m_outputFailed = true;
    return false;
  }
  return true;
}

bool clsFileIO::nextLine() {
  if (m_inputEnded || !m_lines) return false;
  std::string_view raw;
  const auto status = m_lines->next(raw);
  if (status != TextLineReader::Status::Line) {
    m_inputEnded = true;
    return false;
  }
  auto text = decodeText(raw, m_lines->encoding());
  if (!text) {
    m_inputEnded = true;
    return false;
  }
  m_pending = std::move(*text);
  m_hasPending = true;
  return true;
}

bool clsFileIO::InputData(std::string& variable, int kind) {
  if (kind != 0 && kind != 1) throw FileIOError(kErrBadInputKind, "InputData への引数エラー");
  if (!m_open || m_openMode != kInput) return false;
  if (!m_hasPending && !nextLine()) return false;
  if (kind == 0) {
    variable = std::move(m_pending);
    m_hasPending = false;
    return true;
  }
  std::string_view rest = m_pending;
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  std::size_t next = std::string_view::npos;
  if (!rest.empty() && rest.front() == '"') {
    const std::size_t close = rest.find('"', 1);
    variable = std::string(rest.substr(1, close == std::string_view::npos ? close : close - 1));
    const std::size_t comma = close == std::string_view::npos ? close : rest.find(',', close);
    next = comma;
  } else {
    next = rest.find(',');
    variable = std::string(trimBlanks(rest.substr(0, next)));
  }
  if (next == std::string_view::npos) {
    m_hasPending = false;
  } else {
    m_pending = std::string(rest.substr(next + 1));
  }
  return true;
}

}  // namespace quorvane
