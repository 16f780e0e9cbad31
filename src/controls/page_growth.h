#pragma once

#include <QSize>
#include <algorithm>

namespace quorvane {

// How far a page has grown beyond the default size its fixed places were drawn for; never
// negative, and nothing while the default is not known yet. The pages give the growth to
// their file list and detail box and move their buttons by it.
inline QSize pageGrowth(QSize now, QSize defaultSize) {
  if (!defaultSize.isValid()) return {0, 0};
  return {std::max(0, now.width() - defaultSize.width()), std::max(0, now.height() - defaultSize.height())};
}

}  // namespace quorvane
