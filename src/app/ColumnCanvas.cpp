#include "app/ColumnCanvas.h"

#include <algorithm>
#include <cmath>

namespace magmo {

void ColumnCanvas::line(float x1, float y1, float x2, float y2, Rgb c) {
  const double sx = pixelSize().width() / double(kColumnCanvasWidth);
  const double sy = pixelSize().height() / double(kColumnCanvasHeight);
  const double pixels = std::max(1.0, std::round(penWidth() * sx / 4));
  if (x1 == x2) {
    const float half = static_cast<float>(pixels / sx / 2), onePixel = static_cast<float>(1 / sx);
    QtCanvas::fillBox(x1 - half + 0.5f, y1, x1 + half + 0.5f - onePixel, y2, c);
  } else if (y1 == y2) {
    QtCanvas::fillBox(x1 + 0.5f, y1, x2 + 0.5f, y1 + static_cast<float>((pixels - 1) / sy), c);
  } else {
    QtCanvas::line(x1 + 0.5f, y1, x2 + 0.5f, y2, c);
  }
}

}  // namespace magmo
