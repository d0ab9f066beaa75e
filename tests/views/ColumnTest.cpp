#include "views/Column.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "support/SimFixture.h"

namespace magmo::test {
namespace {

// The column is drawn onto its own recording canvas; the model is the fixture's, at 20 m a column.
class ColumnTest : public SimTest {
 protected:
  ColumnScale plot(float km = 12.8f) {
    canvas.clear();
    return plotStrat(m(), m().Scale, km, canvas);
  }
  // Layer 1 flat at the given top over a basement at 0 (so M is that top everywhere).
  void flatLayer(float top) {
    m().LayerCount = 1, m().LayerColor[1] = 6;
    for (int x = 0; x <= kColumns; ++x) m().Strat(1, x) = top;
  }
  std::vector<DrawCall> calls(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    std::copy_if(canvas.calls.begin(), canvas.calls.end(), std::back_inserter(out),
                 [kind](const DrawCall& c) { return c.kind == kind; });
    return out;
  }
  // Lines of the given pen width, in drawing order.
  std::vector<DrawCall> lines(int pen) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls(DrawCall::Line))
      if (c.penWidth == pen) out.push_back(c);
    return out;
  }
  std::vector<DrawCall> ticks() const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls(DrawCall::Line))
      if (c.x1 == 36 && c.x2 == 37) out.push_back(c);
    return out;
  }
  const DrawCall* textAt(float x) const {
    for (const DrawCall& c : canvas.calls)
      if (c.kind == DrawCall::Text && c.x1 == x) return &c;
    return nullptr;
  }
  // Canvas y of a drawing y for the column's scale.
  static float canvasY(const ColumnScale& c, float y) { return y * kColumnCanvasHeight / c.bottom; }

  RecordingCanvas canvas;
};

// The highest surface M picks the magnification (100 below 10 plot units), the frame (base at
// 1.25 M, bottom at 1.45 M of the magnified M), the scale step, the unit and the first label.
TEST_F(ColumnTest, MagnificationStepAndUnitFollowTheHighestSurface) {
  struct Case {
    float top, mag, M, step;
    const char* unit;
    const char* firstLabel;  // Scale * step / mag, in metres or km
  };
  // Each threshold, and a height just above it.
  const Case cases[] = {
      {0.0625f, 100, 6.25f, 1, "m", "0.2"},       {0.1f, 100, 10, 1, "m", "0.2"},
      {0.109375f, 100, 10.9375f, 2, "m", "0.4"},  {0.2f, 100, 20, 2, "m", "0.4"},
      {0.203125f, 100, 20.3125f, 4, "m", "0.8"},  {0.4f, 100, 40, 4, "m", "0.8"},
      {0.40625f, 100, 40.625f, 5, "m", "1"},      {0.59375f, 100, 59.375f, 5, "m", "1"},
      {0.609375f, 100, 60.9375f, 6, "m", "1.2"},  {0.8f, 100, 80, 6, "m", "1.2"},
      {0.80078125f, 100, 80.078125f, 8, "m", "1.6"}, {5, 100, 500, 40, "m", "8"},
      {5.25f, 100, 525, 40, "km", "0.01"},        {9.75f, 100, 975, 80, "km", "0.02"},
      {10, 10, 100, 8, "m", "16"},                {10.0625f, 10, 100.625f, 10, "m", "20"},
      {20, 10, 200, 10, "m", "20"},               {20.0625f, 10, 200.625f, 20, "m", "40"},
      {40, 10, 400, 20, "m", "40"},               {40.0625f, 10, 400.625f, 40, "m", "80"},
      {50, 10, 500, 40, "m", "80"},               {50.0625f, 10, 500.625f, 40, "km", "0.08"},
      {60, 10, 600, 40, "km", "0.08"},            {60.0625f, 10, 600.625f, 60, "km", "0.12"},
      {80, 10, 800, 60, "km", "0.12"},            {80.0625f, 10, 800.625f, 80, "km", "0.16"},
      {100, 10, 1000, 80, "km", "0.16"},          {100.0625f, 10, 1000.625f, 100, "km", "0.20"},
  };

  for (const Case& k : cases) {
    SCOPED_TRACE(k.top);
    flatLayer(k.top);
    const ColumnScale c = plot();
    EXPECT_EQ(c.mag, k.mag);
    EXPECT_FLOAT_EQ(c.base, 1.25f * k.M);
    EXPECT_FLOAT_EQ(c.bottom, 1.45f * k.M);
    EXPECT_FLOAT_EQ(c.labelBand, 0.2f * k.M);
    EXPECT_FALSE(c.empty);
    const auto t = ticks();
    ASSERT_FALSE(t.empty());
    EXPECT_NEAR(t[0].y1, canvasY(c, c.base - k.step), 1e-3);
    ASSERT_TRUE(textAt(43) && textAt(38));
    EXPECT_EQ(textAt(43)->text, k.unit);
    EXPECT_NEAR(textAt(43)->y1, canvasY(c, c.base - c.bottom / 50), 1e-3);
    EXPECT_EQ(textAt(38)->text, "0");  // the base label comes first
    const DrawCall* first = nullptr;
    const std::vector<DrawCall> texts = calls(DrawCall::Text);
    for (const DrawCall& d : texts)
      if (d.x1 == 38 && d.y1 < textAt(38)->y1 && !first) first = &d;
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, k.firstLabel);
    EXPECT_NEAR(first->y1, canvasY(c, c.base - k.step - c.bottom / 50), 1e-3);
  }
}

// The axis runs from the first whole number above base - M - step (never above the picture) to
// the base; the ticks stop at it and their labels add up step by step.
TEST_F(ColumnTest, AxisTopAndTicks) {
  struct Case {
    float top, axisTop;
    size_t ticks;
    const char* lastLabel;
  };
  const Case cases[] = {
      {50, 86, 13, "1040"},  // base 625, M 500, step 40: 85 gives 86
      {10, 18, 13, "208"},   // base 125, M 100, step 8: exactly 17 gives 18
      {0.02f, 0, 2, "0.4"},  // base 2.5, M 2, step 1: below zero gives the picture's top
      {0.56f, 10, 12, "12"},  // base 70, M 56, step 5: the last tick falls on the top
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.top);
    flatLayer(k.top);
    const ColumnScale c = plot();
    const auto axis = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                   [](const DrawCall& d) { return d.kind == DrawCall::Line && d.x1 == 37 && d.x2 == 37; });
    ASSERT_NE(axis, canvas.calls.end());
    EXPECT_NEAR(axis->y1, canvasY(c, k.axisTop), 1e-3);
    EXPECT_NEAR(axis->y2, canvasY(c, c.base), 1e-3);
    EXPECT_EQ(axis->color, paletteColor(15));
    EXPECT_TRUE(std::any_of(canvas.calls.begin(), canvas.calls.end(), [&](const DrawCall& d) {
      return d.kind == DrawCall::Line && d.x1 == 35 && d.x2 == 37 && d.y1 == axis->y2 && d.y2 == axis->y2;
    }));  // the base tick
    EXPECT_EQ(ticks().size(), k.ticks);
    EXPECT_EQ(calls(DrawCall::Text).back().text, k.lastLabel);
  }
}

// The location's column is clamped to 16..1264 (below 17 counts as 16), so the slice of 33
// columns never leaves the profile.
TEST_F(ColumnTest, SliceIsClampedAtBothEnds) {
  struct Case {
    float km, left;
  };
  const Case cases[] = {{-3, 0}, {0.2f, 0}, {0.338f, 0}, {0.34f, 1}, {12.8f, 624}, {25.28f, 1248}, {25.29f, 1248}, {25.3f, 1248}, {90, 1248}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.km);
    const ColumnSlice s = columnSlice(20, k.km);
    EXPECT_NEAR(s.left, k.left, 1e-3);
    EXPECT_NEAR(s.right, k.left + 32, 1e-3);
  }
  // At either end the 33 columns are drawn at x 0..32, the marked end column included.
  for (const auto& [km, marked, markedX] : {std::tuple{0.0f, 0, 0.0f}, std::tuple{90.0f, 1280, 32.0f}}) {
    flatLayer(20);
    m().Strat(1, marked) = 40;
    plot(km);
    const auto layer = lines(4);
    ASSERT_EQ(layer.size(), 33u);
    for (size_t i = 0; i < layer.size(); ++i) EXPECT_EQ(layer[i].x1, float(i));
    for (const DrawCall& l : layer) EXPECT_EQ(l.y2 < layer[16].y2, l.x1 == markedX) << l.x1;
  }
}

// Each layer is a pen-4 line in its colour from the top of the layer below: a single layer
// starts at the basement surface, and columns without thickness draw nothing.
TEST_F(ColumnTest, SingleLayerStartsAtTheBasement) {
  m().LayerCount = 1, m().LayerColor[1] = 14;
  for (int x = 0; x <= kColumns; ++x) m().Strat(0, x) = 20, m().Strat(1, x) = x % 2 ? 25 : 20;
  const ColumnScale c = plot();  // M = 25: magnification 10
  const auto layer = lines(4);
  ASSERT_EQ(layer.size(), 16u);  // odd columns 625..655 of the slice 624..656
  for (const DrawCall& l : layer) {
    EXPECT_EQ(int(l.x1) % 2, 1);
    EXPECT_EQ(l.color, paletteColor(14));
    EXPECT_NEAR(l.y1, canvasY(c, c.base - 10 * 20), 1e-3);
    EXPECT_NEAR(l.y2, canvasY(c, c.base - 10 * 25), 1e-3);
  }
  m().LayerVentX[1] = 640, m().LayerBase[1] = 20;  // its vent is the last layer's
  plot();
  ASSERT_EQ(lines(2).size(), 1u);
  EXPECT_EQ(lines(2)[0].color, paletteColor(12));
}

// Conduits of the slice's vents: red below the base and black above it for the earlier layers,
// light red for the last one; a vent at the slice's left edge or outside it is not drawn.
TEST_F(ColumnTest, ConduitsOfVentsInsideTheSlice) {
  flatLayer(40);
  m().LayerCount = 5;
  for (int L = 2; L <= 5; ++L)
    for (int x = 0; x <= kColumns; ++x) m().Strat(L, x) = 40;
  const int vents[] = {0, 624, 630, 657, 656, 640};  // left edge, inside, outside, right edge, the last layer's
  for (int i = 1; i <= 5; ++i) m().LayerVentX[i] = vents[i], m().LayerBase[i] = 2.0f * i;
  const ColumnScale c = plot();
  const auto conduits = lines(2);
  ASSERT_EQ(conduits.size(), 5u);
  EXPECT_EQ(conduits[0].x1, 6);
  EXPECT_EQ(conduits[0].color, paletteColor(4));
  EXPECT_NEAR(conduits[0].y1, 100, 1e-3);
  EXPECT_NEAR(conduits[0].y2, canvasY(c, c.base), 1e-3);
  EXPECT_EQ(conduits[1].color, paletteColor(0));
  EXPECT_NEAR(conduits[1].y2, canvasY(c, c.base - 4 - 10 * 4), 1e-3);
  EXPECT_EQ(conduits[2].x1, 32);
  EXPECT_EQ(conduits[4].x1, 16);
  EXPECT_EQ(conduits[4].color, paletteColor(12));
  EXPECT_NEAR(conduits[4].y1, 100, 1e-3);
  EXPECT_NEAR(conduits[4].y2, canvasY(c, c.base - 4 - 10 * 10), 1e-3);
  m().LayerVentX[5] = 624;  // the last layer's vent on the edge
  plot();
  EXPECT_EQ(lines(2).size(), 4u);
}

// No ground in the slice: the fixed frame, labelled in metres at magnification 100.
TEST_F(ColumnTest, EmptySliceDrawsTheFixedFrame) {
  const ColumnScale c = plot();
  EXPECT_TRUE(c.empty);
  EXPECT_EQ(c.mag, 100);
  const float k = kColumnCanvasHeight / kEmptyFrameHeight, band = kEmptyFrameHeight * 0.8f;
  const auto boxes = calls(DrawCall::Box);
  ASSERT_EQ(boxes.size(), 2u);  // the clear, then the band
  EXPECT_EQ(boxes[1].color, paletteColor(1));
  EXPECT_NEAR(boxes[1].y1, band * k, 1e-3);
  EXPECT_NEAR(boxes[1].y2, kColumnCanvasHeight, 1e-3);
  const auto texts = calls(DrawCall::Text);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "0 m");
  EXPECT_EQ(texts[0].x1, 26);
  EXPECT_NEAR(texts[0].y1, (band - 20) * k, 1e-3);
  EXPECT_EQ(texts[1].text, "14.0");  // 70 units at 20 m a column, magnified 100 times
  EXPECT_EQ(texts[2].text, "28.0");
  EXPECT_NEAR(texts[1].y1, (band - 90) * k, 1e-3);
  EXPECT_TRUE(std::all_of(texts.begin(), texts.end(), [](const DrawCall& t) { return t.y1 >= 0; }));
  // A vent in an empty slice has nothing to stand on.
  m().LayerCount = 1, m().LayerVentX[1] = 640;
  EXPECT_TRUE(plot().empty);
  EXPECT_TRUE(lines(2).empty());
}

TEST_F(ColumnTest, PointerTextInKmAndMetres) {
  const ColumnScale c{10, 100, 625, 725, false};  // M = 500
  // Canvas y of 1,250 m: drawing y 0; of 100 m: drawing y 575.
  EXPECT_EQ(stratPointerText(c, 20, 12.8f, 16, 0), "x = 12.80 km:  y = 1,250 m");
  EXPECT_EQ(stratPointerText(c, 20, 12.8f, 20, 575 * kColumnCanvasHeight / 725), "x = 12.88 km:  y = 100 m");
  EXPECT_EQ(stratPointerText(c, 4, 3.0f, 0, 0), "x = 2.94 km:  y = 250 m");
  EXPECT_EQ(stratPointerText(c, 100, 1.0051f, 50, 0).substr(0, 12), "x = 4.41 km:");
  const ColumnScale mag100{100, 1, 5, 6, false};
  EXPECT_EQ(stratPointerText(mag100, 20, 1, 16, 0), "x = 1.00 km:  y = 1 m");
  // Thousands get a separator only above 1,000 m (large scale, base at drawing y 100).
  const ColumnScale large{10, 25, 100, 125, false};
  EXPECT_EQ(stratPointerText(large, 100, 1, 16, 0), "x = 1.00 km:  y = 1000 m");
  EXPECT_EQ(stratPointerText(large, 100, 1, 16, -0.8f), "x = 1.00 km:  y = 1,010 m");
}

}  // namespace
}  // namespace magmo::test
