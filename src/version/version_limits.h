#pragma once

#include <cstddef>
#include <cstdint>

// Every bound the version reader puts on untrusted images in one place, so that a hostile
// size, offset or count can only ever cost a small, fixed amount of memory and work.
namespace quorvane::versionLimits {

// wLength of the version block is 16 bits, so no real block is larger.
inline constexpr std::size_t kMaxVersionBlockBytes = 64 * 1024;

// Depth of a value path ("\StringFileInfo\040904E4\FileVersion" is 3).
inline constexpr std::size_t kMaxNestingDepth = 8;

// Entries read from one resource directory; real images have a few dozen at most in the
// directories the reader visits (types, names of the version type, languages).
inline constexpr std::size_t kMaxResourceDirEntries = 4096;

// The section table is read in one piece; far above any real image.
inline constexpr std::size_t kMaxSections = 1024;

// An NE resource table sits between two 16-bit offsets of its header.
inline constexpr std::size_t kMaxNeResourceTableBytes = 0xFFFF;

// Larger NE alignment shifts never occur; they would only turn small numbers into
// far-away offsets.
inline constexpr std::uint16_t kMaxNeAlignShift = 24;

// No single read of the locator is larger (the biggest are the version block itself,
// the section table and an NE resource table).
inline constexpr std::size_t kMaxFetchBytes = 128 * 1024;

// Size of the fixed-information structure at "\".
inline constexpr std::size_t kFixedFileInfoBytes = 52;

}  // namespace quorvane::versionLimits
