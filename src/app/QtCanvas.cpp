#include "app/QtCanvas.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace magmo {

namespace {

QColor color(Rgb c) { return QColor(c.r, c.g, c.b); }

QImage blackImage(QSize pixels) {
  QImage img(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  img.fill(Qt::black);
  return img;
}

}  // namespace

QtCanvas::QtCanvas(QSize pixels, float userWidth, float userHeight) : userW_(userWidth), userH_(userHeight) {
  resize(pixels);
}

// Column x is the unit cell (x - 1, x]: columns 1..1280 fill the width exactly, and a point or
// line at x lands in the middle of its column.
void QtCanvas::resize(QSize pixels) {
  screen_ = blackImage(pixels);
  persistent_image_ = blackImage(pixels);
  snapshot_ = QImage();
  persistentBits_ = persistent_image_.bits();
  stride_ = persistent_image_.bytesPerLine();
  width_ = screen_.width();
  height_ = screen_.height();
  sx_ = width_ / double(userW_);
  sy_ = height_ / double(userH_);
  syf_ = static_cast<float>(sy_);
  cellLeft_.resize(static_cast<size_t>(std::ceil(userW_)) + 2);
  for (size_t x = 0; x < cellLeft_.size(); ++x) cellLeft_[x] = floorToInt((x - 1.0) * sx_);
  drawnRight_ = -1;
}

int QtCanvas::penPixels() const {
  // Rounded up, so that points one unit apart still touch when the surface is enlarged.
  return std::max(pen_, static_cast<int>(std::ceil(pen_ * std::min(sx_, sy_) - 1e-6)));
}

void QtCanvas::setPersistent(bool on) {
  persistent_ = on;
  if (!on) flush();
}

const QImage& QtCanvas::image() const {
  flush();
  return screen_;
}

void QtCanvas::restore() {
  screen_ = persistent_image_.copy();
  drawnRight_ = -1;
}

void QtCanvas::flush() const {
  if (drawnRight_ < drawnLeft_) return;
  const int left = std::max(drawnLeft_, 0), right = std::min(drawnRight_, width_ - 1);
  const int top = std::max(drawnTop_, 0), bottom = std::min(drawnBottom_, height_ - 1);
  drawnRight_ = -1;
  if (left > right || top > bottom) return;
  const size_t bytes = static_cast<size_t>(right - left + 1) * sizeof(QRgb);
  for (int y = top; y <= bottom; ++y)
    std::memcpy(reinterpret_cast<QRgb*>(screen_.scanLine(y)) + left,
                reinterpret_cast<const QRgb*>(persistent_image_.constScanLine(y)) + left, bytes);
}

QImage& QtCanvas::target(const QRect& area) {
  if (persistent_) {
    markDrawn(area.left(), area.top(), area.right(), area.bottom());
    return persistent_image_;
  }
  flush();
  return screen_;
}

void QtCanvas::fill(int left, int top, int right, int bottom, Rgb c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_ - 1);
  bottom = std::min(bottom, height_ - 1);
  if (left > right || top > bottom) return;
  uchar* bits = persistentBits_;
  if (persistent_) {
    markDrawn(left, top, right, bottom);
  } else {
    flush();
    bits = screen_.bits();  // the screen may be shared with a copy someone took
  }
  const QRgb v = qRgb(c.r, c.g, c.b);
  for (int y = top; y <= bottom; ++y) std::fill_n(reinterpret_cast<QRgb*>(bits + y * stride_) + left, right - left + 1, v);
}

void QtCanvas::point(float x, float y, Rgb c) {
  const int w = penPixels();
  const int left = px(x) - w / 2, top = py(y) - w / 2;
  fill(left, top, left + w - 1, top + w - 1, c);
}

void QtCanvas::columnSpan(int x, float y1, float y2, Rgb c) {
  const Span span{y1, y2, c};
  columnSpans(x, &span, 1);
}

namespace {

QRgb opaque(Rgb c) { return 0xff000000u | unsigned(c.r) << 16 | unsigned(c.g) << 8 | c.b; }

}  // namespace

// The strata's hot path: a refresh writes up to 640 000 spans, a column at a time, straight
// into the pixels without the general fill's set-up.
void QtCanvas::columnSpans(int x, const Span* spans, int count) {
  if (count <= 0 || x < 0 || x + 1 >= static_cast<int>(cellLeft_.size())) return;  // off the surface
  // A span fills the column's whole pixel cell, so neighbouring columns tile without gaps.
  const int left = std::max(cellLeft_[x], 0);
  const int right = std::max(cellLeft_[x], cellLeft_[x + 1] - 1);
  const int width = right - left + 1;
  // The whole column is noted as drawn: cheaper than finding the spans' extent first, and
  // the screen catches up with a few more rows at most once a refresh or burst.
  uchar* bits = spanTarget(left, 0, right, height_ - 1);
  const qsizetype step = stride_ / static_cast<qsizetype>(sizeof(QRgb));
  QRgb* column = reinterpret_cast<QRgb*>(bits) + left;
  int top = 0, bottom = 0;
  for (int i = 0; i < count; ++i) {
    if (!spanRows(spans[i].y1, spans[i].y2, top, bottom)) continue;
    const QRgb v = opaque(spans[i].color);
    QRgb* p = column + top * step;
    QRgb* const end = column + (bottom + 1) * step;
    if (width == 1) {  // the usual case: the window no wider than the profile
      for (; p < end; p += step) *p = v;
    } else {
      for (; p < end; p += step) std::fill_n(p, width, v);
    }
  }
}

void QtCanvas::fillBox(float x1, float y1, float x2, float y2, Rgb c) {
  fill(px(std::min(x1, x2)), py(std::min(y1, y2)), px(std::max(x1, x2)), py(std::max(y1, y2)), c);
}

void QtCanvas::line(float x1, float y1, float x2, float y2, Rgb c) {
  const int w = penPixels();
  const QPoint a(px(x1), py(y1)), b(px(x2), py(y2));
  // Ticks and conduits are upright or level: a filled box draws them without a painter.
  if (a.x() == b.x() || a.y() == b.y()) {
    const int half = w / 2;
    fill(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half, std::max(a.x(), b.x()) - half + w - 1,
         std::max(a.y(), b.y()) - half + w - 1, c);
    return;
  }
  QImage& img = target(QRect(a, b).normalized().adjusted(-w, -w, w, w));
  QPainter p(&img);
  p.setPen(QPen(color(c), w, Qt::SolidLine, w == 1 ? Qt::SquareCap : Qt::RoundCap));
  p.drawLine(a, b);
}

void QtCanvas::text(float x, float y, std::string_view s, Rgb c, int pointSize) {
  // Point sizes are meant for a 1:1 surface; the font follows the surface's height but stays
  // readable in a small window.
  QFont font;
  font.setPixelSize(std::max(10, static_cast<int>(std::lround(pointSize * 4.0 / 3.0 * sy_))));
  const QString str = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  const QRect area(QPoint(px(x), py(y)), QFontMetrics(font).size(0, str));
  QImage& img = target(area);
  QPainter p(&img);
  p.setFont(font);
  p.setPen(color(c));
  p.drawText(area, Qt::AlignLeft | Qt::AlignTop, str);
}

QByteArray QtCanvas::png() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  (snapshot_.isNull() ? image() : snapshot_).save(&buffer, "PNG");
  return bytes;
}

}  // namespace magmo
