// Any bytes as a stratigraphic file that a phase then runs on: the first byte chooses the
// style and the burst count (one or two), the second the strength, the rest is the file. A
// damaged file may be refused; a file that is read must never make a phase crash or hang (run
// the target with -timeout).
#include <algorithm>
#include <memory>

#include "FuzzSim.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "formats/StratFile.h"
#include "model/Numeric.h"

namespace {

using namespace magmo;

constexpr Style kStyles[] = {Style::Pfs,     Style::Stromb,   Style::Lava,     Style::Dome,    Style::Plinian,
                             Style::Collapse, Style::Fumarole, Style::Tectonic, Style::Tectonic};

// The section read replaces the simulation's; the staging section takes the old one, to be
// overwritten by the next input.
void adopt(Sim& sim, Section& staged, const StratReadResult& r) {
  Model& m = sim.m;
  std::swap(static_cast<Section&>(m), staged);
  if (r.scale) m.Scale = *r.scale == 40 ? 100 : *r.scale;
  m.GravityScaled = m.Gravity / m.Scale;
  for (int x = 1; x <= kColumns; ++x) m.Topo[x] = m.Strat(m.LayerCount, x);
  m.RunStop = RunState::Running;
  m.EruptHours = m.EruptVolume = m.TotalHours = m.TotalVolume = 0;
}

// The panel as a user fills it: a style, a strength, OK.
void choosePhase(Sim& sim, int choice, uint8_t strength) {
  const Style style = kStyles[choice];
  layOutStyle(sim, style);
  if (style == Style::Tectonic) {
    sim.ui.opFault.checked = choice == 7;
    sim.ui.opErode.checked = choice == 8;
    sim.ui.txtMag.text = std::to_string(strength % 21);
    changeTecOk(sim);
  } else {
    sim.ui.txtStr.text = format(0.05 + strength / 100.0, "0.00");
    sim.ui.txtPart.text = "1";  // one particle flies every path a burst can take, at a fraction of the cost
    changeOk(sim);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  magmo::fuzz::FuzzSim& f = magmo::fuzz::fuzzSim();
  static auto staged = std::make_unique<Section>();
  std::istringstream in = magmo::fuzz::inputStream(data + 2, size - 2);
  StratReadResult r;
  try {
    r = readStratText(in, *staged, {});
  } catch (const SimError&) {
    return 0;
  }
  Sim& sim = f.sim;
  adopt(sim, *staged, r);
  const int choice = data[0] % 9;
  // Lava, collapse and the tectonic phases need a layer to work on and no static mode.
  if (sim.staticMode() || (sim.m.LayerCount == 0 && (choice >= 7 || choice == 5))) return 0;
  choosePhase(sim, choice, data[1]);
  const int bursts = 1 + data[0] / 9 % 2;
  f.host.onYield = [&sim, bursts] {
    const bool reached = sim.m.BurstCount >= bursts || sim.m.ErodeCycles >= 1;
    if (reached && sim.m.RunStop != RunState::Stopping) cmdHaltClick(sim);
  };
  sim.m.BurstCount = sim.m.ErodeCycles = 0;  // as a phase begins, without the cost of its undo copy
  runCheckedStyle(sim);
  f.host.onYield = nullptr;
  sim.m.RunStop = RunState::Running;
  if (sim.m.LayerCount < 0 || sim.m.LayerCount > kMaxLayers) __builtin_trap();
  return 0;
}
