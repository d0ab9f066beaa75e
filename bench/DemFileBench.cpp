// Writing and reading an elevation file at High map precision (step 4, the largest file):
// target under 300 ms each way. Beside them, importing a foreign file that covers the whole
// grid, as a regular lattice and as scattered points.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "NullHost.h"
#include "formats/DemFile.h"
#include "textio/ReplaceFile.h"
#include "model/Random.h"
#include "model/Sim.h"

namespace magmo {
namespace {

using bench::NullHost;

std::string benchPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// Rough terrain with values that need many digits.
void fillTerrain(Model& m) {
  Random rnd(11);
  m.MapStep = 4;
  m.LayerCount = 1;
  for (float& z : m.MapGrid) z = static_cast<float>(300 + rnd.next() * 250);
  for (int x = 1; x <= kColumns; ++x) m.Strat(1, x) = static_cast<float>(300 + rnd.next() * 250);
}

void BM_WriteDemFile(benchmark::State& state) {
  Model m;
  fillTerrain(m);
  const std::string path = benchPath("magmo-bench-write.dem");
  for (auto _ : state) replaceFile(path, demFileText(m));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteDemFile)->Unit(benchmark::kMillisecond);

void BM_ReadDemFile(benchmark::State& state) {
  NullHost host;
  MemorySettings settings;
  Sim sim(host, settings);
  fillTerrain(sim.m);
  const std::string path = benchPath("magmo-bench-read.dem");
  replaceFile(path, demFileText(sim.m));
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    DemData d;
    readDemText(in, host, d);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadDemFile)->Unit(benchmark::kMillisecond);

// One point per grid cell, 4 m apart, jittered off the lattice when scattered.
std::string foreignText(bool scattered) {
  Random rnd(5);
  std::ostringstream s;
  for (int j = 0; j < kMapRows; ++j)
    for (int i = 0; i < kColumns; ++i) {
      const double jitter = scattered ? rnd.next() : 0;
      s << i * 4 + jitter << ',' << j * 4 + jitter << ',' << 1000 + (i * j) % 97 << '\n';
    }
  return s.str();
}

void importForeign(benchmark::State& state, bool scattered) {
  NullHost host;  // answers "vector" to the layout question
  MemorySettings settings;
  Sim sim(host, settings);
  const std::string text = foreignText(scattered);
  for (auto _ : state) {
    std::istringstream in(text);
    DemData d;
    readDemText(in, host, d);
  }
}

void BM_ImportLattice(benchmark::State& state) { importForeign(state, false); }
BENCHMARK(BM_ImportLattice)->Unit(benchmark::kMillisecond);

void BM_ImportScattered(benchmark::State& state) { importForeign(state, true); }
BENCHMARK(BM_ImportScattered)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
