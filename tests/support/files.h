#pragma once

// Whole-file reads and writes for tests. Every failure throws std::runtime_error naming
// the file, so a fixture that could not be written fails the test instead of testing
// something else.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testsupport {

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
std::string readText(const std::filesystem::path& path);  // the bytes as they are, no conversion

}  // namespace quorvane::testsupport
