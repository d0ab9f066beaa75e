#include "styles/TectonicStep.h"

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

std::string dormantPhaseText(const Sim& sim) {
  const Model& m = sim.m;
  std::string phase;
  if (sim.playback())
    phase = "Playback Phase: " + format(m.PlayIndex, "0") + " of " + format(m.RecCount, "0");
  else if (sim.autoMode())
    phase = "Auto Phase: " + format(m.LayerCount, "0");
  else
    phase = "Phase: " + format(m.LayerCount, "0");
  return phase + "  (Dormant)   Cycle:";
}

TectonicStep::TectonicStep(Sim& sim) : sim_(sim), eruptType_(sim.m.EruptType) { sim_.m.EruptType = Style::Tectonic; }

TectonicStep::~TectonicStep() { sim_.m.EruptType = eruptType_; }

}  // namespace magmo
