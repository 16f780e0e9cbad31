#pragma once

class QCoreApplication;

namespace quorvane {

// Loads Qt's own Japanese texts (qtbase_ja), so the parts of Qt's dialogs that the
// program does not label itself (the file list's column headers, the places, context
// menus) speak the same language as the rest of the program. False when the translation
// is not installed; Qt's English texts then stay.
bool installQtTranslations(QCoreApplication& app);

}  // namespace quorvane
