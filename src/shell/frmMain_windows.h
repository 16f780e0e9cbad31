#pragma once

#include <QString>

class QWidget;

namespace quorvane {

// Opens the help window on `helpFile` without blocking; the window, or null when it closed
// itself while loading.
QWidget* showHelpWindow(QWidget* owner, const QString& helpFile);

// Shows the version information window modally over `owner`.
void showAboutBox(QWidget* owner);

}  // namespace quorvane
