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
  // The calls of a kind, in drawing order, that pass the filter.
  std::vector<DrawCall> calls(DrawCall::Kind kind, const std::function<bool(const DrawCall&)>& keep = {}) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : canvas.calls)
      if (c.kind == kind && (!keep || keep(c))) out.push_back(c);
    return out;
  }
  std::vector<DrawCall> lines(int pen) const {
    return calls(DrawCall::Line, [pen](const DrawCall& c) { return c.penWidth == pen; });
  }
  std::vector<DrawCall> ticks() const {
    return calls(DrawCall::Line, [](const DrawCall& c) { return c.x1 == 36 && c.x2 == 37; });
  }
  std::vector<DrawCall> textsAt(float x) const {
    return calls(DrawCall::Text, [x](const DrawCall& c) { return c.x1 == x; });
  }
  // Canvas y of a drawing y for the column's scale, and whether a drawn y is at it.
  static float canvasY(const ColumnScale& c, float y) { return y * kColumnCanvasHeight / c.bottom; }
  static bool at(float drawn, float expected) { return std::abs(drawn - expected) < 1e-3; }

  RecordingCanvas canvas;
};

// The highest surface picks the magnification (100 below 10 plot units) and, from the magnified
// height M, the frame (base at 1.25 M, bottom at 1.45 M), the scale step, the unit and the first
// label (Scale * step / mag, in metres or km); each threshold and a height just above it.
TEST_F(ColumnTest, MagnificationStepAndUnitFollowTheHighestSurface) {
  const struct { float top, mag, step; const char *unit, *firstLabel; } cases[] = {
      {0.0625f, 100, 1, "m", "0.2"},     {0.1f, 100, 1, "m", "0.2"},       {0.109375f, 100, 2, "m", "0.4"},
      {0.2f, 100, 2, "m", "0.4"},        {0.203125f, 100, 4, "m", "0.8"},  {0.4f, 100, 4, "m", "0.8"},
      {0.40625f, 100, 5, "m", "1"},      {0.59375f, 100, 5, "m", "1"},     {0.609375f, 100, 6, "m", "1.2"},
      {0.8f, 100, 6, "m", "1.2"},        {0.80078125f, 100, 8, "m", "1.6"}, {5, 100, 40, "m", "8"},
      {5.25f, 100, 40, "km", "0.01"},    {9.75f, 100, 80, "km", "0.02"},   {10, 10, 8, "m", "16"},
      {10.0625f, 10, 10, "m", "20"},     {20, 10, 10, "m", "20"},          {20.0625f, 10, 20, "m", "40"},
      {40, 10, 20, "m", "40"},           {40.0625f, 10, 40, "m", "80"},    {50, 10, 40, "m", "80"},
      {50.0625f, 10, 40, "km", "0.08"},  {60, 10, 40, "km", "0.08"},       {60.0625f, 10, 60, "km", "0.12"},
      {80, 10, 60, "km", "0.12"},        {80.0625f, 10, 80, "km", "0.16"}, {100, 10, 80, "km", "0.16"},
      {100.0625f, 10, 100, "km", "0.20"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.top);
    flatLayer(k.top);
    const ColumnScale c = plot();
    const float M = k.top * k.mag;
    EXPECT_EQ(c.mag, k.mag);
    EXPECT_TRUE(std::abs(c.base / (1.25f * M) - 1) < 1e-6 && std::abs(c.bottom / (1.45f * M) - 1) < 1e-6 &&
                std::abs(c.labelBand / (0.2f * M) - 1) < 1e-6) << c.base << " " << c.bottom << " " << c.labelBand;
    const auto unit = textsAt(43), labels = textsAt(38);
    ASSERT_TRUE(unit.size() == 1 && labels.size() >= 2 && !ticks().empty());
    // The base label comes first, level with the unit.
    EXPECT_EQ(std::tuple(unit[0].text, labels[0].text, labels[0].y1, labels[1].text),
              std::tuple(k.unit, "0", unit[0].y1, k.firstLabel));
    EXPECT_TRUE(at(unit[0].y1, canvasY(c, c.base - c.bottom / 50)) && at(ticks()[0].y1, canvasY(c, c.base - k.step)) &&
                at(labels[1].y1, canvasY(c, c.base - k.step - c.bottom / 50)));
  }
}

// The axis runs from the first whole number above base - M - step (never above the picture) to
// the base; the ticks stop at it and their labels add up step by step.
TEST_F(ColumnTest, AxisTopAndTicks) {
  const struct { float top, axisTop; size_t ticks; const char* lastLabel; } cases[] = {
      {50, 86, 13, "1040"},   // base 625, M 500, step 40: 85 gives 86
      {10, 18, 13, "208"},    // base 125, M 100, step 8: exactly 17 gives 18
      {0.02f, 0, 2, "0.4"},   // base 2.5, M 2, step 1: below zero gives the picture's top
      {0.56f, 10, 12, "12"},  // base 70, M 56, step 5: the last tick falls on the top
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.top);
    flatLayer(k.top);
    const ColumnScale c = plot();
    const auto axis = calls(DrawCall::Line, [](const DrawCall& d) { return d.x1 == 37 && d.x2 == 37; });
    ASSERT_EQ(axis.size(), 1u);
    EXPECT_TRUE(at(axis[0].y1, canvasY(c, k.axisTop)) && at(axis[0].y2, canvasY(c, c.base))) << axis[0].y1;
    EXPECT_EQ(calls(DrawCall::Line, [&](const DrawCall& d) {
                return d.x1 == 35 && d.x2 == 37 && d.y1 == axis[0].y2 && d.y2 == axis[0].y2;
              }).size(), 1u);  // the base tick
    EXPECT_EQ(ticks().size(), k.ticks);
    EXPECT_EQ(calls(DrawCall::Text).back().text, k.lastLabel);
  }
}

// The location's column is clamped to 16..1264 (below 17 counts as 16), so the slice of 33
// columns never leaves the profile; at either end they are drawn at x 0..32, the end included.
TEST_F(ColumnTest, SliceIsClampedAtBothEnds) {
  const struct { float km, left; } cases[] = {{0.338f, 0}, {0.34f, 1}, {12.8f, 624}, {25.28f, 1248}, {25.29f, 1248}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.km);
    const ColumnSlice s = columnSlice(20, k.km);
    EXPECT_TRUE(at(s.left, k.left) && at(s.right, k.left + 32)) << s.left;
  }
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
  for (const DrawCall& l : layer)
    EXPECT_TRUE(int(l.x1) % 2 == 1 && l.color == paletteColor(14) && at(l.y1, canvasY(c, c.base - 10 * 20)) &&
                at(l.y2, canvasY(c, c.base - 10 * 25))) << l.x1;
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
  EXPECT_EQ(std::tuple(conduits[0].x1, conduits[0].color, conduits[1].color, conduits[2].x1, conduits[4].x1, conduits[4].color),
            std::tuple(6, paletteColor(4), paletteColor(0), 32, 16, paletteColor(12)));
  EXPECT_TRUE(at(conduits[0].y1, 100) && at(conduits[0].y2, canvasY(c, c.base)) &&
              at(conduits[1].y2, canvasY(c, c.base - 4 - 10 * 4)) && at(conduits[4].y1, 100) &&
              at(conduits[4].y2, canvasY(c, c.base - 4 - 10 * 10)));
  m().LayerVentX[5] = 624;  // the last layer's vent on the edge
  plot();
  EXPECT_EQ(lines(2).size(), 4u);
}

// No ground in the slice: the fixed frame, labelled in metres at magnification 100; a vent in
// it has nothing to stand on.
TEST_F(ColumnTest, EmptySliceDrawsTheFixedFrame) {
  m().LayerCount = 1, m().LayerVentX[1] = 640;
  const ColumnScale c = plot();
  EXPECT_TRUE(c.empty && c.mag == 100 && lines(2).empty());
  const float k = kColumnCanvasHeight / kEmptyFrameHeight, band = kEmptyFrameHeight * 0.8f;
  const auto boxes = calls(DrawCall::Box);
  ASSERT_EQ(boxes.size(), 2u);  // the clear, then the band
  EXPECT_TRUE(at(boxes[1].y1, band * k) && at(boxes[1].y2, kColumnCanvasHeight));
  const auto texts = textsAt(26);
  ASSERT_EQ(texts.size(), 6u);  // "0 m", then labels 70 apart (70 units at 20 m a column, magnified 100 times)
  EXPECT_EQ(std::tuple(texts[0].text, texts[1].text, texts[2].text), std::tuple("0 m", "14.0", "28.0"));
  EXPECT_TRUE(at(texts[0].y1, (band - 20) * k) && at(texts[1].y1, (band - 90) * k));
}

TEST_F(ColumnTest, PointerTextInKmAndMetres) {
  const ColumnScale c{10, 100, 625, 725, false};  // M = 500
  // Canvas y of 1,250 m: drawing y 0; of 100 m: drawing y 575.
  EXPECT_EQ(stratPointerText(c, 20, 12.8f, 16, 0), "x = 12.80 km:  y = 1,250 m");
  EXPECT_EQ(stratPointerText(c, 20, 12.8f, 20, 575 * kColumnCanvasHeight / 725), "x = 12.88 km:  y = 100 m");
  EXPECT_EQ(stratPointerText(c, 4, 3.0f, 0, 0), "x = 2.94 km:  y = 250 m");
  const ColumnScale mag100{100, 1, 5, 6, false};
  EXPECT_EQ(stratPointerText(mag100, 20, 1, 16, 0), "x = 1.00 km:  y = 1 m");
  // Thousands get a separator only above 1,000 m (large scale, base at drawing y 100).
  const ColumnScale large{10, 25, 100, 125, false};
  EXPECT_EQ(stratPointerText(large, 100, 1, 16, 0), "x = 1.00 km:  y = 1000 m");
  EXPECT_EQ(stratPointerText(large, 100, 1, 16, -0.8f), "x = 1.00 km:  y = 1,010 m");
}

}  // namespace
}  // namespace magmo::test
