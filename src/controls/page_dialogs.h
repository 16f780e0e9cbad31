#pragma once

#include <QString>

namespace quorvane {

// What a box names, for the folder a dialog opens in.
enum class BoxHolds { Folder, File };

// The folder a dialog for a box opens in: the box's folder (for a file name, the folder
// part), moved up while it does not exist; `fallback` when nothing is left.
QString dialogStartFolder(const QString& boxText, BoxHolds holds, const QString& fallback);

// The program's own folder with a trailing separator.
QString programFolder();

// The question asked before a save replaces an existing file, naming it.
QString replaceQuestion(const QString& path);

}  // namespace quorvane
