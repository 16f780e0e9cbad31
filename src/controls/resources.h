#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QString>

// The program's compiled-in resources: toolbar bitmaps and their tool-tip strings (by
// number), the named bitmaps "STATUSBAR" and "BTN_CROSS", the link cursor 100 and the
// program icon.
namespace quorvane {

// Registers the resources of the static GUI library. Every loader below calls it; call
// it yourself only to use the ":/controls/..." paths directly. Safe to call repeatedly.
void initControlResources();

// A bitmap by number (3, 30, 40, 41, 50, 51) or by name ("STATUSBAR", "BTN_CROSS"), as a
// 32-bit RGB image; a null image for an unknown resource.
QImage LoadResPicture(int id);
QImage LoadResPicture(const QString& name);
// A resource string by number; empty for an unknown number.
QString LoadResString(int id);
// The cursor by number (100: the pointing hand used over links); the arrow for others.
QCursor LoadResCursor(int id);
// The program's icon.
QIcon programIcon();

}  // namespace quorvane
