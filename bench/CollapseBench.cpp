// One sector collapse of the flank of a 30-layer volcano.
#include <benchmark/benchmark.h>

#include <memory>

#include "LayeredCone.h"
#include "NullHost.h"
#include "model/Sim.h"
#include "styles/Styles.h"

namespace magmo {
namespace {

using bench::NullHost;

struct Flank {
  int vent, base;
  float friction;  // StrengthC
};

// The flank and runout of the benchmark cases: a summit collapse down the right flank at low
// and at high friction, and the longest zone the profile allows, a vent near the left edge.
constexpr Flank kFlanks[] = {{640, 890, 0.13f}, {640, 890, 0.4f}, {200, 1100, 0.4f}};

void BM_Collapse(benchmark::State& state) {
  const Flank flank = kFlanks[state.range(0)];
  NullHost host;
  MemorySettings settings;
  auto sim = std::make_unique<Sim>(host, settings);
  bench::buildLayeredCone(sim->m, 30, 300, 500, flank.vent);
  sim->m.EruptType = Style::Collapse;
  sim->m.VentX = flank.vent;
  sim->m.CollapseBase = flank.base;
  sim->m.StrengthC = flank.friction;
  sim->m.Strength = 1.03f - flank.friction;
  const auto pristine = std::make_unique<Model>(sim->m);
  for (auto _ : state) {
    state.PauseTiming();
    sim->m = *pristine;
    state.ResumeTiming();
    typeCollapse(*sim);
    benchmark::DoNotOptimize(sim->m.Topo);
  }
}

BENCHMARK(BM_Collapse)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace magmo
