#pragma once

#include <string>

namespace quorvane::testsupport {

// Makes a FIFO (a named pipe that blocks its reader) at `path`; false where the system
// has no such thing (Windows), so that the test can skip what needs one.
bool makeFifo(const std::string& path);

}  // namespace quorvane::testsupport
