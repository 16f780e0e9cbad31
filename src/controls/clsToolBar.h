#pragma once

#include "controls/clsBorder3D.h"
#include "controls/clsToolButton.h"
#include "controls/picture_box.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace quorvane {

// A toolbar on a drawing surface: picture buttons, separators and foreign controls in one
// row, with mouse handling (press, drag-off cancel, release = click), tool tips, the flat
// cool-bar look that rises under the mouse, and button groups. The surface itself takes
// the mouse (with tracking on and no keyboard focus), so no separate input catcher is
// needed. Geometry is in twips unless a name says pixels.
class clsToolBar : public QObject {
  Q_OBJECT

 public:
  enum ItemKind { KindButton = 0, KindControl = 1, KindSeparator = 2 };

  explicit clsToolBar(QObject* parent = nullptr);
  ~clsToolBar() override;

  PictureBox* Canvas() const { return m_canvas; }
  void setCanvas(PictureBox* canvas);
  void setWorkCanvas(PictureBox* canvas);
  // The timer that notices the mouse leaving the bar (the cool-bar hover).
  void setTimerForMouse(QTimer* timer);
  void setAllowChangeTimer(bool on) { m_allowChangeTimer = on; }
  // Makes the work canvas invisible and builds the checkerboard brush of "BTN_CROSS".
  void Initialize();

  // The button with that ID, or nullptr (separators, controls and unknown IDs).
  clsToolButton* Item(int id) const;
  int BorderWidth() const { return m_borderWidth; }
  void setBorderWidth(int pixels);
  int SeparatorWidth() const { return m_separatorWidth; }
  void setSeparatorWidth(int pixels);
  void setWidth(int twips);
  int MinimumWidth() const { return m_contentWidth; }
  int Height() const { return m_height; }
  void setAutoWidth(bool on) { m_autoWidth = on; }
  bool AutoWidth() const { return m_autoWidth; }
  bool DrawEndline() const { return m_drawEndline; }
  void setDrawEndline(bool on) { m_drawEndline = on; }
  bool CoolBar() const { return m_coolBar; }
  void setCoolBar(bool on);
  bool Enabled(int id) const;
  void setEnabled(int id, bool on);
  bool Value(int id) const;
  void setValue(int id, bool on);
  bool Visible(int id) const;
  void setVisible(int id, bool on);
  void setBarVisible(bool on);

  // Returns the new item's index, or -1 when id <= 0.
  int AddButton(const QImage& picture, int id, int mode, const QString& toolTip);
  // A foreign control placed on the bar's container; returns its index.
  int AddItem(QWidget* control, const QString& toolTip);
  int AddSeparator();
  void RemoveItem(int index);
  void Group(int firstId, int lastId, bool allowNone);
  void Show();
  void Move(int left, int top, int width = -1, int height = -1);

  int count() const { return static_cast<int>(m_items.size()); }
  int itemKind(int index) const;
  // x of a separator's line (twips), 0 for other items.
  int separatorPosition(int index) const;
  int pressedIndex() const { return m_pressedIndex; }
  int hotIndex() const { return m_hotIndex; }
  const QImage& patternBrush() const { return m_patternBrush; }

  // One tick of the mouse-leave test: when the widget under the cursor is not the bar,
  // the hover look is lowered.
  void TimerTick();

 signals:
  void ButtonClick(int id, quorvane::clsToolButton* button);
  void RightButtonClick(double x, double y);

 private:
  struct ItemRecord {
    int kind = KindButton;
    std::unique_ptr<clsToolButton> button;
    QPointer<QWidget> control;
    int id = 0;
    int group = 0;
    int separatorPos = 0;
    bool allowNone = false;
  };

  void Layout();
  void etchedLine(double x);
  int itemAt(std::optional<double> x, std::optional<double> y) const;
  bool itemEnabled(int index) const;
  int indexOf(int id) const;
  void applyGroupRule(int index);
  void placeControl(ItemRecord& item, int leftTwips, int topTwips);
  void onMouseDown(int button, int shift, double x, double y);
  void onMouseMove(int button, int shift, double x, double y);
  void onMouseUp(int button, int shift, double x, double y);
  void hover(std::optional<double> x, std::optional<double> y, bool forced);

  QPointer<PictureBox> m_canvas;
  QPointer<PictureBox> m_workCanvas;
  QPointer<QTimer> m_timer;
  std::vector<ItemRecord> m_items;
  bool m_autoWidth = false;
  bool m_drawEndline = false;
  bool m_coolBar = false;
  int m_separatorWidth = 10;
  int m_borderWidth = 2;
  int m_pressedIndex = -1;
  int m_hotIndex = -1;
  bool m_suspend = false;
  bool m_allowChangeTimer = false;
  int m_contentWidth = 0;
  int m_height = 0;
  QImage m_patternBrush;
  clsBorder3D m_frameBorder;
  clsBorder3D m_buttonBorder;
};

}  // namespace quorvane
