#pragma once

#include <QString>

#include "dialogs/clsCommonDialog.h"

namespace quorvane {

// Both pages' save dialogs: ask before replacing, no read-only box, the folder must exist,
// explorer style, long names.
inline constexpr std::int32_t kSaveDialogFlags = clsCommonDialog::OFN_OVERWRITEPROMPT |
    clsCommonDialog::OFN_HIDEREADONLY | clsCommonDialog::OFN_PATHMUSTEXIST | clsCommonDialog::OFN_EXPLORER |
    clsCommonDialog::OFN_LONGNAMES;

// What a box names, for the folder a dialog opens in.
enum class BoxHolds { Folder, File };

// The folder a dialog for a box opens in: the box's folder (for a file name, the folder
// part), moved up while it does not exist; for an empty box the folder last used for
// `purpose` (lastFolder), which is the documents or home folder the first time.
QString dialogStartFolder(const QString& boxText, BoxHolds holds, const QString& purpose);

// The question asked before a save replaces an existing file, naming it.
QString replaceQuestion(const QString& path);

}  // namespace quorvane
