#pragma once

#include <string>

// Classification of a failed file open, as callers turn it into a user message.
namespace quorvane::fileError {

inline constexpr int kNone = 0;
inline constexpr int kReadOnly = 1;   // the file is write-protected
inline constexpr int kLocked = 2;     // access denied otherwise: in use, locked, no permission
inline constexpr int kBadName = 3;    // bad name, file or path not found
inline constexpr int kNotReady = 4;   // device not ready, no medium
inline constexpr int kUnknown = -1;

// Maps an errno value from opening or creating a file to the classes above.
// `readOnlyFile` is true when the file exists and carries no write permission.
int classifyOpenError(int errnoValue, bool readOnlyFile);

// The message shown for a classification.
const char* openErrorMessage(int classification);

}  // namespace quorvane::fileError
