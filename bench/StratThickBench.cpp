// StratThick on a full table of 500 layers against the literal triple loop of its truncation
// and against one plain copy of the strata table, the floor any rewrite of it has to pay.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "NullHost.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "support/LiteralTruncation.h"

namespace magmo {
namespace {

using bench::NullHost;

// A volcano of 500 layers, each mostly above the last, with a freshly eroded surface that
// cuts through many of them.
struct FullSection {
  NullHost host;
  MemorySettings settings;
  std::unique_ptr<Sim> sim = std::make_unique<Sim>(host, settings);
  StratTable pristine;

  FullSection() {
    Model& m = sim->m;
    std::mt19937 gen(42);
    std::uniform_real_distribution<float> step(-0.2f, 1.0f);
    m.LayerCount = kMaxLayers;
    for (int x = 1; x <= kColumns; ++x) {
      float top = 0;
      for (int k = 1; k <= kMaxLayers; ++k) m.Strat(k, x) = top += step(gen);
      m.Topo[x] = top * 0.6f;
    }
    pristine = m.Strat;
  }
  void restore() { sim->m.Strat = pristine; }
};

void BM_StratThick(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    state.PauseTiming();
    s.restore();
    state.ResumeTiming();
    stratThick(*s.sim);
    benchmark::ClobberMemory();
  }
}

void BM_TruncateLiteral(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    state.PauseTiming();
    s.restore();
    state.ResumeTiming();
    test::stratTruncateLiteral(s.sim->m);
    benchmark::ClobberMemory();
  }
}

void BM_CopyStrataTable(benchmark::State& state) {
  FullSection s;
  for (auto _ : state) {
    s.restore();
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_StratThick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TruncateLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyStrataTable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace magmo
