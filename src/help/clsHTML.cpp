#include "help/clsHTML.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "controls/picture_box.h"
#include "controls/resources.h"
#include "controls/twips.h"
#include "help/html_attributes.h"
#include "help/page_surface.h"

namespace quorvane::help {

namespace {
constexpr int kVkPageUp = 0x21, kVkPageDown = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkUp = 0x26, kVkDown = 0x28;

bool isScrollKey(int vk) { return (vk >= kVkPageUp && vk <= kVkHome) || vk == kVkUp || vk == kVkDown; }

// The hourglass for the length of a scope.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

bool openWithDesktop(const QString& target) {
  const QUrl url = isInternetAddress(target.toStdString()) ? QUrl(target) : QUrl::fromLocalFile(target);
  return QDesktopServices::openUrl(url);
}
}  // namespace

clsHTML::clsHTML(QObject* parent) : QObject(parent), m_launcher(openWithDesktop) {}

clsHTML::~clsHTML() = default;

bool clsHTML::GoNext() {
  const auto topic = m_doc.nextTopic();
  if (!topic) return false;
  m_doc.setCurName(*topic);
  return DispHTML(false);
}

bool clsHTML::GoBack() {
  const auto topic = m_doc.previousTopic();
  if (!topic) return false;
  m_doc.setCurName(*topic);
  return DispHTML(false);
}

bool clsHTML::DispHTML(bool reload) {
  if (m_doc.hasPendingAddress()) {
    launch(QString::fromStdString(m_doc.takePendingAddress()));
    return true;
  }
  WaitCursor wait;
  if ((reload || !m_doc.isLoaded()) && !m_doc.load(true)) return false;
  bool ok = false;
  if (Initialize()) {
    m_lastResult = m_doc.render(*m_canvasSurface, *m_workSurface);
    m_canvasSurface->settle();
    ok = m_lastResult.ok;
    if (ok) applyScrollSettings();
    m_canvas->update();
  }
  emit DispDone();
  return ok;
}

void clsHTML::applyScrollSettings() {
  m_backFrame->setBackColor(m_canvas->BackColor());
  m_backFrame->Cls();
  const ScrollSettings s = computeScrollSettings(CanvasHeight(), m_backFrame->Height(), TwipsPerPixelY());
  m_scroll->setEnabled(s.enabled);
  if (s.enabled) {
    m_scroll->setMinimum(0);
    m_scroll->setMaximum(s.maximum);
    // A click in the trough and Page Up / Page Down move by what the frame shows;
    // Shift with an arrow keeps the large change.
    m_scroll->setPageStep(std::max(1, m_backFrame->height()));
    m_scroll->setSingleStep(s.smallChange);
    m_largeChange = s.largeChange;
  }
  if (m_autoHeight) {
    m_resizing = true;
    m_backFrame->setHeight(CanvasHeight());
    m_resizing = false;
  }
}

bool clsHTML::Initialize() {
  m_doc.resetPageSettings();
  m_hoverIndex = -1;
  if (!m_canvas || !m_backFrame || !m_scroll) return false;
  if (m_canvas->parentWidget() != m_backFrame) m_canvas->setParent(m_backFrame);
  if (m_scroll->parentWidget() != m_backFrame->parentWidget()) m_scroll->setParent(m_backFrame->parentWidget());
  m_scroll->setValue(0);
  scrollChanged();
  m_canvasSurface->cls();
  m_canvas->LoadPicture(QString());
  // The layout starts from the frame's height; the box keeps its memory until the pass
  // has settled the page's real height.
  m_canvasSurface->setLayoutHeight(m_backFrame->Height());
  if (!m_work) return false;
  m_work->setWidth(m_canvas->Width());
  m_work->setHeight(m_backFrame->Height());
  m_workSurface->syncHeight();
  m_canvas->setCurrentX(0);
  m_canvas->setCurrentY(0);
  return !m_doc.htmlFile().empty();
}

void clsHTML::setCanvas(PictureBox* canvas) {
  m_canvas = canvas;
  m_canvasSurface.reset();
  if (!canvas) return;
  m_canvasSurface = std::make_unique<PageSurface>(*canvas);
  canvas->setVisible(true);
  canvas->setAutoRedraw(true);
  canvas->setMouseTracking(true);
  canvas->setFocusPolicy(Qt::StrongFocus);
  connect(canvas, &PictureBox::MouseMove, this,
          [this](int, int, double x, double y) { canvasMouseMove(x, y); });
  connect(canvas, &PictureBox::MouseDown, this,
          [this](int button, int, double x, double y) { canvasMouseDown(button, x, y); });
  connect(canvas, &PictureBox::KeyDown, this, [this](int key, int shift) { handleKey(key, shift); });
  canvas->installEventFilter(this);
}

void clsHTML::setWorkCanvas(PictureBox* work) {
  m_work = work;
  m_workSurface.reset();
  if (!work) return;
  m_workSurface = std::make_unique<PictureSurface>(*work, PictureSurface::Growth::Exact);
  if (m_canvas) {
    work->setWidth(m_canvas->Width());
    work->setHeight(m_canvas->Height());
    m_workSurface->syncHeight();
  }
  work->setVisible(false);
  work->setAutoRedraw(true);
}

void clsHTML::setVScroll(QScrollBar* scroll) {
  m_scroll = scroll;
  if (!scroll) return;
  connect(scroll, &QScrollBar::valueChanged, this, [this] { scrollChanged(); });
  connect(scroll, &QScrollBar::sliderMoved, this, [this] { scrollChanged(); });
  scroll->installEventFilter(this);
}

void clsHTML::setBackFrame(PictureBox* frame) {
  m_backFrame = frame;
  if (!frame) return;
  connect(frame, &PictureBox::Resize, this, [this] { backFrameResize(); });
  frame->installEventFilter(this);
}

bool clsHTML::eventFilter(QObject* watched, QEvent* event) {
  const bool ours = watched == m_scroll || watched == m_canvas || watched == m_backFrame;
  if (ours && event->type() == QEvent::Wheel) {
    wheelScroll(static_cast<QWheelEvent*>(event)->angleDelta().y());
    return true;
  }
  // The scroll bar answers the keys the same way as the canvas, not with its own steps.
  if (watched == m_scroll && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int vk = virtualKeyFromQt(key->key());
    if (isScrollKey(vk)) {
      handleKey(vk, shiftStateFromQt(key->modifiers()));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void clsHTML::wheelScroll(int angleDelta) {
  if (!m_scroll || !m_scroll->isEnabled() || !m_canvas) return;
  // One notch (120) moves the desktop's number of lines of body text.
  QFont body = m_canvas->font();
  body.setPointSizeF(HtmlFontPoints(4, false));
  const long long line = QFontMetrics(body).lineSpacing();
  const long long pixels = -static_cast<long long>(angleDelta) * QApplication::wheelScrollLines() * line / 120;
  const long long value = std::clamp<long long>(m_scroll->value() + pixels, m_scroll->minimum(), m_scroll->maximum());
  m_scroll->setValue(static_cast<int>(value));
}

QString clsHTML::PlaneText() const { return QString::fromStdString(m_doc.plainText()); }

int clsHTML::CanvasHeight() const {
  if (!m_canvas) return 0;
  const double h = m_canvas->TextHeight(QStringLiteral("Ay")) + m_canvas->CurrentY() + 8.0 * TwipsPerPixelY();
  return static_cast<int>(std::min(std::llround(h), 1LL << 30));
}

int clsHTML::PageHeight() const {
  if (m_canvasSurface) return m_canvasSurface->scaleHeight();
  return m_canvas ? m_canvas->Height() : 0;
}

int clsHTML::CanvasTop() const { return m_backFrame ? m_backFrame->Top() : 0; }
int clsHTML::CanvasLeft() const { return m_backFrame ? m_backFrame->Left() : 0; }
QString clsHTML::HtmlFile() const { return QString::fromStdString(m_doc.htmlFile()); }
void clsHTML::setHtmlFile(const QString& name) { m_doc.setHtmlFile(name.toStdString()); }
QString clsHTML::CurName() const { return QString::fromStdString(m_doc.curName()); }
void clsHTML::setCurName(const QString& name) { m_doc.setCurName(name.toStdString()); }

void clsHTML::Move(int left, int top, int width, int height) {
  if (!m_backFrame) return;
  const QSize before = m_backFrame->size();
  if (width < 1) {
    m_backFrame->setLeft(left);
    m_backFrame->setTop(top);
  } else {
    m_backFrame->Move(left, top, width, height < 1 ? m_backFrame->Height() : height);
  }
  // A hidden frame gets its resize event only when shown; lay out now all the same.
  if (!m_backFrame->isVisible() && m_backFrame->size() != before) backFrameResize();
}

void clsHTML::backFrameResize() {
  if (!m_backFrame) return;
  if (m_canvas) m_canvas->Move(0, 0, m_backFrame->Width(), m_backFrame->Height());
  if (m_canvasSurface) m_canvasSurface->syncHeight();
  if (m_scroll) {
    const int tppX = TwipsPerPixelX(), tppY = TwipsPerPixelY();
    m_scroll->setGeometry((m_backFrame->Left() + m_backFrame->Width()) / tppX, m_backFrame->Top() / tppY,
                          m_scroll->width(), m_backFrame->Height() / tppY);
  }
  if (!m_resizing) DispHTML(false);
}

void clsHTML::scrollChanged() {
  if (!m_canvas || !m_backFrame || !m_scroll) return;
  const int maximum = m_scroll->maximum();
  if (maximum <= 0) {
    m_canvas->setTop(0);
    return;
  }
  // The page's height, not the box's: the box may keep memory below the page.
  const double pageHeight = PageHeight();
  const double hidden = pageHeight - m_backFrame->ScaleHeight();
  m_canvas->setTop(static_cast<int>(std::llround(-hidden * m_scroll->value() / maximum)));
}

void clsHTML::handleKey(int keyCode, int shift) {
  if (!m_scroll) return;
  const bool shifted = (shift & ShiftState::Shift) != 0;
  const int step = shifted ? m_largeChange : m_scroll->singleStep();
  const auto moveBy = [this](long long by) {
    m_scroll->setValue(static_cast<int>(std::clamp<long long>(m_scroll->value() + by, 0, m_scroll->maximum())));
  };
  switch (keyCode) {
    case kVkHome: m_scroll->setValue(m_scroll->minimum()); break;
    case kVkEnd: m_scroll->setValue(m_scroll->maximum()); break;
    case kVkUp: moveBy(-step); break;
    case kVkDown: moveBy(step); break;
    case kVkPageUp: moveBy(-m_scroll->pageStep()); break;
    case kVkPageDown: moveBy(m_scroll->pageStep()); break;
    default: break;
  }
}

void clsHTML::canvasMouseMove(double x, double y) {
  const auto& links = m_doc.links();
  int found = -1;
  for (std::size_t i = 0; i < links.size(); ++i) {
    const LinkRegion& r = links[i];
    if (r.X1 < x && x < r.X2 && r.Y1 < y && y < r.Y2) {
      found = static_cast<int>(i);
      break;
    }
  }
  m_hoverIndex = found;
  if (!m_canvas) return;
  if (found >= 0) {
    m_canvas->setToolTip(QString::fromStdString(links[static_cast<std::size_t>(found)].Text));
    if (!m_hovering) {
      m_canvas->setCursor(LoadResCursor(100));
      m_hovering = true;
    }
  } else {
    m_canvas->setToolTip(QString());
    if (m_hovering) {
      m_canvas->unsetCursor();
      m_hovering = false;
    }
  }
}

void clsHTML::canvasMouseDown(int button, double x, double y) {
  canvasMouseMove(x, y);
  if (!m_hovering || m_hoverIndex < 0) {
    emit MouseDown(button);
    return;
  }
  const QString target = QString::fromStdString(m_doc.links()[static_cast<std::size_t>(m_hoverIndex)].Target);
  if (button == MouseButton::Left) emit LinkClick(target);
  else if (button == MouseButton::Right) emit LinkRightClick(target);
}

void clsHTML::ShowBrowser() {
  if (m_doc.hasPendingAddress()) launch(QString::fromStdString(m_doc.takePendingAddress()));
}

void clsHTML::ShowHelpFileInBrowser() { launch(QFileInfo(HtmlFile()).absoluteFilePath()); }

void clsHTML::launch(const QString& target) {
  bool started = false;
  {
    WaitCursor wait;
    started = m_launcher && m_launcher(target);
  }
  QCoreApplication::processEvents();
  // Without a program to hand the address to, nothing at all would happen; the host says so.
  if (!started) emit LaunchFailed(target);
}

}  // namespace quorvane::help
