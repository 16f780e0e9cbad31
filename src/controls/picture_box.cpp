#include "controls/picture_box.h"

#include "controls/twips.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quorvane {

namespace {

QFont defaultSurfaceFont() {
  QFont f;
  f.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  f.setPointSizeF(9.0);
  return f;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), m_dc(m_image, [this] { update(); }) {
  setFont(defaultSurfaceFont());
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_dc.SetPenColor(m_foreColor);
}

PictureBox::~PictureBox() = default;

// --- scale and geometry ---

namespace {
// Device coordinates are kept far inside the int range so that the drawing code can add a
// pixel or a size without overflowing; such points lie off any surface anyway.
constexpr double kCoordinateLimit = 1 << 28;
int clampedPixels(double value) {
  return roundHalfEven(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}
}  // namespace

int PictureBox::toPixelsX(double value) const {
  return clampedPixels(m_scaleMode == ScaleUnit::Twips ? value / TwipsPerPixelX() : value);
}
int PictureBox::toPixelsY(double value) const {
  return clampedPixels(m_scaleMode == ScaleUnit::Twips ? value / TwipsPerPixelY() : value);
}
double PictureBox::fromPixelsX(int pixels) const {
  return m_scaleMode == ScaleUnit::Twips ? static_cast<double>(pixels) * TwipsPerPixelX() : pixels;
}
double PictureBox::fromPixelsY(int pixels) const {
  return m_scaleMode == ScaleUnit::Twips ? static_cast<double>(pixels) * TwipsPerPixelY() : pixels;
}

double PictureBox::ScaleWidth() const { return fromPixelsX(width()); }
double PictureBox::ScaleHeight() const { return fromPixelsY(height()); }
int PictureBox::Left() const { return x() * TwipsPerPixelX(); }
int PictureBox::Top() const { return y() * TwipsPerPixelY(); }
int PictureBox::Width() const { return width() * TwipsPerPixelX(); }
int PictureBox::Height() const { return height() * TwipsPerPixelY(); }

void PictureBox::setLeft(int twips) { move(roundHalfEven(static_cast<double>(twips) / TwipsPerPixelX()), y()); }
void PictureBox::setTop(int twips) { move(x(), roundHalfEven(static_cast<double>(twips) / TwipsPerPixelY())); }
void PictureBox::setWidth(int twips) {
  resize(std::max(0, roundHalfEven(static_cast<double>(twips) / TwipsPerPixelX())), height());
  ensureBacking();
}
void PictureBox::setHeight(int twips) {
  resize(width(), std::max(0, roundHalfEven(static_cast<double>(twips) / TwipsPerPixelY())));
  ensureBacking();
}

void PictureBox::Move(int left, int top, int width, int height) {
  setLeft(left);
  setTop(top);
  if (width >= 0 && height >= 0) {
    setWidth(width);
    setHeight(height);
  }
}

// The backing image follows the widget's size: new area is filled with BackColor and the
// old drawing is kept at the origin. Qt delays resize events of hidden widgets, so every
// drawing call checks the size itself.
void PictureBox::ensureBacking() const {
  const QSize wanted = m_paintSource ? QSize(1, 1) : QSize(std::max(1, width()), std::max(1, height()));
  if (m_image.size() == wanted) return;
  QImage next(wanted, QImage::Format_RGB32);
  next.fill(toQRgb(m_backColor));
  if (!m_image.isNull()) {
    QPainter p(&next);
    p.drawImage(0, 0, m_image);
  }
  m_image = std::move(next);
}

// --- drawing state ---

void PictureBox::setForeColor(OleColor color) {
  m_foreColor = color;
  m_dc.SetPenColor(color);
}

void PictureBox::changeFont(const QFont& f) { setFont(f); }
void PictureBox::setFontBold(bool on) { QFont f = font(); f.setBold(on); changeFont(f); }
void PictureBox::setFontItalic(bool on) { QFont f = font(); f.setItalic(on); changeFont(f); }
void PictureBox::setFontUnderline(bool on) { QFont f = font(); f.setUnderline(on); changeFont(f); }
void PictureBox::setFontStrikethru(bool on) { QFont f = font(); f.setStrikeOut(on); changeFont(f); }
void PictureBox::setFontSize(double points) {
  if (!(points > 0.0)) return;
  QFont f = font();
  f.setPointSizeF(points);
  changeFont(f);
}
void PictureBox::setFontName(const QString& family) { QFont f = font(); f.setFamilies({family}); changeFont(f); }

// --- pictures ---

void PictureBox::setPicture(const QImage& picture) {
  m_picture = picture;
  if (m_autoSize && !picture.isNull()) resize(picture.size());
  ensureBacking();
  if (!m_picture.isNull()) {
    QPainter p(&m_image);
    p.drawImage(0, 0, m_picture);
  }
  update();
}

QImage PictureBox::Image() const {
  if (m_paintSource) return renderSource(rect());
  ensureBacking();
  return m_image.copy();
}

const QImage& PictureBox::image() const {
  if (m_paintSource) {
    m_image = renderSource(rect());
    return m_image;
  }
  ensureBacking();
  return m_image;
}

void PictureBox::setPaintSource(PaintSource source) {
  m_paintSource = std::move(source);
  // The backing image is made again at its full size by the next drawing call.
  m_image = QImage();
  update();
}

QImage PictureBox::renderSource(const QRect& area) const {
  QImage out(area.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  out.fill(toQRgb(m_backColor));
  QPainter p(&out);
  p.translate(-area.topLeft());
  m_paintSource(p, area);
  return out;
}

bool PictureBox::LoadPicture(const QString& fileName) {
  if (fileName.isEmpty()) {
    m_picture = QImage();
    return true;
  }
  QImage loaded(fileName);
  if (loaded.isNull()) return false;
  setPicture(loaded.convertToFormat(QImage::Format_RGB32));
  return true;
}

// --- drawing ---

void PictureBox::Cls() {
  ensureBacking();
  m_image.fill(toQRgb(m_backColor));
  if (!m_picture.isNull()) {
    QPainter p(&m_image);
    p.drawImage(0, 0, m_picture);
  }
  m_currentX = 0;
  m_currentY = 0;
  update();
}

void PictureBox::printSegment(const QString& text) {
  if (text.isEmpty()) return;
  ensureBacking();
  const QFontMetrics fm(font());
  {
    QPainter p(&m_image);
    p.setFont(font());
    p.setPen(toQColor(m_foreColor));
    p.drawText(toPixelsX(m_currentX), toPixelsY(m_currentY) + fm.ascent(), text);
  }
  m_currentX += fromPixelsX(fm.horizontalAdvance(text));
  update();
}

void PictureBox::Print(const QString& text) {
  qsizetype start = 0;
  while (start <= text.size()) {
    const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
    if (lf < 0) {
      printSegment(text.mid(start));
      return;
    }
    qsizetype end = lf;
    if (end > start && text.at(end - 1) == QLatin1Char('\r')) --end;
    printSegment(text.mid(start, end - start));
    PrintLine();
    start = lf + 1;
  }
}

void PictureBox::PrintLine(const QString& text) {
  Print(text);
  m_currentX = 0;
  m_currentY += fromPixelsY(QFontMetrics(font()).height());
}

double PictureBox::TextWidth(const QString& text) const {
  const QFontMetrics fm(font());
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    QString l = line;
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    widest = std::max(widest, fm.horizontalAdvance(l));
  }
  return fromPixelsX(widest);
}

double PictureBox::TextHeight(const QString& text) const {
  const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
  return fromPixelsY(QFontMetrics(font()).height() * lines);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<OleColor> color,
                      LineShape shape) {
  ensureBacking();
  const OleColor c = color.value_or(m_foreColor);
  const int px1 = toPixelsX(x1), py1 = toPixelsY(y1), px2 = toPixelsX(x2), py2 = toPixelsY(y2);
  const int left = std::min(px1, px2), right = std::max(px1, px2);
  const int top = std::min(py1, py2), bottom = std::max(py1, py2);
  if (shape == LineShape::BoxFilled) {
    m_dc.PaintRect({left, top, right + 1, bottom + 1}, c);
  } else if (shape == LineShape::Box) {
    GdiRect sides[4];
    const int n = BoxOutline(left, top, right, bottom, sides);
    for (int i = 0; i < n; ++i) m_dc.PaintRect(sides[i], c);
  } else {
    const OleColor savedPen = m_dc.penColor();
    const int savedX = m_dc.currentX(), savedY = m_dc.currentY();
    m_dc.SetPenColor(c);
    m_dc.MoveToEx(px1, py1);
    m_dc.LineTo(px2, py2);
    m_dc.SetPenColor(savedPen);
    m_dc.MoveToEx(savedX, savedY);
  }
  m_currentX = x2;
  m_currentY = y2;
}

void PictureBox::PSet(double x, double y, std::optional<OleColor> color) {
  ensureBacking();
  const int px = toPixelsX(x), py = toPixelsY(y);
  m_dc.PaintRect({px, py, px + 1, py + 1}, color.value_or(m_foreColor));
  m_currentX = x;
  m_currentY = y;
}

qint64 PictureBox::Point(double x, double y) const {
  if (m_paintSource) {
    const QPoint at(toPixelsX(x), toPixelsY(y));
    if (!rect().contains(at)) return -1;
    return static_cast<qint64>(fromQRgb(renderSource(QRect(at, QSize(1, 1))).pixel(0, 0)));
  }
  ensureBacking();
  const quint32 c = m_dc.GetPixel(toPixelsX(x), toPixelsY(y));
  return c == CLR_INVALID ? -1 : static_cast<qint64>(c);
}

void PictureBox::Refresh() {
  ensureBacking();
  update();
}

DeviceContext& PictureBox::hDC() {
  ensureBacking();
  return m_dc;
}

const DeviceContext& PictureBox::hDC() const {
  ensureBacking();
  return m_dc;
}

}  // namespace quorvane
