// The map at High precision: one layer added and its picture saved (target under 15 ms), and a
// 500-layer stratigraphic file opened with its map rebuilt (target under 2 s), beside the
// literal way of saving the picture after every layer of the rebuild.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "LayeredCone.h"
#include "NullHost.h"
#include "control/MapCommands.h"
#include "control/StratCommands.h"
#include "formats/StratFile.h"
#include "model/Sim.h"
#include "views/MapView.h"

namespace magmo {
namespace {

struct MapSim {
  explicit MapSim(int layers) : sim(host, settings) {
    namespace fs = std::filesystem;
    folder = fs::temp_directory_path() / ("magmo-mapbench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    sim.paths.work = folder.string() + "/";
    sim.ui.mnuOptMapEnable.checked = true;
    sim.m.MapStep = 4;
    bench::buildLayeredCone(sim.m, layers, 300, 400);
  }
  ~MapSim() { std::filesystem::remove_all(folder); }
  bench::NullHost host;
  MemorySettings settings;
  Sim sim;
  std::filesystem::path folder;
};

void BM_PlotMapHigh(benchmark::State& state) {
  MapSim s(30);
  s.sim.m.MapOn = 2;
  for (auto _ : state) plotMap(s.sim, s.sim.m.LayerCount);
}
BENCHMARK(BM_PlotMapHigh)->Unit(benchmark::kMillisecond);

void BM_Open500LayersWithMap(benchmark::State& state) {
  MapSim s(500);
  const std::string file = s.folder.string() + "/cone.str";
  writeStratFile(s.sim.m, file, true);
  for (auto _ : state) {
    s.sim.ui.StrFileName = file;
    fileReadStrat(s.sim);
  }
}
BENCHMARK(BM_Open500LayersWithMap)->Unit(benchmark::kMillisecond);

// The floor of the literal reader: the same rebuild, the picture drawn and saved per layer.
void BM_Rebuild500LayersPictureEachLayer(benchmark::State& state) {
  MapSim s(500);
  for (auto _ : state)
    for (int k = 1; k <= s.sim.m.LayerCount; ++k) {
      s.sim.m.MapOn = 2;
      spreadLayerOnMap(s.sim, k);
      drawMap(s.sim);
    }
}
BENCHMARK(BM_Rebuild500LayersPictureEachLayer)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace magmo
