#pragma once

#include <QString>

class QWidget;

namespace quorvane {

// The program's per-user settings: organisation and application "Quorvane", group
// "Settings", every value a text.
QString readSetting(const QString& key);
void writeSetting(const QString& key, const QString& value);

// Reads "MainLeft" and "MainTop" (twips) and applies each when it is at least 1 and lies
// inside the screen; a resizable window also takes "MainWidth" and "MainHeight" when
// they exceed the minimums (twips), and "MainMaximized" = 1 makes it show maximised.
// Missing or non-numeric values are ignored.
void LoadWindowPlacement(QWidget* form, bool fixedSize, int minWidth, int minHeight);

// Writes the position (and for a resizable window the size and "MainMaximized", 1 or 0)
// as decimal texts in twips, unless the window is minimised. A maximised window's place
// is the one it returns to.
void SaveWindowPlacement(QWidget* form, bool fixedSize);

}  // namespace quorvane
