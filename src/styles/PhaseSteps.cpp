#include "styles/PhaseSteps.h"

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {
std::string n(double v) { return format(v, "0"); }
}  // namespace

std::string burstProgressText(const Sim& sim, bool withStatic) {
  const Model& m = sim.m;
  const bool still = withStatic && sim.staticMode();
  if (sim.playback())
    return "Playback Phase: " + n(m.PlayIndex) + " of " + n(m.RecCount) + "   Burst: " + n(m.BurstCount) + " of " +
           n(m.BurstLimit) + "   ";
  if (sim.autoMode())
    return still ? "Static Auto Phase: " + n(m.LayerCount) + "   "
                 : "Auto Phase: " + n(m.LayerCount) + "   Burst: " + n(m.BurstCount) + " of " + n(m.BurstLimit) +
                       "   ";
  return still ? "Static Phase: " + n(m.LayerCount) + "   "
               : "Phase: " + n(m.LayerCount) + "   Burst: " + n(m.BurstCount) + "   ";
}

void showPhaseText(Sim& sim, const std::string& text) {
  sim.ui.statusBar2[2] = text;
  sim.ui.PhaseText = text;
}

int alternateColour(int& flag, int colourWhenSet, int colourWhenClear) {
  const int colour = flag != 0 ? colourWhenSet : colourWhenClear;
  flag = flag != 0 ? 0 : 1;
  return colour;
}

void handLayerToMap(Sim& sim, int mapCode) {
  if (!sim.ui.mnuOptMapEnable.checked) return;
  sim.m.MapOn = mapCode;
  sim.m.UndoLayer = sim.m.LayerCount;
  if (!sim.autoMode()) sim.ui.cmdHalt.enabled = sim.ui.toolbar["halt"].enabled = false;
}

}  // namespace magmo
