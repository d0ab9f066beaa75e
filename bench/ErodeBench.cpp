// One erosion interval of 10 cycles on a 100-layer volcano, run as a played-back phase so that
// its length is fixed.
#include <benchmark/benchmark.h>

#include <memory>

#include "LayeredCone.h"
#include "NullHost.h"
#include "model/Sim.h"
#include "styles/Styles.h"

namespace magmo {
namespace {

using bench::NullHost;

void BM_Erode10Cycles(benchmark::State& state) {
  NullHost host;
  MemorySettings settings;
  auto sim = std::make_unique<Sim>(host, settings);
  bench::buildLayeredCone(sim->m, 100, 300, 500);
  sim->ui.mnuRecPlay.checked = true;
  sim->m.PlayErodeCycles = 10;
  const auto pristine = std::make_unique<Model>(sim->m);
  for (auto _ : state) {
    state.PauseTiming();
    sim->m = *pristine;
    state.ResumeTiming();
    typeErode(*sim);
    benchmark::DoNotOptimize(sim->m.Topo);
  }
}

BENCHMARK(BM_Erode10Cycles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
