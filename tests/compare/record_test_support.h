#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "extraction/ExtractionResult.h"
#include "extraction/FileVersionEntry.h"

namespace quorvane::testing {

// A fresh folder for one test, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("quorvane-records-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
  }
  std::string file(std::string_view name) const { return (m_path / name).string(); }
  const std::filesystem::path& path() const { return m_path; }
  std::size_t count() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_path),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path m_path;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline FileVersionEntry makeEntry(std::string name, std::string fixed, std::string str, std::int64_t size,
                                  std::string date, std::string time) {
  FileVersionEntry e;
  e.FullPath = std::move(name);
  e.NamePos = 1;
  e.FixedVersion = std::move(fixed);
  e.StringVersion = std::move(str);
  e.Size = size;
  e.Date = std::move(date);
  e.Time = std::move(time);
  return e;
}

// An extraction of the folder C:\TEST whose files are the given entries (names are
// their display names), shown in the order given by `order` (storage order when empty).
inline ExtractionResult makeExtraction(std::vector<FileVersionEntry> entries, std::vector<std::int32_t> order = {}) {
  ExtractionResult r;
  for (auto& e : entries) {
    r.DisplayNames.push_back(e.FullPath);
    e.FullPath = "C:\\TEST\\" + e.FullPath;
    e.NamePos = 9;
  }
  r.Entries = std::move(entries);
  r.LastIndex = static_cast<std::int32_t>(r.Entries.size()) - 1;
  if (order.empty())
    for (std::int32_t i = 0; i <= r.LastIndex; ++i) order.push_back(i);
  r.Order = std::move(order);
  r.RunDate = "98/06/15";
  r.RunTime = "10:23:45";
  r.RunFolder = "C:\\TEST";
  r.RunKind = "*.*";
  r.ExtractionDone = true;
  return r;
}

}  // namespace quorvane::testing
