#include "controls/list_name_tips.h"

#include <QEvent>
#include <QHelpEvent>
#include <QListWidget>
#include <QStyle>
#include <QToolTip>

namespace quorvane {

ListNameTips::ListNameTips(QListWidget* list) : QObject(list), m_list(list) {
  list->viewport()->installEventFilter(this);
}

QString ListNameTips::tipAt(const QListWidget* list, QPoint pos) {
  const QListWidgetItem* item = list->itemAt(pos);
  if (!item) return {};
  // The item's text starts after the focus frame's margin; the visible part ends at the
  // viewport's right edge.
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  const int left = list->visualItemRect(item).left() + margin;
  const int needed = list->fontMetrics().horizontalAdvance(item->text()) + margin;
  return left + needed > list->viewport()->width() ? item->text() : QString();
}

bool ListNameTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QString tip = tipAt(m_list, help->pos());
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help->globalPos(), tip, m_list->viewport());
  return true;
}

}  // namespace quorvane
