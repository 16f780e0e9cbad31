#pragma once

// A GUI test process keeps its home, settings and configuration inside the build tree,
// never in the user's own: Qt's file dialog, for one, writes its history there. Each
// process gets a settings folder of its own, so tests running side by side never share one.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace quorvane::testsupport {

class PrivateConfiguration {
 public:
  // Create it before the QApplication; the folder goes when it is destroyed.
  PrivateConfiguration() : m_dir(home() + QStringLiteral("/config-XXXXXX")) {
    const QByteArray folder = QFile::encodeName(home());
    qputenv("HOME", folder);
    qputenv("XDG_CACHE_HOME", folder + "/.cache");
    qputenv("XDG_DATA_HOME", folder + "/.local/share");
    qputenv("XDG_STATE_HOME", folder + "/.local/state");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
  }

 private:
  static QString home() {
    const QString folder = QStringLiteral(QUORVANE_BINARY_DIR "/test-home");
    QDir().mkpath(folder);
    return folder;
  }
  QTemporaryDir m_dir;
};

}  // namespace quorvane::testsupport
