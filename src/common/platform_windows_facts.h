#pragma once

#include <windows.h>

#include "common/platform.h"

// Shared by the Windows platform files: one file's find data as the rest of the program
// sees it.
namespace quorvane::platform {

// What fileFacts tells of the file that `data` describes (attributes, size, write time).
FileFacts factsOfFindData(const WIN32_FIND_DATAW& data);

}  // namespace quorvane::platform
