// Writing and reading a full 500-layer stratigraphic file (target: each under 150 ms), beside
// the same work done with iostream number formatting and parsing for comparison.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <limits>
#include <string>

#include "NullHost.h"
#include "control/StratCommands.h"
#include "formats/StratFile.h"
#include "model/Sim.h"

namespace magmo {
namespace {

using bench::NullHost;

std::string benchPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

Model fullModel() {
  Model m;
  m.LayerCount = kMaxLayers;
  Random rnd(7);
  for (int k = 1; k <= kMaxLayers; ++k) {
    m.LayerVentX[k] = 640;
    m.LayerColor[k] = k % 16;
    for (int x = 1; x <= kColumns; ++x) m.Strat(k, x) = static_cast<float>(k * 0.8 + rnd.next() * 50);
  }
  return m;
}

void BM_WriteStratFile(benchmark::State& state) {
  const Model m = fullModel();
  const std::string path = benchPath("magmo-bench-write.str");
  for (auto _ : state) writeStratFile(m, path, false);
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteStratFile)->Unit(benchmark::kMillisecond);

void BM_ReadStratFile(benchmark::State& state) {
  NullHost host;
  MemorySettings settings;
  Sim sim(host, settings);
  const std::string path = benchPath("magmo-bench-read.str");
  writeStratFile(fullModel(), path, false);
  sim.ui.StrFileName = path;
  for (auto _ : state)
    if (fileReadStrat(sim) != LoadResult::Complete) state.SkipWithError(host.last.c_str());
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadStratFile)->Unit(benchmark::kMillisecond);

// The same layers written value by value through an ostream with enough digits to read back.
void BM_WriteIostream(benchmark::State& state) {
  const Model m = fullModel();
  const std::string path = benchPath("magmo-bench-iostream.str");
  for (auto _ : state) {
    std::ofstream out(path, std::ios::binary);
    out << std::setprecision(std::numeric_limits<float>::max_digits10);
    out << m.LayerCount + 3000 << ',' << m.VentX << ',' << m.Scale << "\r\n0,0,0,0,0\r\n";
    for (int k = 1; k <= m.LayerCount; ++k) {
      out << "\r\n\"layer\"\r\n\r\n" << m.LayerVentX[k] << ',' << m.LayerBase[k] << ',' << m.LayerColor[k]
          << ",0,0,0,0,0,0,0,0,0\r\n";
      for (int x = 1; x <= kColumns; ++x) out << m.Strat(k, x) << (x % 20 == 0 ? "\r\n" : ",");
    }
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteIostream)->Unit(benchmark::kMillisecond);

// The same file read back with operator>> for every value.
void BM_ReadIostream(benchmark::State& state) {
  const std::string path = benchPath("magmo-bench-iostream-read.str");
  writeStratFile(fullModel(), path, false);
  Model m;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int n = 0;
    in >> n;
    std::getline(in, line);
    std::getline(in, line);
    m.LayerCount = n - 3000;
    for (int k = 1; k <= m.LayerCount; ++k) {
      for (int i = 0; i < 4; ++i) std::getline(in, line);  // blank, title, blank, attributes
      for (int x = 1; x <= kColumns; ++x) {
        in >> m.Strat(k, x);
        in.ignore(1);  // the comma, or the CR of CR LF
      }
      in.ignore(1);  // the LF ending the layer
    }
    if (!in) state.SkipWithError("iostream read failed");
    benchmark::DoNotOptimize(m.Strat(m.LayerCount, kColumns));
  }
  if (m.Strat(kMaxLayers, kColumns) != fullModel().Strat(kMaxLayers, kColumns))
    state.SkipWithError("iostream read a different value");
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadIostream)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
