#include "controls/resources.h"

#include <QFile>
#include <QHash>
#include <QPixmap>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerControlsQrc() { Q_INIT_RESOURCE(controls); }

namespace quorvane {

namespace {

QImage loadImage(const QString& path) {
  initControlResources();
  QImage img(path);
  if (img.isNull()) return img;
  return img.convertToFormat(QImage::Format_RGB32);
}

QHash<int, QString> readStrings() {
  QHash<int, QString> table;
  QFile file(QStringLiteral(":/controls/strings.txt"));
  if (!file.open(QIODevice::ReadOnly)) return table;
  // One "number TAB text" per line, UTF-8.
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0) continue;
    bool ok = false;
    const int id = line.left(tab).toInt(&ok);
    if (ok) table.insert(id, line.mid(tab + 1).trimmed());
  }
  return table;
}

}  // namespace

void initControlResources() {
  static const bool done = [] {
    registerControlsQrc();
    return true;
  }();
  (void)done;
}

QImage LoadResPicture(int id) { return loadImage(QStringLiteral(":/controls/bitmap/%1").arg(id)); }

QImage LoadResPicture(const QString& name) {
  if (name.isEmpty() || name.contains(QLatin1Char('/'))) return QImage();
  return loadImage(QStringLiteral(":/controls/bitmap/") + name.toUpper());
}

QString LoadResString(int id) {
  initControlResources();
  static const QHash<int, QString> table = readStrings();
  return table.value(id);
}

QCursor LoadResCursor(int id) {
  initControlResources();
  QPixmap pix(QStringLiteral(":/controls/cursor/%1").arg(id));
  if (pix.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(pix, 5, 0);  // the tip of the index finger
}

QIcon programIcon() {
  initControlResources();
  return QIcon(QPixmap(QStringLiteral(":/controls/icon/program")));
}

}  // namespace quorvane
