#pragma once

#include "controls/picture_box.h"

#include <QObject>
#include <QPointer>
#include <QShortcut>
#include <QString>

#include <vector>

namespace quorvane {

// A row of page tabs in the classic 3D look drawn on a surface, with mouse, arrow-key
// and access-key selection. It owns no page contents: the form listens to TabChanged,
// reads SelectedIndex and places its pages inside ClientLeft/Top/Width/Height (twips).
// Geometry inside the strip is in pixels.
//
// Access keys: each tab with a key gets an Alt+key shortcut on the surface's window that
// calls AccelKeyCmdBtnClicked(button base + tab + 1), as an access-key button would.
class clsTabStrip : public QObject {
  Q_OBJECT

 public:
  struct Tab {
    QString caption;
    int left = 0;
    int top = 2;
    int width = 0;
    int height = 0;
    bool selected = false;
    QString accessKey;
  };

  explicit clsTabStrip(QObject* parent = nullptr);
  ~clsTabStrip() override;

  PictureBox* Picture() const { return m_picture; }
  void setPicture(PictureBox* picture);
  // The base that access-key numbers are counted from (tab i reports base + i + 1).
  int buttonBase() const { return m_buttonBase; }
  void setButtonBase(int base) { m_buttonBase = base; }

  void Add(const QString& caption, const QString& accessKey);
  int Count() const { return static_cast<int>(m_tabs.size()); }
  void AccelKeyCmdBtnClicked(int buttonIndex);

  int ClientLeft() const;
  int ClientTop() const;
  int ClientWidth() const;
  int ClientHeight() const;
  int Top() const;
  void setTop(int twips);
  int Height() const;
  int SelectedIndex() const { return m_selected; }
  // Selects by program: repaints, raises no event; values at or beyond Count are ignored.
  void setSelectedIndex(int index);

  const Tab& tab(int index) const { return m_tabs.at(static_cast<std::size_t>(index)); }
  static QString labelOf(const Tab& tab);
  int padX() const { return m_padX; }
  int padY() const { return m_padY; }

 signals:
  void TabChanged();
  void Click();
  void KeyDown(int keyCode, int shift);

 private:
  void repaint();
  void drawTab(int index);
  void printLabel(const Tab& tab);
  void drawPageFrame();
  void drawFocusMark(bool gained);
  void line(OleColor color, std::initializer_list<QPoint> points);
  void selectByUser(int index);
  void onMouseDown(int button, int shift, double x, double y);
  void onKeyDown(int keyCode, int shift);

  QPointer<PictureBox> m_picture;
  std::vector<Tab> m_tabs;
  std::vector<QPointer<QShortcut>> m_shortcuts;
  int m_selected = 0;
  int m_buttonBase = 0;
  int m_padX;
  int m_padY;
};

}  // namespace quorvane
