#pragma once

#include <sys/stat.h>

#include <string>

#include "common/platform.h"

// Shared by the POSIX platform files: one stat result as the rest of the program sees it.
namespace quorvane::platform {

// What fileFacts(path) tells of the file that `st` describes.
FileFacts factsOfStat(const struct stat& st, const std::string& path);

}  // namespace quorvane::platform
