#pragma once

#include <string>

namespace quorvane::help::testing {

// Writes a help file (UTF-8 text, stored as code page 932 with CR LF) into the build
// folder and returns its path.
std::string writeHelpFile(const std::string& name, const std::string& utf8Text);

}  // namespace quorvane::help::testing
