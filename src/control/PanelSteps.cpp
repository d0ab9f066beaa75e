#include "control/PanelSteps.h"

#include <algorithm>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

std::string tip(const Sim& sim, const char* text) { return sim.ui.mnuOptHtips.checked ? text : ""; }

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

int columnOfKm(const Sim& sim, double km) { return cint(std::clamp(km * 1000 / sim.m.Scale, -30000.0, 30000.0)); }

std::string kmText(const Sim& sim, int column) { return format(column * sim.m.Scale / 1000, "0.00"); }

}  // namespace magmo
