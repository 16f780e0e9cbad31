#include "version/image_fetch.h"

#include "version/version_limits.h"

namespace quorvane::imageFetch {

std::optional<Bytes> Fetcher::fetch(std::uint64_t offset, std::uint64_t length, VersionError error,
                                    const char* context) {
  const std::uint64_t size = m_source.size();
  if (length > versionLimits::kMaxFetchBytes) return fail(error, offset, context);
  if (offset > size || length > size - offset) return fail(error, offset, context);
  if (!m_source.readAt(offset, static_cast<std::size_t>(length), m_scratch))
    return fail(VersionError::ReadFailed, offset, context);
  return Bytes(m_scratch.data(), m_scratch.size());
}

std::nullopt_t Fetcher::fail(VersionError error, std::uint64_t offset, const char* context) {
  m_fault = VersionFault{error, offset, context};
  return std::nullopt;
}

}  // namespace quorvane::imageFetch
