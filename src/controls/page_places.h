#pragma once

#include <QString>
#include <optional>

// The texts of the pages' boxes (folders, file kind, record and result paths), kept in the
// program's settings group so that the next start finds them again.
namespace quorvane::pagePlaces {

// The text saved under `key`; nothing when it was never saved, so the page keeps its default.
std::optional<QString> saved(const QString& key);

void save(const QString& key, const QString& text);

}  // namespace quorvane::pagePlaces
