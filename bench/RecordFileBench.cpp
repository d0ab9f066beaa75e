// Writing and reading a full 500-phase eruption history, a third of it lava phases of 100
// bursts (target: each way under 50 ms).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "NullHost.h"
#include "textio/ReplaceFile.h"
#include "model/Sim.h"
#include "control/RecordCommands.h"
#include "formats/RecordFile.h"

namespace magmo {
namespace {

using bench::NullHost;

std::string benchPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void fillHistory(Model& m) {
  Random rnd(11);
  m.RecCount = kRecPhases;
  for (int i = 1; i <= kRecPhases; ++i) {
    PhaseRecord& r = m.RecTable[i];
    r.Style = Style(1 + i % 7);
    r.Location = static_cast<float>(rnd.next() * 25);
    r.Strength = static_cast<float>(rnd.next() * 2);
    r.Wind = static_cast<float>(rnd.next() * 100 - 50);
    r.Particles = 50;
    r.Bursts = r.isLava() ? kRecBursts : 40;
    for (int k = 1; k <= 6; ++k) r.Slider[k] = 6;
    r.MapA = static_cast<float>(rnd.next());
    if (r.isLava())
      for (int b = 1; b <= kRecBursts; ++b) m.RecBurst(i, b) = static_cast<float>(rnd.next() * 40);
  }
}

struct BenchSim {
  NullHost host;
  MemorySettings settings;
  Sim sim{host, settings};
  BenchSim() { fillHistory(sim.m); }
};

void BM_WriteRecordFile(benchmark::State& state) {
  BenchSim b;
  const Model& m = b.sim.m;
  const std::string path = benchPath("magmo-bench-write.rec");
  for (auto _ : state) replaceFile(path, recordFileText({"/data/base.str", m.Scale, m.RecCount}, m.RecTable, m.RecBurst));
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteRecordFile)->Unit(benchmark::kMillisecond);

void BM_ReadRecordFile(benchmark::State& state) {
  BenchSim b;
  const Model& m = b.sim.m;
  const std::string path = benchPath("magmo-bench-read.rec");
  replaceFile(path, recordFileText({"", m.Scale, m.RecCount}, m.RecTable, m.RecBurst));
  b.sim.ui.RecFileName = path;
  for (auto _ : state)
    if (!fileReadRec(b.sim)) state.SkipWithError(b.host.last.c_str());
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadRecordFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
