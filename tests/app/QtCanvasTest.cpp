// The Qt canvas: user coordinates mapped onto any pixel size, persistent and transient drawing.
#include "app/QtCanvas.h"
#include <gtest/gtest.h>

#include "app/FileFilter.h"

namespace magmo {
namespace {
const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

int countColour(const QImage& img, Rgb c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == qRgb(c.r, c.g, c.b);
  return n;
}

// Spans of every column must tile the band without gaps or spill, whether a column is wider
// or narrower than a pixel.
TEST(QtCanvas, ColumnSpansTileTheBandAtAnySize) {
  for (QSize size : {QSize(1280, 690), QSize(1920, 1035), QSize(960, 517), QSize(700, 400)}) {
    QtCanvas canvas(size);
    for (int x = 1; x <= 1280; ++x) canvas.columnSpan(x, 200, 100, kRed);
    const int top = canvas.py(100), bottom = canvas.py(200);
    EXPECT_EQ(countColour(canvas.image(), kRed), size.width() * (bottom - top)) << size.width();
    for (int px = 0; px < size.width(); ++px)
      ASSERT_TRUE(canvas.image().pixel(px, top) == qRgb(255, 0, 0) && canvas.image().pixel(px, bottom) == qRgb(0, 0, 0)) << px;
  }
}

TEST(QtCanvas, ThinSpansShowOnePixelEdgesAreClippedAndPointsGrowWithALargeWindow) {
  QtCanvas canvas(QSize(640, 345));
  canvas.columnSpan(100, 300.2f, 300.4f, kRed);
  EXPECT_EQ(countColour(canvas.image(), kRed), 1);
  canvas.columnSpan(1280, -50, 800, kBlue);  // the last column, beyond the surface above and below
  EXPECT_EQ(countColour(canvas.image(), kBlue), 345);
  EXPECT_EQ(canvas.image().pixel(639, 0), qRgb(0, 0, 255));
  // A point is a square of the pen width, never thinner than asked.
  for (auto [size, pixels] : {std::pair{QSize(1280, 690), 9}, {QSize(2560, 1380), 36}, {QSize(640, 345), 9}}) {
    QtCanvas points(size);
    points.setPenWidth(3);
    points.point(640, 300, kRed);
    EXPECT_EQ(countColour(points.image(), kRed), pixels) << size.width();
  }
}

TEST(QtCanvas, TransientDrawingLastsUntilTheLastRefreshIsRestored) {
  QtCanvas canvas(QSize(1280, 690));
  canvas.setPenWidth(4);
  canvas.point(300, 620, kRed);  // under the coming refresh: painted over
  canvas.point(300, 200, kRed);  // outside it: stays on the screen
  canvas.setPersistent(true);
  canvas.fillBox(0, 601, 1280, 660, kBlue);
  const int blue = countColour(canvas.image(), kBlue);  // shown while the refresh draws
  canvas.setPersistent(false);
  EXPECT_EQ(blue, 1280 * 60);  // the whole width, rows 601 to 660
  EXPECT_EQ(countColour(canvas.image(), kRed), 16);
  canvas.point(310, 630, kRed);  // transient drawing over the refresh
  EXPECT_EQ(countColour(canvas.image(), kRed), 32);
  EXPECT_EQ(countColour(canvas.image(), kBlue), blue - 16);
  canvas.restore();
  EXPECT_EQ(countColour(canvas.image(), kRed), 0);
  EXPECT_EQ(countColour(canvas.image(), kBlue), blue);
}

TEST(QtCanvas, SavedPngIsTheLastSnapshot) {
  QtCanvas canvas(QSize(320, 172));
  canvas.setPersistent(true);
  canvas.line(0, 300, 1280, 300, kBlue);
  canvas.snapshot();
  canvas.setPersistent(false);
  canvas.point(100, 100, kRed);  // after the snapshot: not part of the picture
  const QImage saved = QImage::fromData(canvas.png(), "PNG");
  EXPECT_EQ(saved.size(), QSize(320, 172));
  EXPECT_TRUE(countColour(saved, kBlue) > 0 && countColour(saved, kRed) == 0);
}

TEST(QtCanvas, TextLandsBelowAndRightOfItsCorner) {
  QtCanvas canvas(QSize(1280, 690));
  canvas.text(610, 660, "km", Rgb{255, 255, 255}, 8);
  int inside = 0, outside = 0;
  for (int y = 0; y < canvas.image().height(); ++y)
    for (int x = 0; x < canvas.image().width(); ++x)
      if (canvas.image().pixel(x, y) != qRgb(0, 0, 0)) (x >= 609 && y >= 660 && x < 650 ? inside : outside)++;
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

TEST(FileFilter, ModelFiltersBecomeQtNameFilters) {
  EXPECT_EQ(qtNameFilters("Stratigraphic Files (*.str)|*.str;*.STR|Topographic Files (*.top)|*.top;*.TOP|"),
            (QStringList{"Stratigraphic Files (*.str *.STR)", "Topographic Files (*.top *.TOP)"}));
  EXPECT_EQ(qtNameFilters("Record Files|*.rec"), QStringList{"Record Files (*.rec)"});
  EXPECT_TRUE(qtNameFilters("").isEmpty());
}
}  // namespace
}  // namespace magmo
