#pragma once
// The stratigraphic column's canvas, shared by the column window and the batch runner's picture.
// QtCanvas centres a coordinate x on the profile's column cell (x - 1, x]; the column means x
// itself, so the leftmost column (x = 0) shows half, as a pen centred on the picture's edge
// would. Its pens were made for a picture about four pixels per unit: an upright or level line
// is a box that thick, so pen 4 fills exactly one column of the slice.
#include "app/QtCanvas.h"
#include "views/Column.h"

namespace magmo {

class ColumnCanvas : public QtCanvas {
 public:
  explicit ColumnCanvas(QSize pixels = QSize(240, 480)) : QtCanvas(pixels, kColumnCanvasWidth, kColumnCanvasHeight) {}

  void line(float x1, float y1, float x2, float y2, Rgb c) override;
  void fillBox(float x1, float y1, float x2, float y2, Rgb c) override {
    QtCanvas::fillBox(x1 + 0.5f, y1, x2 + 0.5f, y2, c);
  }
  void text(float x, float y, std::string_view s, Rgb c, int pointSize) override {
    QtCanvas::text(x + 0.5f, y, s, c, pointSize);
  }
  float columnX(double pixel) const { return userX(pixel) - 0.5f; }
};

}  // namespace magmo
