#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

#include "help/help_document.h"

class QScrollBar;

namespace quorvane {
class PictureBox;
}

namespace quorvane::help {

class PageSurface;
class PictureSurface;

// The help renderer as its host window sees it: given a back frame, a canvas inside it,
// a hidden work canvas and a scroll bar, it draws a topic of a help file, scrolls it,
// shows a hand and a tooltip over links and reports link clicks. The host decides what
// a click means; the renderer only launches internet addresses handed back to it.
class clsHTML : public QObject {
  Q_OBJECT

 public:
  // Hands an address or file to the desktop; returns whether it was started.
  using Launcher = std::function<bool(const QString&)>;

  explicit clsHTML(QObject* parent = nullptr);
  ~clsHTML() override;

  bool GoNext();
  bool GoBack();
  bool DispHTML(bool reload = false);
  bool Initialize();

  void setCanvas(PictureBox* canvas);
  void setWorkCanvas(PictureBox* work);
  void setVScroll(QScrollBar* scroll);
  void setBackFrame(PictureBox* frame);
  void setEnableDispEnd(bool on) { m_doc.setEnableDispEnd(on); }
  void setFontSize(int value) { m_doc.setFontSize(value); }
  QString PlaneText() const;
  bool AutoHeight() const { return m_autoHeight; }
  void setAutoHeight(bool on) { m_autoHeight = on; }
  int CanvasHeight() const;
  // Height of the drawn page in twips, as the last pass left it (the box below it may
  // keep spare memory).
  int PageHeight() const;
  int CanvasTop() const;
  int CanvasLeft() const;
  QString HtmlFile() const;
  void setHtmlFile(const QString& name);
  QString CurName() const;
  void setCurName(const QString& name);
  void Move(int left, int top, int width = -1, int height = -1);
  // Launches the pending internet address.
  void ShowBrowser();
  // Opens the help file itself with the desktop's default program.
  void ShowHelpFileInBrowser();

  // For hosts and tests: what the renderer knows about the page.
  const HelpDocument& document() const { return m_doc; }
  const RenderResult& lastResult() const { return m_lastResult; }
  int hoverIndex() const { return m_hoverIndex; }
  bool isHovering() const { return m_hovering; }
  void setLauncher(Launcher launcher) { m_launcher = std::move(launcher); }

  // The event handlers of the surfaces (public so that hosts and tests can drive them).
  void canvasMouseMove(double x, double y);
  void canvasMouseDown(int button, double x, double y);
  // Home, End, Page Up, Page Down, and Up and Down (by the large change with Shift).
  void handleKey(int keyCode, int shift);
  // A turn of the mouse wheel over the page or the scroll bar (120 per notch, up positive).
  void wheelScroll(int angleDelta);
  void backFrameResize();
  void scrollChanged();

 signals:
  void LinkClick(const QString& target);
  void LinkRightClick(const QString& target);
  void MouseDown(int button);
  void DispDone();
  // An address or the help file could not be handed to any program.
  void LaunchFailed(const QString& target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void launch(const QString& target);
  void applyScrollSettings();

  HelpDocument m_doc;
  QPointer<PictureBox> m_canvas;
  QPointer<PictureBox> m_work;
  QPointer<PictureBox> m_backFrame;
  QPointer<QScrollBar> m_scroll;
  std::unique_ptr<PageSurface> m_canvasSurface;
  std::unique_ptr<PictureSurface> m_workSurface;
  RenderResult m_lastResult;
  int m_hoverIndex = -1;
  bool m_hovering = false;
  bool m_autoHeight = false;
  bool m_resizing = false;
  int m_largeChange = 1;
  Launcher m_launcher;
};

}  // namespace quorvane::help
