#pragma once
#include <string_view>

#include "model/Palette.h"

namespace magmo {

// A drawing surface in user coordinates (the profile is 1280 x 690 units, y down).
// Pen width is in screen pixels, as the styles' bomb and cloud sizes assume.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void setPenWidth(int w) = 0;
  virtual int penWidth() const = 0;
  virtual void point(float x, float y, Rgb c) = 0;
  virtual void line(float x1, float y1, float x2, float y2, Rgb c) = 0;
  // Pen width 1 vertical line covering column x from y1 to y2: the strata's unit of drawing.
  virtual void columnSpan(int x, float y1, float y2, Rgb c) = 0;
  struct Span {
    float y1, y2;
    Rgb color;
  };
  // Several spans of one column in drawing order: a whole column of strata in one call.
  virtual void columnSpans(int x, const Span* spans, int count) {
    for (int i = 0; i < count; ++i) columnSpan(x, spans[i].y1, spans[i].y2, spans[i].color);
  }
  virtual void fillBox(float x1, float y1, float x2, float y2, Rgb c) = 0;
  // Text with its top-left corner at (x, y).
  virtual void text(float x, float y, std::string_view s, Rgb c, int pointSize) = 0;
  // While on, drawing also goes into the persistent image that a repaint restores.
  virtual void setPersistent(bool on) = 0;
  // Copy the last full refresh (used for printing and the --png output).
  virtual void snapshot() {}
};

}  // namespace magmo
