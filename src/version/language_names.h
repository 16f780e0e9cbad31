#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// The Japanese display name of a Windows language identifier, as a Japanese system names
// it ("日本語", "英語 (米国)"). Identifiers not in the table get the name of their primary
// language with the identifier, or "不明な言語" with the identifier.
std::string languageName(std::uint16_t languageId);

}  // namespace quorvane
