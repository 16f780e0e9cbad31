#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QListWidget;

namespace quorvane {

// Gives a file list's items whose names the list is too narrow for their whole name as a
// tool tip. It lives as long as the list it watches.
class ListNameTips : public QObject {
 public:
  explicit ListNameTips(QListWidget* list);

  // The tip for the item at `pos` (viewport coordinates): its text when it is cut off,
  // otherwise empty.
  static QString tipAt(const QListWidget* list, QPoint pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* m_list;
};

}  // namespace quorvane
