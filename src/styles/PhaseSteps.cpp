#include "styles/PhaseSteps.h"

#include "model/Numeric.h"
#include "model/Sim.h"
#include "views/MapView.h"

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

void chooseBursts(Sim& sim, int manualLimit, const std::function<void()>& drawAutomatic) {
  Model& m = sim.m;
  if (sim.playback()) {
    m.EruptSub = m.EruptType;
    m.BurstLimit = m.BurstCount;
  } else if (!sim.autoMode()) {
    m.EruptSub = m.EruptType;
    m.BurstLimit = manualLimit;
  } else {
    drawAutomatic();
  }
  m.BurstCount = 0;
}

void showDrawnParameters(Sim& sim) {
  sim.ui.txtStr.text = format(sim.m.Strength, "0.00");
  sim.ui.txtWind.text = format(sim.m.Wind, "0");
  sim.ui.txtPart.text = format(sim.m.PartCount, "0");
}

void runPhase(Sim& sim, const std::string& errorTitle, MsgIcon icon, const std::function<void()>& bursts,
              const std::function<void()>& endOfPhase) {
  std::string failure;
  try {
    bursts();
  } catch (const std::exception& e) {
    failure = e.what();
  }
  try {
    endOfPhase();
  } catch (const std::exception& e) {
    if (failure.empty()) failure = e.what();
  }
  if (!failure.empty()) sim.host.message(errorTitle + "\n" + failure, icon, "Magmo");
}

void handLayerToMap(Sim& sim, int mapCode) {
  if (!sim.ui.mnuOptMapEnable.checked) return;
  sim.m.MapOn = mapCode;
  sim.m.UndoLayer = sim.m.LayerCount;
  if (!sim.autoMode()) sim.ui.cmdHalt.enabled = sim.ui.toolbar["halt"].enabled = false;
  plotMap(sim, sim.m.UndoLayer);
}

}  // namespace magmo
