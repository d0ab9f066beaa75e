// A 100-phase history, recorded from an automatic run with a fixed seed, played back headless.
#include <benchmark/benchmark.h>

#include <memory>

#include "NullHost.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "control/Playback.h"

namespace magmo {
namespace {

constexpr int kPhases = 100;

// Stops the automatic run as the cycle after the last wanted phase begins.
class StoppingHost : public bench::NullHost {
 public:
  void yield() override {
    if (sim && sim->ui.AutoCyclesBegun > kPhases) sim->m.RunStop = RunState::Stopping;
  }
  Sim* sim = nullptr;
};

void recordAutomaticRun(Sim& sim, StoppingHost& host) {
  sim.rnd.fixSeed(4711);
  clearVar(sim);
  sim.ui.mnuRecRec.checked = true;
  selectAuto(sim);
  host.sim = &sim;
  cmdEruptClick(sim);
  host.sim = nullptr;
  sim.ui.mnuRecRec.checked = false;
  sim.ui.mnuRecPlay.checked = true;
}

void BM_Playback100Phases(benchmark::State& state) {
  StoppingHost host;
  MemorySettings settings;
  auto sim = std::make_unique<Sim>(host, settings);
  recordAutomaticRun(*sim, host);
  if (sim->m.RecCount != kPhases) {
    state.SkipWithError("the automatic run did not record 100 phases");
    return;
  }
  for (auto _ : state) {
    sim->rnd.fixSeed(4711);
    sim->ui.mnuRecPlay.checked = true;
    cmdEruptClick(*sim);
    if (sim->m.PlayIndex != kPhases) state.SkipWithError("playback stopped early");
    benchmark::DoNotOptimize(sim->m.Topo);
  }
  state.counters["layers"] = sim->m.LayerCount;
}

BENCHMARK(BM_Playback100Phases)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace magmo
