#pragma once

#include "controls/clsBitMapEx.h"
#include "controls/clsBorder3D.h"
#include "controls/picture_box.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

namespace quorvane {

// A status bar on a drawing surface: one line of text (BarStyle 1) or a row of panels
// with their own frames, texts and colours, and in both styles the size grip in the
// bottom-right corner. It repaints on every text change and on the surface's paint and
// resize. Geometry is in twips. A panel index outside the panels is a programming error
// (std::out_of_range).
class clsStatusBar : public QObject {
  Q_OBJECT

 public:
  // Pixels between the frame's left edge and the simple text.
  static constexpr int kSimpleTextMargin = 4;

  struct Panel {
    int AutoSize = 0;  // 0 fixed; 1 or 2: follows the text and shares the spare room
    int Width = 1440;  // twips
    int Style = 0;     // stored only
    QString Text;
    int Bevel = 0;  // 0 none, 1 inset, 2 raised
    OleColor TextColor = 0;
  };

  explicit clsStatusBar(QObject* parent = nullptr);
  ~clsStatusBar() override;

  void AddPanel();
  int panelCount() const { return static_cast<int>(m_panels.size()); }
  const Panel& panel(int index) const;
  // These store without repainting.
  void setBevel(int index, int value);
  void setStyle(int index, int value);
  void setTextColor(int index, OleColor value);
  void setAutoSize(int index, int value);
  // Stores and repaints.
  void setText(int index, const QString& text);
  QString Text(int index) const { return panel(index).Text; }

  QFont Font() const;
  void setFont(const QFont& font);
  int Height() const;
  PictureBox* Canvas() const { return m_canvas; }
  void setCanvas(PictureBox* canvas);
  const QString& SimpleText() const { return m_simpleText; }
  void setSimpleText(const QString& text);
  int BarStyle() const { return m_barStyle; }
  void setBarStyle(int style);
  void Show();

  clsBorder3D& border() { return m_border; }
  const clsBitMapEx& grip() const { return m_grip; }

 private:
  Panel& panelRef(int index);
  void repaint();
  void paintSimple(double sw, double sh);
  void paintPanels(double sw, double sh);
  void layoutPanelWidths(double room);
  void printClipped(const QString& text, double limit);

  std::vector<Panel> m_panels;
  int m_barStyle = 0;
  QString m_simpleText;
  QPointer<PictureBox> m_canvas;
  clsBorder3D m_border;
  clsBitMapEx m_grip;
};

}  // namespace quorvane
