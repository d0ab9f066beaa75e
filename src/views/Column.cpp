#include "views/Column.h"

#include <algorithm>
#include <cmath>

#include "model/Numeric.h"

namespace magmo {

namespace {

const Rgb kBlack = paletteColor(0), kBlue = paletteColor(1), kRed = paletteColor(4);
const Rgb kLightRed = paletteColor(12), kWhite = paletteColor(15);
// Small enough for a label to fit between the axis and the picture's right edge.
constexpr int kFont = 2;

// The drawing scale stretched onto the canvas: x as it is, y by canvas height / drawing height.
class Stretched {
 public:
  Stretched(Canvas& c, float drawingHeight) : c_(c), k_(kColumnCanvasHeight / drawingHeight) {}
  void line(float x1, float y1, float x2, float y2, Rgb col) { c_.line(x1, y1 * k_, x2, y2 * k_, col); }
  void box(float x1, float y1, float x2, float y2, Rgb col) { c_.fillBox(x1, y1 * k_, x2, y2 * k_, col); }
  void text(float x, float y, const std::string& s) { c_.text(x, y * k_, s, kWhite, kFont); }
  void pen(int w) { c_.setPenWidth(w); }

 private:
  Canvas& c_;
  float k_;
};

// The elevation scale's step for the magnified height M: the last of the thresholds it exceeds.
float scaleStep(float M) {
  static constexpr std::pair<float, float> kSteps[] = {{10, 2},   {20, 4},   {40, 5},   {60, 6},
                                                       {80, 8},   {100, 10}, {200, 20}, {400, 40},
                                                       {600, 60}, {800, 80}, {1000, 100}};
  float s = 1;
  for (const auto& [above, step] : kSteps)
    if (M > above) s = step;
  return s;
}

ColumnScale drawEmptyFrame(Canvas& canvas, float scale) {
  constexpr float H = kEmptyFrameHeight, base = H - H / 5, gap = 70;
  ColumnScale c{100, H - base, base, H, true};
  Stretched d(canvas, H);
  d.box(0, base, kColumnCanvasWidth, H, kBlue);
  d.line(25, 0, 25, base, kWhite);
  for (float y = base; y >= 0; y -= gap) d.line(23, y, 25, y, kWhite);
  d.text(26, base - 20, "0 m");
  // Metres at the magnification a slice this low would get.
  int k = 1;
  for (float y = base - 20 - gap; y >= 0; y -= gap, ++k) d.text(26, y, format(k * gap * scale / c.mag, "0.0"));
  return c;
}

}  // namespace

ColumnSlice columnSlice(float scale, float locKm) {
  float c = locKm * 1000 / scale;
  if (c < kColumnFirstCentre + 1) c = kColumnFirstCentre;
  if (c > kColumnLastCentre) c = kColumnLastCentre;
  return {c - 16, c + 16};
}

ColumnScale plotStrat(const Section& s, float scale, float locKm, Canvas& canvas) {
  canvas.setPenWidth(1);
  canvas.fillBox(0, 0, kColumnCanvasWidth, kColumnCanvasHeight, kBlack);
  const auto [left, right] = columnSlice(scale, locKm);
  const int first = cint(left), last = cint(right);
  float M = 0;
  for (int x = first; x <= last; ++x) M = std::max(M, s.Strat(s.LayerCount, x));

  ColumnScale c;
  if (M < 10) {
    M *= 100;
    c.mag = 100;
  } else {
    M *= 10;
    c.mag = 10;
  }
  if (M == 0) return drawEmptyFrame(canvas, scale);

  c.base = M / 4 + M;
  c.bottom = M / 5 + c.base;
  c.labelBand = c.bottom - c.base;
  const float base = c.base, bottom = c.bottom, mag = c.mag;
  Stretched d(canvas, bottom);
  auto drawingX = [left](float x) { return static_cast<float>(cint(x - left)); };

  d.box(0, base, 50, bottom, kBlue);

  d.pen(4);
  for (int L = 1; L <= s.LayerCount; ++L)
    for (int x = first; x <= last; ++x)
      if (s.Strat(L, x) > s.Strat(L - 1, x))
        d.line(drawingX(x), base - mag * s.Strat(L - 1, x), drawingX(x), base - mag * s.Strat(L, x),
               paletteColor(s.LayerColor[L]));

  // A vent on the slice's left edge would be cut in half by the picture's border.
  auto ventX = [&](int i) {
    const float v = static_cast<float>(s.LayerVentX[i]);
    return left <= v && v <= right ? drawingX(v) : 0.0f;
  };
  d.pen(2);
  for (int i = 1; i < s.LayerCount; ++i) {
    const float x = ventX(i);
    if (x <= 0) continue;
    d.line(x, bottom, x, base, kRed);
    d.line(x, base, x, (base - 4) - mag * s.LayerBase[i], kBlack);
  }
  if (s.LayerCount >= 1) {
    const float x = ventX(s.LayerCount);
    if (x > 0) d.line(x, bottom, x, (base - 4) - mag * s.LayerBase[s.LayerCount], kLightRed);
  }

  const float step = scaleStep(M);
  const float top = std::max(0.0f, std::floor(base - M - step) + 1);
  const bool metres = M <= 500;
  d.pen(1);
  d.line(37, top, 37, base, kWhite);
  d.line(35, base, 37, base, kWhite);
  d.text(38, base - bottom / 50, "0");
  d.text(43, base - bottom / 50, metres ? "m" : "km");
  float v = 0;
  for (float y = base - step; y >= top; y -= step) {
    v += scale * step;
    d.line(36, y, 37, y, kWhite);
    d.text(38, y - bottom / 50, metres ? generalNumber(v / mag) : format(v / (mag * 1000), "0.00"));
  }
  return c;
}

std::string stratPointerText(const ColumnScale& c, float scale, float locKm, float X, float Y) {
  const float height = c.bottom;
  const float y = Y * height / kColumnCanvasHeight;
  const float base = height - c.labelBand;
  const double metres = (base - y) * scale / c.mag;
  const double km = locKm + (X - 16) * scale / 1000;
  return "x = " + format(km, "0.00") + " km:  y = " + format(metres, metres > 1000 ? "0,000" : "0") + " m";
}

}  // namespace magmo
