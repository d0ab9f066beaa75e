// The costliest automatic flow/surge phases: on flat ground and on a mature layered volcano
// (where the long, strong ones cut a caldera), at the Normal and the Large scale (the flows
// there take the most time steps to come to rest). No phase may take 2 s.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "LayeredCone.h"
#include "NullHost.h"
#include "CostliestSeed.h"
#include "model/Numeric.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "styles/Styles.h"

namespace magmo {
namespace {

using bench::NullHost;

// The seed whose automatic draws give the most particle bursts, weighted by how long weakly
// braked flows run.
uint64_t costliestSeed(float scale) {
  return bench::costliestSeed([scale](Random& r) {
    const double c = 0.75 * r.next() + 0.03;
    const int bursts = cint(std::pow(scale, 0.25) * (6 * (1 - c) * r.next() + 3));
    return (25 * (1.05 - c) + 25) * bursts / c;
  });
}

// Arguments: scale (0 Normal, 1 Large), ground (0 flat, 1 a volcano of 12 layers).
void BM_PfsAutoPhase(benchmark::State& state) {
  const bool large = state.range(0) == 1;
  const uint64_t seed = costliestSeed(large ? 100 : 20);
  NullHost host;
  MemorySettings settings;
  for (auto _ : state) {
    state.PauseTiming();
    auto sim = std::make_unique<Sim>(host, settings);
    sim->rnd.fixSeed(seed);
    clearVar(*sim);
    if (large) changeScale(*sim, ScaleItem::Large);
    if (state.range(1) == 1) bench::buildLayeredCone(sim->m, 12, 120, 300);
    sim->ui.mnuParAuto.checked = true;
    sim->m.EruptType = Style::Pfs;
    state.ResumeTiming();
    typePfs(*sim);
    benchmark::DoNotOptimize(sim->m.Topo);
  }
}

BENCHMARK(BM_PfsAutoPhase)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace magmo
