#pragma once

#include <string>
#include <string_view>

// Expansion of the compressed program files of setup media, and the two folders the
// extraction page proposes.
namespace quorvane::basDecompress {

// Why an expansion failed; None when it succeeded.
enum class ExpandError {
  None,
  SourceMissing,      // there is no file of the source's name
  SourceIsFolder,     // the source names a folder
  SourceUnreadable,   // the source cannot be opened or read
  FolderUnavailable,  // the target folder cannot be created
  CorruptSource,      // SZDD data that is truncated, damaged or too large
  TargetUnwritable,   // the target cannot be written or put in place
};

// Expands `source` into `folder` under `name`; a file that is not compressed is copied
// unchanged. True when the target now holds the expanded file.
bool ExpandFile(std::string_view source, std::string_view folder, std::string_view name);

// The same with the reason of a failure. The target is written under a temporary name and
// renamed into place, so it is never left half-written, and a failed expansion leaves an
// older file of the target's name exactly as it was: the expansion never destroys what it
// did not make. The expanded copy keeps the source's last-write time, and is readable and
// writable by no one its source does not allow.
ExpandError ExpandFileChecked(std::string_view source, std::string_view folder, std::string_view name);

// The folder for temporary files, with a trailing separator ($TMPDIR or /tmp on POSIX).
std::string TempFolder();

// True when `folder` is the temporary folder itself, which other users share: nothing is
// expanded straight into it (see PrivateFolder).
bool IsTempFolder(std::string_view folder);

// The Windows system folder, with a trailing separator. Elsewhere the system32 folder of
// the user's Wine prefix when it exists, else the home folder.
std::string SystemFolder();

// The name a compressed file gets when expanded: DL_, EX_, OC_, TL_ and OL_ (in any case)
// become DLL, EXE, OCX, TLB and OLB; other names stay as they are.
std::string ExpandedFileName(std::string_view fileName);

// A short Japanese description of an error, for messages.
const char* describe(ExpandError error);

}  // namespace quorvane::basDecompress
