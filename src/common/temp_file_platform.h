#pragma once

#include <cstdio>
#include <string>

#include "common/temp_file.h"

// What TempFile asks of the system, one implementation per platform (temp_file_posix.cpp,
// temp_file_windows.cpp).
namespace quorvane::tempFilePlatform {

// Installs `handler` for each signal that ends the program (SIGINT, SIGTERM and, where
// there is one, SIGHUP) whose action is still the default. A
// signal the program ignores (nohup) stays ignored, and a handler someone else installed
// stays theirs: neither ends the program, so there is nothing to clean up for it.
void installTerminationHandler(void (*handler)(int));

// Removes a file by name; safe inside a signal handler.
void removeInHandler(const char* path);

// Opens a new file only: an existing name, or a link planted under it, fails with
// EEXIST. Created with no more than `permissions`; exactly them when `mode` says so.
// nullptr with errno set on failure.
std::FILE* createNew(const std::string& path, unsigned permissions, TempPermissions mode);

// Holds those signals back in the calling thread, and lets them through again.
void holdTerminationSignals();
void releaseTerminationSignals();

}  // namespace quorvane::tempFilePlatform
