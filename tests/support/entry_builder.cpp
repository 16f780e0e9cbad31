#include "support/entry_builder.h"

#include <utility>

namespace quorvane::testsupport {

FileVersionEntry makeEntry(std::string name, std::string fixed, std::string str, std::int64_t size,
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

ExtractionResult makeExtraction(std::vector<FileVersionEntry> entries, std::vector<std::int32_t> order) {
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

}  // namespace quorvane::testsupport
