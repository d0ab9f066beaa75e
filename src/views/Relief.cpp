#include "views/Relief.h"

#include <algorithm>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/Bitmap.h"
#include "views/PlanFrame.h"
#include "views/Topo3D.h"

namespace magmo {

namespace {

// The grey of a shade, whatever the terrain made of it (NaN included).
uint8_t clampShade(float s) {
  if (!(s >= 25)) return 25;
  if (s > 225) return 225;
  return static_cast<uint8_t>(s);
}

uint8_t limit255(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// One scan line after another, along the direction the light travels. `start`/`stop` bound the
// coordinate along the scan, `along` is +1 or -1; lines run over the other coordinate.
struct Scan {
  bool vertical;  // along y (modes 1, 2) or along x (modes 3, 4)
  int along;
  int start;
};

Scan scanOf(int mode, int R) {
  switch (mode) {
    case 2: return {true, -1, kMapRows - R};
    case 3: return {false, 1, R + 1};
    case 4: return {false, -1, kColumns - 2 * R};
    default: return {true, 1, R + 1};
  }
}

class Plotter {
 public:
  Plotter(const Section& s, const ReliefInput& in)
      : s_(s), in_(in), frame_{in.step}, image_(frame_.width(), frame_.height()) {}

  void put(int x, int y, Rgb c) {
    const int half = in_.step / 2;
    image_.fillBlock(x - half - frame_.left(), y - half - frame_.top(), in_.step, in_.step, c);
  }

  void shaded(int mode, float contrast) {
    const int R = in_.step;
    const Scan scan = scanOf(mode, R);
    const int lineEnd = scan.vertical ? kColumns - R : kMapRows - R;
    const int scanEnd = scan.vertical ? kMapRows - R : kColumns - R;
    const float divisor = 6 - contrast;
    for (int line = R + 1; line <= lineEnd; line += R) {
      float H = 0;
      int P = 1;
      for (int p = scan.start; scan.along > 0 ? p <= scanEnd : p >= R + 1; p += scan.along * R) {
        const int x = scan.vertical ? line : p, y = scan.vertical ? p : line;
        if (meanElevation(s_, x, y, R) <= in_.baseLevel) {
          put(x, y, kWater);
          continue;
        }
        const float a = slope(x, y, scan, R);
        float shade = std::floor((a < 0 ? a * 100 : a * 200) / divisor + 125);
        // Distance travelled from the lit edge, so that shadows fade the same way in all four
        // directions.
        const int pos = scan.along > 0 ? p : (scan.vertical ? kMapRows : kColumns) + 1 - p;
        const float z = s_.mapGrid(x, y);
        if (z > H) {
          H = z, P = pos;
        } else {
          const float d = (H - z) - static_cast<float>(pos - P) / 2;
          if (d <= 0)
            H = z, P = pos;
          else
            shade = std::nearbyint(shade - d);
        }
        const uint8_t g = clampShade(shade);
        put(x, y, {g, g, g});
      }
    }
  }

  void coloured(float contrast) {
    const int R = in_.step;
    const int scheme = contrast < 2 ? 1 : contrast >= 4 ? 3 : 2;
    for (int x = R + 1; x <= kColumns - R; x += R)
      for (int y = R + 1; y <= kMapRows - R; y += R) {
        const float m = meanElevation(s_, x, y, R);
        put(x, y, m > in_.baseLevel ? picRgb(m, in_.baseLevel, in_.maxZ, scheme) : kWater);
      }
  }

  RgbImage take() { return std::move(image_); }

 private:
  // The mean of the six differences R cells ahead along the scan, on the three parallel lines
  // through the sample and R cells to either side.
  float slope(int x, int y, const Scan& scan, int R) const {
    const int ax = scan.vertical ? 0 : scan.along * R, ay = scan.vertical ? scan.along * R : 0;
    float sum = 0;
    for (int i : {-R, 0, R}) {
      const int cx = scan.vertical ? x + i : x, cy = scan.vertical ? y : y + i;
      const float here = s_.mapGrid(cx, cy);
      sum += s_.mapGrid(cx + ax, cy + ay) - here;
      sum += here - s_.mapGrid(cx - ax, cy - ay);
    }
    return sum / 6;
  }

  const Section& s_;
  const ReliefInput& in_;
  PlanFrame frame_;
  RgbImage image_;
};

}  // namespace

float meanElevation(const Section& s, int x, int y, int R) {
  float sum = 0;
  for (int dy : {-R, 0, R})
    for (int dx : {-R, 0, R}) sum += s.mapGrid(x + dx, y + dy);
  return sum / 9;
}

Rgb picRgb(float v, float lo, float hi, int scheme) {
  static constexpr int kTop[] = {0, 512, 1024, 1472};
  if (scheme < 1 || scheme > 3) return {};
  const int N = kTop[scheme];
  // An empty or reversed range saturates instead of dividing by zero.
  const double t = (static_cast<double>(v) - lo) * N / (static_cast<double>(hi) - lo);
  const int i = t >= N ? N : t > 0 ? static_cast<int>(std::floor(t)) : 0;
  auto rgb = [](int r, int g, int b) { return Rgb{limit255(r), limit255(g), limit255(b)}; };
  switch (scheme) {
    case 1: return i <= 256 ? rgb(0, i, 256 - i) : rgb(i - 256, 512 - i, 0);
    case 2:
      if (i < 257) return rgb(0, i, 256);
      if (i <= 512) return rgb(0, 256, 512 - i);
      if (i <= 768) return rgb(i - 512, 256, 0);
      return rgb(256, 1024 - i, 0);
    default:
      if (i < 193) return rgb(0, 0, i + 64);
      if (i <= 448) return rgb(0, i - 192, 256);
      if (i <= 704) return rgb(0, 256, 704 - i);
      if (i <= 960) return rgb(i - 704, 256, 0);
      if (i <= 1216) return rgb(256, 1216 - i, 0);
      return rgb(256, 0, i - 1216);
  }
}

RgbImage plotTopoPlot(const Section& s, const ReliefInput& in) {
  // 6 or more would divide by zero or turn the shading upside down.
  const float contrast = std::clamp(in.contrast, 0.0f, 5.0f);
  Plotter plotter(s, in);
  if (in.mode >= 1 && in.mode <= 4)
    plotter.shaded(in.mode, contrast);
  else if (in.mode == 5)
    plotter.coloured(contrast);
  return plotter.take();
}

void plotTopo(Sim& sim, int mode) {
  Model& m = sim.m;
  MapWindow& w = sim.ui.Map;
  try {
    w.status2 = "Please wait, plotting topography !";
    w.visible = w.topography = true;
    w.buttonsEnabled = false;
    const int R = m.MapStep;
    m.BaseLevel = numVal(w.txtBase.text) / m.Scale;

    m.TopoMinZ = 100000, m.TopoMaxZ = 0;
    for (int x = R + 1; x <= kColumns - R; x += R)
      for (int y = R + 1; y <= kMapRows - R; y += R) {
        const float v = meanElevation(m, x, y, R);
        m.TopoMinZ = std::min(m.TopoMinZ, v);
        m.TopoMaxZ = std::max(m.TopoMaxZ, v);
      }
    if (m.BaseLevel > m.TopoMaxZ) m.BaseLevel = m.TopoMaxZ / 2;
    w.txtBase.text = format(m.BaseLevel * m.Scale, "0");

    sim.pictures.topo = plotTopoPlot(m, {mode, R, m.BaseLevel, numVal(w.txtContrast.text), m.TopoMaxZ});
    writeWorkingImage(sim.pictures.topo, sim.paths.work, "MagmoTopo", ".bmp");
    w.status2 = "Topography Complete   ";
    w.buttonsEnabled = true;
    if (sim.ui.View3DOpen) plotTopo3D(sim);
  } catch (const std::exception& e) {
    w.buttonsEnabled = true;
    sim.reportError("mnuViewTopo", e);
  }
}

}  // namespace magmo
