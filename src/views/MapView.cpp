#include "views/MapView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/Bitmap.h"
#include "views/PlanFrame.h"
#include "views/Relief.h"
#include "views/Topo3D.h"

namespace magmo {

namespace {

constexpr float kThin = 0.01f;  // thinner than this, a layer is not there
constexpr int kRowLow = 160, kRowHigh = 480;

float thickness(const Model& m, int layer, int x) { return m.Strat(layer, x) - m.Strat(layer - 1, x); }
unsigned char unitOf(const Model& m, int layer) { return static_cast<unsigned char>((m.LayerColor[layer] & 15) + 1); }
bool isLavaCode(int code) { return code == 3 || code == 4; }
// Flows, falls and phreatic deposits drape what is there; the other styles build the surface.
bool drapes(int code) { return code == 1 || code == 5 || code == 7; }

// A uniform value in (-1, 1): a draw, negated when a second draw is at most 0.5.
float signedDraw(Sim& sim, float size) {
  const float v = static_cast<float>(sim.rnd01()) * size;
  return sim.rnd01() <= 0.5 ? -v : v;
}

void chooseVentRow(Sim& sim, int layer) {
  Model& m = sim.m;
  if (sim.ui.mnuOptMap3dPosEnable.checked && m.LayerMapY[layer] == 0) {
    const float d = static_cast<float>(std::abs(m.LayerVentX[layer - 1] - m.LayerVentX[layer]));
    const float s = sim.rnd01() <= 0.5 ? -1.0f : 1.0f;
    // A first layer has no row to start from but the profile line.
    const int previous = m.LayerMapY[layer - 1] != 0 ? m.LayerMapY[layer - 1] : kMapProfileRow;
    m.LayerMapY[layer] = std::clamp(intPart(s * d / 1200 * 320 + previous), kRowLow, kRowHigh);
  }
  if (m.LayerMapY[layer] == 0) m.LayerMapY[layer] = kMapProfileRow;
}

void chooseShape(Sim& sim, int layer, int code, const Footprint& f) {
  Model& m = sim.m;
  const float sum = f.leftExtent + f.rightExtent, mean = sum / 2;
  float& A = m.LayerMapA[layer];
  if (A == 0) {
    if (code == 6)
      A = mean / 5;
    else if (code == 3)
      A = std::max(static_cast<float>(sim.rnd01()) * mean, sum / 4);
    else if (code == 4 && m.LayerCount >= 11)
      A = std::max(static_cast<float>(sim.rnd01()) * mean, sum / 3);
    else if (code != 4)
      A = f.leftExtent < 0 || f.rightExtent < 0 ? mean / 3 : mean;
  }
  if (!isLavaCode(code)) {
    if (m.LayerMapB[layer] == 0) m.LayerMapB[layer] = signedDraw(sim, 1);
    return;
  }
  // Domes spread their lobes wider than the long, straighter Hawaiian flows.
  const float bend = code == 4 ? 4 : 3;
  for (float* v : {&m.LayerMapC[layer], &m.LayerMapD[layer]})
    if (*v == 0) *v = std::clamp(signedDraw(sim, bend), -4.0f, 4.0f);
}

// Writes (or adds) value into the step x step block at (x, y) and marks the unit where the
// layer is there.
void fillBlock(Model& m, int x, int y, int step, float value, bool add, unsigned char unit) {
  const int right = std::min(x + step - 1, kColumns), bottom = std::min(y + step - 1, kMapRows);
  for (int j = y; j <= bottom; ++j)
    for (int i = x; i <= right; ++i) {
      float& cell = m.mapGrid(i, j);
      cell = add ? cell + value : value;
      if (unit) m.mapUnit(i, j) = unit;
    }
}

void revolveLayer(Model& m, int layer, int code, const Footprint& f) {
  const int step = m.MapStep;
  const float mean = std::max((f.leftExtent + f.rightExtent) / 2, 1.0f);
  const float A = m.LayerMapA[layer] > 0 ? m.LayerMapA[layer] : mean;
  const bool lava = isLavaCode(code);
  const float B = lava ? 0 : std::clamp(m.LayerMapB[layer], -1.0f, 1.0f);
  const float C = lava ? std::clamp(m.LayerMapC[layer], -4.0f, 4.0f) : 0;
  const float D = lava ? std::clamp(m.LayerMapD[layer], -4.0f, 4.0f) : 0;
  const float reachLeft = std::max(f.leftExtent, 0.0f), reachRight = std::max(f.rightExtent, 0.0f);
  const bool add = drapes(code);
  const unsigned char unit = unitOf(m, layer);
  for (int y = 1; y <= kMapRows; y += step)
    for (int x = f.a; x <= f.b; x += step) {
      const float dx = static_cast<float>(x - f.vent);
      float dy = static_cast<float>(y - f.row) - (dx < 0 ? C : D) * std::abs(dx) / 16;
      const float across = std::max(A * (1 + (dy > 0 ? B : -B) / 2), 0.5f);
      dy *= mean / across;
      const float r = std::sqrt(dx * dx + dy * dy);
      const float leftAt = f.vent - r, rightAt = f.vent + r;
      const float t = r > 0 ? std::clamp((x - leftAt) / (2 * r), 0.0f, 1.0f) : 0.5f;
      const float c = std::cos(std::numbers::pi_v<float> / 2 * t);
      if (r > reachLeft * c + reachRight * (1 - c) + step) continue;
      const int left = std::max(intPart(leftAt), f.a), right = std::min(intPart(rightAt), f.b);
      const float thick = thickness(m, layer, right) * (1 - c) + thickness(m, layer, left) * c;
      const float value =
          add ? thick : std::max((1 - c) * m.Strat(layer, right) + c * m.Strat(layer, left), 0.0f);
      fillBlock(m, x, y, step, value, add, thick > kThin ? unit : 0);
    }
}

// Walks outward from the vent while the top rises: the rim on that side (the vent itself when
// the top falls away at once, as on a cone without a crater).
int rimColumn(const Model& m, int layer, int vent, int direction, int end) {
  int x = vent;
  while (x != end && m.Strat(layer, x + direction) >= m.Strat(layer, x)) x += direction;
  // Level ground is no crater.
  return m.Strat(layer, x) > m.Strat(layer, vent) + kThin ? x : vent;
}

// Loaded terrain: the layer's profile on every row.
void spreadProfile(Model& m, int layer) {
  const unsigned char unit = unitOf(m, layer);
  for (int y = 1; y <= kMapRows; ++y)
    for (int x = 1; x <= kColumns; ++x) {
      m.mapGrid(x, y) = m.Strat(layer, x);
      m.mapUnit(x, y) = unit;
    }
}

// Erosion changed the profile line from what the map shows there: every row of that column
// changes alike in proportion to its height against the profile line's, so the ground of the
// section changes as the section did and low ground far off hardly at all; new sediment takes
// the layer's colour.
void reworkByErosion(Model& m, int layer) {
  const unsigned char unit = unitOf(m, layer);
  for (int x = 1; x <= kColumns; ++x) {
    const float before = m.mapGrid(x, kMapProfileRow), change = m.Strat(layer, x) - before;
    for (int y = 1; y <= kMapRows; ++y) {
      float& h = m.mapGrid(x, y);
      const float moved = change * std::clamp(h / std::max(before, kThin), 0.0f, 1.0f);
      h = std::max(h + moved, 0.0f);
      if (moved > kThin) m.mapUnit(x, y) = unit;
    }
  }
}

// The downthrown side sinks until its highest cell of each column meets the new surface.
void dropFaultBlock(Sim& sim, int layer) {
  Model& m = sim.m;
  const bool leftDown = sim.ui.Down.text == "Left side down";
  const int fault = std::clamp(m.FaultX, 1, kColumns);
  const int first = leftDown ? 1 : fault, last = leftDown ? fault : kColumns;
  for (int x = first; x <= last; ++x) {
    float highest = 0;
    for (int y = 1; y <= kMapRows; ++y) highest = std::max(highest, m.mapGrid(x, y));
    const float drop = std::max(highest - m.Strat(layer, x), 0.0f);
    for (int y = 1; y <= kMapRows; ++y) {
      float& h = m.mapGrid(x, y);
      h = std::max(h - drop, 0.0f);
      if (h == 0) m.mapUnit(x, y) = 0;
    }
  }
}

Rgb shaded(Rgb c, float factor) {
  const auto channel = [factor](uint8_t v) { return static_cast<uint8_t>(std::min(v * factor, 255.0f)); };
  return {channel(c.r), channel(c.g), channel(c.b)};
}

}  // namespace

Footprint plotMapInit(Sim& sim, int layer) {
  Model& m = sim.m;
  Footprint f;
  f.vent = Section::column(m.LayerVentX[layer]);
  chooseVentRow(sim, layer);
  f.row = m.LayerMapY[layer];
  f.a = f.b = f.vent;
  bool found = false;
  for (int x = 1; x <= kColumns; ++x)
    if (thickness(m, layer, x) > kThin) {
      if (!found) f.a = x;
      f.b = x;
      found = true;
    }
  f.leftExtent = static_cast<float>(f.vent - f.a);
  f.rightExtent = static_cast<float>(f.b - f.vent);
  chooseShape(sim, layer, m.MapOn, f);
  return f;
}

void plotMapCrater(Model& m, int layer, const Footprint& f) {
  const int rimLeft = rimColumn(m, layer, f.vent, -1, 1), rimRight = rimColumn(m, layer, f.vent, 1, kColumns);
  const int radius = std::max(f.vent - rimLeft, rimRight - f.vent);
  if (radius == 0) return;
  for (int y = std::max(f.row - radius, 1); y <= std::min(f.row + radius, kMapRows); ++y)
    for (int x = rimLeft; x <= rimRight; ++x) {
      const int dx = x - f.vent, dy = y - f.row;
      const float r = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      if (r >= (dx < 0 ? f.vent - rimLeft : rimRight - f.vent)) continue;
      const int column = dx < 0 ? intPart(f.vent - r) : intPart(f.vent + r);
      float& h = m.mapGrid(x, y);
      h = std::min(h, m.Strat(layer, column));
    }
}

void spreadLayerOnMap(Sim& sim, int layer) {
  Model& m = sim.m;
  if (layer < 1 || layer > m.LayerCount) throw SimError("Subscript out of range");
  switch (m.MapOn) {
    case kMapNoVent:
      spreadProfile(m, layer);
      return;
    case kMapErosion:
      reworkByErosion(m, layer);
      return;
    case kMapFault:
      dropFaultBlock(sim, layer);
      return;
    default: {
      const Footprint f = plotMapInit(sim, layer);
      revolveLayer(m, layer, m.MapOn, f);
      if (m.MapOn == 6) m.CollapseMapX = cint((f.a + f.b) / 2.0);
      plotMapCrater(m, layer, f);
    }
  }
}

RgbImage renderMap(const Model& m) {
  const int step = m.MapStep;
  const PlanFrame frame{step};
  RgbImage image(frame.width(), frame.height());
  const Rgb kBareGround = paletteColor(8);
  for (int y = 1; y <= kMapRows; y += step)
    for (int x = 1; x <= kColumns; x += step) {
      const float h = m.mapGrid(x, y);
      if (h <= 0) continue;  // the picture starts black
      const unsigned char unit = m.mapUnit(x, y);
      const float rise = h - m.mapGrid(std::max(x - step, 1), std::max(y - step, 1));
      const float light = std::clamp(1 + 0.6f * rise / step, 0.5f, 1.5f);
      image.fillBlock(x - frame.left(), y - frame.top(), step, step,
                      shaded(unit ? paletteColor(unit - 1) : kBareGround, light));
    }
  return image;
}

void drawMap(Sim& sim) {
  Controls& ui = sim.ui;
  sim.pictures.map = renderMap(sim.m);
  ui.pBarValue = 100;
  try {
    writeWorkingImage(sim.pictures.map, sim.paths.work, "MagmoMap", ".bmp");
  } catch (const std::exception& e) {
    throw SimError(std::string(e.what()) + "\nPicture file create error: ");
  }
  enableMapViews(ui, true);
  ui.mnuFileSaveAsDem.enabled = true;
}

void enableMapViews(Controls& ui, bool on) {
  ui.mnuViewMap.enabled = ui.mnuViewTopo.enabled = ui.toolbar["map"].enabled = ui.toolbar["topo"].enabled = on;
  ui.mnuView3D.enabled = ui.mnuFileMagmo3D.enabled = ui.toolbar["magmo3d"].enabled = on && ui.Viewer3DAvailable;
}

void plotMap(Sim& sim, int layer) {
  Controls& ui = sim.ui;
  sim.host.busyPointer(true);
  ui.pBarVisible = true;
  ui.pBarValue = 0;
  const std::string shownBefore = ui.statusBar2[1];
  ui.statusBar2[1] = "Please wait, mapping Unit " + std::to_string(layer) + " of " + std::to_string(sim.m.LayerCount) + "   ";
  ui.Map.buttonsEnabled = false;
  try {
    sim.host.yield();
    spreadLayerOnMap(sim, layer);
    drawMap(sim);
    if (ui.Map.visible && ui.Map.topography) {
      plotTopo(sim, std::max(sim.m.ReliefMode, 1));
      sim.m.TopoLayerCount = sim.m.LayerCount;
    } else if (ui.View3DOpen) plotTopo3D(sim);
    if (ui.mnuOptMap3dPosEnable.checked) plotMapCenter(sim);
  } catch (const std::exception& e) {
    sim.host.message(e.what(), MsgIcon::Exclamation, "Mapping error");
  }
  ui.Map.buttonsEnabled = true;
  ui.statusBar2[1] = shownBefore;
  ui.pBarVisible = false;
  sim.host.busyPointer(false);
}

void plotMapCenter(Sim& sim) {
  const Model& m = sim.m;
  sim.ui.MapMarkerX = std::clamp(m.NewVentX, 1, kColumns);
  const int next = std::min(m.LayerCount + 1, kMaxLayers);
  const int row = m.LayerMapY[next] != 0 ? m.LayerMapY[next] : m.LayerMapY[m.LayerCount];
  sim.ui.MapMarkerY = row != 0 ? row : kMapProfileRow;
}

}  // namespace magmo
