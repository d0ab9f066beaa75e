#include "control/PanelSteps.h"

#include <algorithm>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

void disableRunButtons(Controls& ui) {
  ui.cmdErupt.isDefault = ui.cmdErupt.enabled = false;
  ui.toolbar["play"].enabled = false;
  ui.cmdHalt.isDefault = ui.cmdHalt.enabled = false;
  ui.toolbar["halt"].enabled = false;
}

void armRunButtons(Controls& ui) {
  ui.Command[1].isDefault = false;
  ui.cmdErupt.isDefault = ui.cmdErupt.enabled = true;
  ui.toolbar["play"].enabled = true;
  ui.cmdHalt.isDefault = ui.cmdHalt.enabled = false;
  ui.toolbar["halt"].enabled = false;
}

void disarmTectonic(Sim& sim) {
  sim.ui.Command[2].enabled = true;
  sim.ui.cmdErupt.enabled = false;
  sim.ui.toolbar["play"].enabled = false;
}

}  // namespace magmo
