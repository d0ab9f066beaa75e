#include "control/ProfileCommands.h"

#include <algorithm>
#include <iterator>

#include "control/Params.h"
#include "model/Sim.h"
#include "views/Profile.h"

namespace magmo {

namespace {
constexpr int kProfileHelpTopic = 61;
}  // namespace

void plotMouseUp(Sim& sim, MouseButton button, float X, float /*Y*/) {
  Controls& ui = sim.ui;
  try {
    if (button != MouseButton::Left) {
      sim.host.eruptHelp(kProfileHelpTopic);
      return;
    }
    const std::string km = sim.kmText(X);
    if (ui.Change.enabled && ui.Change.visible) {
      if (ui.Change.caption != "Sector Collapse Parameters") {
        ui.txtLoc.text = km;
        txtLocChange(sim);
      } else if (!ui.collapsePickBase) {
        ui.txtCtop.text = km;
        txtCtopChange(sim);
        ui.collapsePickBase = true;
      } else {
        ui.txtCbase.text = km;
        txtCbaseChange(sim);
        ui.collapsePickBase = false;
      }
    }
    if (ui.Tectonic.enabled && ui.Tectonic.visible) {
      ui.txtTloc.text = km;
      txtTlocChange(sim);
    }
  } catch (const std::exception& e) {
    sim.reportError("Plot MouseDown", e);
  }
}

void mnuViewVertClick(Sim& sim) {
  sim.ui.mnuViewVert.checked = !sim.ui.mnuViewVert.checked;
  sim.ui.toolbar["vertical"].pressed = false;
  screenRefresh(sim);
}

void setExaggeration(Controls& ui, int factor) {
  if (std::find(std::begin(kExaggerations), std::end(kExaggerations), factor) == std::end(kExaggerations)) factor = 1;
  ui.VertExag = factor;
  ui.mnuViewExag1.checked = factor == 1;
  ui.mnuViewExag2.checked = factor == 2;
  ui.mnuViewExag5.checked = factor == 5;
  ui.mnuViewExag10.checked = factor == 10;
}

void selectExaggeration(Sim& sim, int factor) {
  setExaggeration(sim.ui, factor);
  screenRefresh(sim);
}

void mnuViewLedgClick(Sim& sim) {
  Controls& ui = sim.ui;
  if (!ui.mnuViewLedg.checked) {
    ui.mnuViewLedg.checked = true;
    ui.Tectonic.visible = ui.Change.visible = false;
    ui.Legend.visible = true;
    sim.windowSound("RestoreUp");
  } else {
    hideLegend(ui);
    sim.windowSound("RestoreDown");
  }
}

void hideLegend(Controls& ui) {
  ui.mnuViewLedg.checked = false;
  ui.toolbar["legend"].pressed = false;
  ui.Legend.visible = false;
}

namespace {
std::string captureFolder(const Sim& sim) { return sim.paths.dataPath + "Capture/"; }
}  // namespace

void mnuViewCapClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuViewCap.checked = ui.toolbar["capture"].pressed = !ui.mnuViewCap.checked;
  ui.statusBar2[1] = ui.mnuViewCap.checked ? "Screen capture on: pictures go to " + captureFolder(sim)
                                           : "Screen capture off";
}

void captureProfile(Sim& sim) {
  if (sim.ui.mnuViewCap.checked) sim.host.captureProfile(captureFolder(sim));
}

}  // namespace magmo
