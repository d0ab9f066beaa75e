#include "views/Topo3D.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/Bitmap.h"

namespace magmo {

namespace {

constexpr int kBlock = 7;
const std::string kSection = "Magmo3/Topo3D";

}  // namespace

RgbImage topo3DImage(const Section& s, float baseLevel) {
  // Row by row of the grid, each block's 49 cells added in the same order as one block at a time.
  std::vector<float> grid(static_cast<size_t>(kGrid3DWidth) * kGrid3DHeight);
  std::array<float, kGrid3DWidth> sums;
  for (int j = 1; j <= kGrid3DHeight; ++j) {
    sums.fill(0);
    for (int y = kBlock * j - 6; y <= kBlock * j; ++y) {
      const float* row = &s.MapGrid[static_cast<size_t>(y) * (kColumns + 1)];
      for (int i = 1; i <= kGrid3DWidth; ++i)
        for (int x = kBlock * i - 6; x <= kBlock * i; ++x) sums[i - 1] += row[x];
    }
    for (int i = 0; i < kGrid3DWidth; ++i)
      grid[static_cast<size_t>(j - 1) * kGrid3DWidth + i] = std::floor(sums[i] / 49);
  }

  float hi = 0, lo = 100000;
  for (float h : grid) {
    if (h > hi) hi = h;
    if (h < lo) lo = h;
  }
  RgbImage image(kGrid3DWidth, kGrid3DHeight);
  // A flat grid has nothing above its lowest cell, so it stays black without dividing by zero.
  for (size_t k = 0; k < grid.size(); ++k) {
    const float h = grid[k];
    if (!(h > lo && h > baseLevel)) continue;
    const int g = static_cast<int>(std::min(std::floor(h / (hi - lo) * 255), 255.0f));
    const auto v = static_cast<uint8_t>(std::max(g, 0));
    image.pixels[k] = {v, v, v};
  }
  return image;
}

void plotTopo3D(Sim& sim) {
  sim.host.busyPointer(true);
  try {
    sim.settings.save(kSection, "NewFile", "False");
    sim.m.BaseLevel = numVal(sim.ui.Map.txtBase.text) / sim.m.Scale;
    sim.pictures.grid3d = topo3DImage(sim.m, sim.m.BaseLevel);
    writeWorkingImage(sim.pictures.grid3d, sim.paths.work, "Magmo3D", ".ebm");
    // The viewer reloads on "True"; the second's delay must not hold up the window.
    SettingsStore* settings = &sim.settings;
    sim.host.later(1000, [settings] { settings->save(kSection, "NewFile", "True"); });
  } catch (const std::exception& e) {
    sim.reportError("PlotTopo3D", e);
  }
  sim.host.busyPointer(false);
}

}  // namespace magmo
