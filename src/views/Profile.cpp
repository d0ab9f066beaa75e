#include "views/Profile.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr float kBase = 600;  // y of elevation 0
const Rgb kBlack = paletteColor(0), kBlue = paletteColor(1), kRed = paletteColor(4);
const Rgb kLightGrey = paletteColor(7), kLightRed = paletteColor(12), kWhite = paletteColor(15);

// The five kilometre labels of the distance axis for the checked scale.
struct AxisLabels {
  std::array<const char*, 5> text;
  float firstX;
  float secondGap;
};

AxisLabels axisLabels(const Controls& ui) {
  if (ui.mnuOptScaleSmall.checked) return {{"1", "2", "3", "4", "5"}, 244, 250};
  if (ui.mnuOptScaleNorm.checked) return {{"5", "10", "15", "20", "25"}, 244, 246};
  if (ui.mnuOptScaleLarge.checked) return {{"25", "50", "75", "100", "125"}, 238, 250};
  return {{"", "", "", "", ""}, 0, 250};
}

void drawDistanceAxis(Canvas& c, const AxisLabels& labels) {
  c.fillBox(0, 601, 1280, 660, kBlue);
  c.setPenWidth(2);
  c.line(1, 655, 1280, 655, kWhite);
  for (int x : {1, 250, 500, 750, 1000, 1250}) c.line(x, 655, x, 643, kWhite);
  for (int x = 50; x <= 1200; x += 50)
    if (x % 250 != 0) c.line(x, 655, x, 649, kWhite);
  constexpr int kFont = 8;
  c.text(0, 660, "0", kWhite, kFont);
  float x = labels.firstX;
  c.text(x, 660, labels.text[0], kWhite, kFont);
  x += labels.secondGap;
  c.text(x, 660, labels.text[1], kWhite, kFont);
  c.text(610, 660, "km", kWhite, kFont);
  for (int i = 2; i < 5; ++i) {
    x += 250;
    c.text(x, 660, labels.text[i], kWhite, kFont);
  }
}

// Every layer as one span per column where it has thickness. Spans of one column never touch
// other columns, so walking column by column gives the same picture as layer by layer, with
// each column's strata contiguous in memory.
void drawStrata(Canvas& c, const Model& m) {
  c.setPenWidth(1);
  std::array<Canvas::Span, kMaxLayers> spans;
  for (int x = 1; x <= kColumns; ++x) {
    const float* top = m.Strat.column(x);
    int n = 0;
    for (int L = 1; L <= m.LayerCount; ++L) {
      if (!(top[L] > top[L - 1])) continue;
      // A single layer rises from the base level whatever the basement holds.
      const float bottom = m.LayerCount == 1 ? kBase : kBase - top[L - 1];
      spans[n++] = {bottom, kBase - top[L], paletteColor(m.LayerColor[L])};
    }
    c.columnSpans(x, spans.data(), n);
  }
}

void drawConduits(Canvas& c, const Model& m) {
  if (m.LayerCount < 1) return;
  c.setPenWidth(1);
  for (int i = 1; i < m.LayerCount; ++i) {
    const int x = m.LayerVentX[i];
    if (x <= 0) continue;
    c.line(x, 620, x, 600, kRed);
    c.line(x, 600, x, kBase - m.LayerBase[i], kBlack);
  }
  const int last = m.LayerVentX[m.LayerCount];
  if (last > 0) c.line(last, 630, last, kBase - m.LayerBase[m.LayerCount], kLightRed);
}

// Drawn unstretched, on the host's own canvas: an exaggerated picture shows the same ticks
// labelled with fewer kilometres.
void drawVerticalScale(Canvas& c, const AxisLabels& labels, int exaggeration) {
  c.setPenWidth(2);
  c.line(1, 601, 1, 0, kWhite);
  for (int y : {601, 350, 100}) c.line(1, y, 12, y, kWhite);
  for (int y : {550, 500, 450, 400, 300, 250, 200, 150, 50, 1}) c.line(1, y, 6, y, kWhite);
  auto label = [exaggeration](const char* km) {
    return exaggeration == 1 || !*km ? std::string(km) : generalNumber(val(km) / exaggeration);
  };
  c.text(20, 340, label(labels.text[0]), kWhite, 8);
  c.text(20, 90, label(labels.text[1]), kWhite, 8);
}

// The mark of a typed vent location that no layer uses yet.
void drawNewVentMark(Sim& sim) {
  Model& m = sim.m;
  Canvas& c = sim.plot();
  c.setPenWidth(1);
  m.NewVentX = cint(val(sim.ui.txtLoc.text) * 1000 / m.Scale);
  for (int i = 1; i <= m.LayerCount; ++i)
    if (std::abs(m.LayerVentX[i] - m.NewVentX) < 1) return;
  c.line(m.NewVentX, 605, m.NewVentX, 630, kLightGrey);
}

}  // namespace

void screenRefresh(Sim& sim) {
  Canvas& c = sim.plot();
  try {
    c.setPersistent(true);
    // A clean picture first: a lower section, another scale's labels or the styles' plumes
    // must not show through.
    c.fillBox(0, 0, kPlotWidth, kPlotHeight, kBlack);
    c.setPenWidth(1);
    const AxisLabels labels = axisLabels(sim.ui);
    drawDistanceAxis(c, labels);
    drawStrata(c, sim.m);
    drawConduits(c, sim.m);
    sim.host.yield();
    if (sim.ui.mnuViewVert.checked) drawVerticalScale(sim.host.profile(), labels, sim.ui.VertExag);
    sim.ui.statusBar2[2] = "Dormant   ";
    if (!sim.autoMode() && !sim.playback()) sim.ui.statusBar2[1] = "Select Erupt Parameters";
    sim.host.yield();
    drawNewVentMark(sim);
    c.snapshot();
  } catch (const std::exception& e) {
    sim.reportError("ScreenRefresh", e);
  }
  // Even after an error the styles' drawing must not go into the persistent image.
  c.setPersistent(false);
}

std::string plotPointerText(const Sim& sim, float X, float Y) {
  if (!sim.ui.mnuOptHtips.checked) return "";
  const Model& m = sim.m;
  const int exaggeration = sim.ui.VertExag;
  const int column = std::clamp(static_cast<int>(std::nearbyint(X)), 0, kColumns);
  // Within 20 units above the surface as drawn; the height read out is the true one.
  const bool nearSurface = Y > exaggeratedY(kBase - m.Strat(m.LayerCount, column), exaggeration) - 20;
  Y = trueY(Y, exaggeration);
  std::string prefix;
  for (int i = 1; i <= m.LayerCount; ++i) {
    const int vent = m.LayerVentX[i];
    // Layers without a vent have nothing to point at.
    if (vent > 0 && vent - 5 < X && X < vent + 5 && nearSurface) prefix = "Vent " + generalNumber(i) + ": ";
  }
  const double metres = (600.0 - Y) * m.Scale;
  return prefix + "x = " + sim.kmText(X) + " km" + ",  z = " + format(metres, metres > 1000 ? "0,000" : "0") + " m";
}

}  // namespace magmo
