#pragma once

#include <QString>
#include <QVariant>

class QWidget;

namespace quorvane {

// Centres `form` on `parent`, or on the screen when `parent` is null. False, and the
// window left where it was, when it is wider or taller than the screen.
bool CenterForm(QWidget* form, QWidget* parent);

// Fits a window that is too large to centre into the screen's work area.
void fitIntoScreen(QWidget* form);

// For every control of `form` whose type name (without namespace, compared in upper case)
// equals `typeName`, or every control when it is empty, sets "ENABLED" or "TABSTOP"
// (case-insensitive) to `value`. Other properties are ignored.
void SetControlsProperty(QWidget* form, const QString& typeName, const QString& property, bool value);

}  // namespace quorvane
