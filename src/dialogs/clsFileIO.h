#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/file_reader.h"
#include "dialogs/file_text_encoding.h"
#include "dialogs/replacing_file.h"
#include "dialogs/text_lines.h"

namespace quorvane {

// A misuse of clsFileIO: a programming mistake, not a file problem.
class FileIOError : public std::runtime_error {
 public:
  FileIOError(std::uint32_t number, std::string description)
      : std::runtime_error(description), Number(number), Description(std::move(description)) {}
  std::uint32_t Number;
  std::string Source = "clsFileIO";
  std::string Description;
};

// One sequential text file: name it, choose output or input, open, write values with a
// chosen ending or read lines, close. A failed open is classified into `Error`
// (the values of fileError) and shows no message.
class clsFileIO {
 public:
  static constexpr std::int16_t kOutput = 1;
  static constexpr std::int16_t kInput = 2;
  static constexpr std::uint32_t kErrBadOpenMode = 0x80040001;
  static constexpr std::uint32_t kErrAlreadyOpen = 0x80040002;
  static constexpr std::uint32_t kErrBadOutputKind = 0x80040003;
  static constexpr std::uint32_t kErrBadInputKind = 0x80040004;

  clsFileIO() = default;
  ~clsFileIO();  // closes the file, as Class_Terminate does
  clsFileIO(const clsFileIO&) = delete;
  clsFileIO& operator=(const clsFileIO&) = delete;

  const std::string& FileName() const { return m_fileName; }
  void setFileName(std::string name) { m_fileName = std::move(name); }
  std::int16_t OpenMode() const { return m_openMode; }
  void setOpenMode(std::int16_t mode);  // raises kErrBadOpenMode or kErrAlreadyOpen
  std::int16_t FileHndl() const { return m_fileHndl; }
  std::int32_t Error() const { return m_error; }
  bool EndOfFile();

  // How output is encoded (input detects it from a byte-order mark). Our addition: a
  // file whose text Shift_JIS cannot hold is written as UTF-8 instead of losing text.
  FileTextEncoding Encoding() const { return m_encoding; }
  void setEncoding(FileTextEncoding encoding) { m_encoding = encoding; }

  bool FileOpen();
  bool FileClose();

  // Writes one value with the ending kind 0 to 9; no value writes an empty text.
  // False when no file is open for output, the text cannot be encoded, or writing failed.
  bool OutPutData(std::optional<std::string_view> value = std::nullopt, int kind = 0);

  // Kind 0 reads a whole line, kind 1 one comma-delimited item. False at the end of the
  // file or on a read error.
  bool InputData(std::string& variable, int kind = 0);

  // The text OutPutData writes for a value and an ending kind 0 to 9.
  static std::string formatOutput(std::string_view value, int kind);

 private:
  bool openInput();
  bool nextLine();
  void releaseHandle();

  std::string m_fileName;
  std::int16_t m_openMode = 0;
  std::int16_t m_fileHndl = 0;
  std::int32_t m_error = 0;
  FileTextEncoding m_encoding = FileTextEncoding::ShiftJis;
  bool m_open = false;
  bool m_outputFailed = false;
  ReplacingFile m_output;
  std::unique_ptr<FileReader> m_inputFile;
  std::unique_ptr<TextLineReader> m_lines;
  std::string m_pending;      // the unread rest of the current input line
  bool m_hasPending = false;
  bool m_inputEnded = false;
};

}  // namespace quorvane
