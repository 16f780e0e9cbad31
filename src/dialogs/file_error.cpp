#include "dialogs/file_error.h"

#include <cerrno>

namespace quorvane::fileError {

int classifyOpenError(int e, bool readOnlyFile) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
#if defined(ELOOP)
    case ELOOP:
#endif
      return kBadName;
    case EACCES:
    case EPERM:
      return readOnlyFile ? kReadOnly : kLocked;
    case EROFS:
      return kReadOnly;
    case EBUSY:
    case ETXTBSY:
#if defined(EWOULDBLOCK) && EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EAGAIN:
      return kLocked;
    case ENXIO:
    case ENODEV:
#if defined(ENOMEDIUM)
    case ENOMEDIUM:
#endif
      return kNotReady;
    default:
      return kUnknown;
  }
}

const char* openErrorMessage(int classification) {
  switch (classification) {
    case kReadOnly:
      return "指定されたファイルは書き込み保護属性になっています";
    case kLocked:
      return "ファイルはロックされています";
    case kBadName:
      return "ファイル名が間違っています";
    case kNotReady:
      return "指定されたドライブにディスクがありません";
    default:
      return "原因不明のエラーです";
  }
}

}  // namespace quorvane::fileError
