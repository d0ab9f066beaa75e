#pragma once
// The profile surface on Qt: user coordinates (1280 x 690, y down) drawn into images of the
// widget's pixel size, so the picture stays crisp at any window size. Works without a window.
//
// Two images: persistent drawing (a refresh) goes into the persistent image, and the screen
// shows that image wherever it was drawn; transient drawing (the styles' animation) goes onto
// the screen only and lasts until a refresh draws over it or restore() brings back the last
// refresh.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <algorithm>
#include <vector>

#include "model/Canvas.h"

namespace magmo {

class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QSize pixels = QSize(1280, 690), float userWidth = 1280, float userHeight = 690);

  // New, black images of the given pixel size; the owner then redraws (screenRefresh).
  void resize(QSize pixels);
  QSize pixelSize() const { return screen_.size(); }

  void setPenWidth(int w) override { pen_ = w < 1 ? 1 : w; }
  int penWidth() const override { return pen_; }
  void point(float x, float y, Rgb c) override;
  void line(float x1, float y1, float x2, float y2, Rgb c) override;
  void columnSpan(int x, float y1, float y2, Rgb c) override;
  void columnSpans(int x, const Span* spans, int count) override;
  void fillBox(float x1, float y1, float x2, float y2, Rgb c) override;
  void text(float x, float y, std::string_view s, Rgb c, int pointSize) override;
  void setPersistent(bool on) override;
  // Shares the pixels; the screen copies them only when it is next drawn on.
  void snapshot() override { snapshot_ = image(); }

  bool persistent() const { return persistent_; }
  // What the window shows.
  const QImage& image() const;
  // Drop the transient drawing: show the last refresh again.
  void restore();
  // The picture a save writes, as PNG bytes: the last snapshot (the last full refresh), or the
  // screen when there was none.
  QByteArray png() const;

  // Pixel position of a user coordinate.
  int px(float x) const { return floorToInt((x - 0.5) * sx_); }
  int py(float y) const { return floorToInt(y * sy_); }
  // User coordinate of a pixel position (for the mouse).
  float userX(double pixel) const { return static_cast<float>(pixel / sx_ + 0.5); }
  float userY(double pixel) const { return static_cast<float>(pixel / sy_); }

 protected:
  // The image the next drawing goes to; area is the pixel rectangle it may cover.
  QImage& target(const QRect& area);
  // Pen width in pixels: the pen grows with the window beyond the user size, never shrinks.
  int penPixels() const;

 private:
  // Floor without a library call; the hot path converts every span end. Far-off values are
  // clamped first: they end up clipped anyway.
  static int floorToInt(double v) {
    constexpr double kFar = 1 << 24;
    return static_cast<int>(std::clamp(v, -kFar, kFar) + kFar) - static_cast<int>(kFar);
  }
  void fill(int left, int top, int right, int bottom, Rgb c);
  // Pixel rows [top, bottom] of a span, false when it misses the surface.
  bool spanRows(float y1, float y2, int& top, int& bottom) const {
    const float upper = std::min(y1, y2), lower = std::max(y1, y2);
    if (lower < 0 || upper >= userH_) return false;
    top = static_cast<int>(std::max(upper, 0.0f) * syf_);
    bottom = std::min(std::max(top, static_cast<int>(std::min(lower, userH_) * syf_) - 1), height_ - 1);
    return true;
  }
  // The pixels to write to: the persistent image (noting the area) or the screen.
  uchar* spanTarget(int left, int top, int right, int bottom) {
    if (persistent_) {
      markDrawn(left, top, right, bottom);
      return persistentBits_;
    }
    flush();
    return screen_.bits();
  }
  void markDrawn(int left, int top, int right, int bottom) {
    if (drawnRight_ < drawnLeft_) {
      drawnLeft_ = left, drawnTop_ = top, drawnRight_ = right, drawnBottom_ = bottom;
      return;
    }
    drawnLeft_ = std::min(drawnLeft_, left);
    drawnTop_ = std::min(drawnTop_, top);
    drawnRight_ = std::max(drawnRight_, right);
    drawnBottom_ = std::max(drawnBottom_, bottom);
  }
  // Bring the screen up to date with what persistent drawing has changed.
  void flush() const;

  float userW_, userH_;
  double sx_ = 1, sy_ = 1;     // pixels per user unit
  float syf_ = 1;
  int width_ = 0, height_ = 0;
  std::vector<int> cellLeft_;  // first pixel column of each profile column
  // Only this canvas ever refers to the persistent image's pixels (restore copies them), so
  // a refresh writes them through a pointer taken once.
  QImage persistent_image_, snapshot_;
  uchar* persistentBits_ = nullptr;
  qsizetype stride_ = 0;
  mutable QImage screen_;
  // The part of the persistent image not yet shown on the screen (empty when left > right).
  mutable int drawnLeft_ = 0, drawnTop_ = 0, drawnRight_ = -1, drawnBottom_ = -1;
  int pen_ = 1;
  bool persistent_ = false;
};

}  // namespace magmo
