// The shaded relief at High map precision (step 4, the most samples): target under 5 ms, beside
// a floor that only copies the grid once. The 3-D export's height image: target under 3 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/Model.h"
#include "views/Relief.h"
#include "views/Topo3D.h"

namespace magmo {
namespace {

// A cone 300 high and 500 cells wide at the middle of the grid, in a sea below base level 20.
std::unique_ptr<Section> cone() {
  auto s = std::make_unique<Section>();
  for (int y = 0; y <= kMapRows; ++y)
    for (int x = 0; x <= kColumns; ++x) {
      const float d = std::hypot(float(x - 640), float(y - 320));
      s->mapGrid(x, y) = std::max(0.0f, 300 * (1 - d / 500));
    }
  return s;
}

void BM_GridCopyFloor(benchmark::State& state) {
  const auto s = cone();
  for (auto _ : state) {
    std::vector<float> copy = s->MapGrid;
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_GridCopyFloor)->Unit(benchmark::kMillisecond);

void BM_ReliefStep4(benchmark::State& state) {
  const auto s = cone();
  const int mode = static_cast<int>(state.range(0));
  for (auto _ : state) {
    RgbImage image = plotTopoPlot(*s, {mode, 4, 20, 3, 300});
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(BM_ReliefStep4)->Arg(1)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_Topo3DImage(benchmark::State& state) {
  const auto s = cone();
  for (auto _ : state) {
    RgbImage image = topo3DImage(*s, 20);
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(BM_Topo3DImage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
