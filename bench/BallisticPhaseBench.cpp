// The longest automatic Plinian and phreatic phases at the Large scale, on Earth and under
// Moon gravity (the Plinian pumice then flies far above the drawing for most of its flight).
// No phase may take 2 s.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "NullHost.h"
#include "model/Numeric.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "styles/Styles.h"
#include "CostliestSeed.h"

namespace magmo {
namespace {

using bench::NullHost;

constexpr float kLarge = 100;

using bench::costliestSeed;

uint64_t plinianSeed() {
  return costliestSeed([](Random& r) {
    const double s = r.next() / 1.43 + 0.3;
    return (25 * s + 25) * cint(std::pow(kLarge, 0.25) * (6 * s * r.next() + 1));
  });
}

uint64_t phreaticSeed() {
  return costliestSeed([](Random& r) {
    const double s = 0.8 * r.next() + 0.2;
    const int bursts = cint(30 * s * r.next() + 5);
    return r.next() > 0.5 ? (25 * s + 25) * bursts : 0.0;  // with explosions
  });
}

void automaticPhase(benchmark::State& state, void (*style)(Sim&), Style eruptType, uint64_t seed) {
  const GravityItem gravity = state.range(0) == 0 ? GravityItem::Earth : GravityItem::Moon;
  NullHost host;
  MemorySettings settings;
  for (auto _ : state) {
    state.PauseTiming();
    auto sim = std::make_unique<Sim>(host, settings);
    sim->rnd.fixSeed(seed);
    clearVar(*sim);
    changeScale(*sim, ScaleItem::Large);
    selectGravity(*sim, gravity);
    sim->ui.mnuParAuto.checked = true;
    sim->m.EruptType = eruptType;
    state.ResumeTiming();
    style(*sim);
    benchmark::DoNotOptimize(sim->m.Topo);
  }
}

void BM_PlinianAutoPhase(benchmark::State& state) { automaticPhase(state, typePlinian, Style::Plinian, plinianSeed()); }
void BM_PhreaticAutoPhase(benchmark::State& state) { automaticPhase(state, typePhreatic, Style::Fumarole, phreaticSeed()); }

// Argument 0: Earth gravity, 1: Moon gravity.
BENCHMARK(BM_PlinianAutoPhase)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PhreaticAutoPhase)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace magmo
