#include "control/ColumnCommands.h"

#include <algorithm>

#include "control/ProfileCommands.h"
#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {
constexpr int kStratHelpTopic = 64;

int clampedCentre(const Sim& sim, double km) {
  return std::clamp(sim.columnOfKm(km), kColumnFirstCentre, kColumnLastCentre);
}
}  // namespace

void mnuViewStratClick(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    if (ui.Strat.visible) {
      sim.windowSound("Minimize");
      ui.Strat.visible = false;
      ui.mnuViewStrat.checked = false;
      ui.toolbar["strat"].pressed = false;
      return;
    }
    // The column takes the place beside the profile that the legend would use.
    hideLegend(ui);
    ui.mnuViewStrat.checked = true;
    ui.toolbar["strat"].pressed = true;
    const double km = val(ui.txtLoc.text);
    ui.Strat.txtLoc.text = format(km, "0.00");
    ui.Strat.scroll = clampedCentre(sim, km);
    ui.Strat.status = "Magmo Stratigraphy";
    ui.Strat.visible = true;
    sim.windowSound("Maximize");
  } catch (const std::exception& e) {
    sim.reportError("mnuViewStrat", e);
  }
}

void stratScrollChange(Sim& sim, int column) {
  sim.ui.Strat.scroll = column;
  sim.ui.Strat.txtLoc.text = sim.kmText(static_cast<float>(column));
}

// Always passed on as a scroll change, so the field shows the location the column is drawn at.
void stratLocEnter(Sim& sim) { stratScrollChange(sim, clampedCentre(sim, val(sim.ui.Strat.txtLoc.text))); }

void stratCopyClick(Sim& sim) { sim.ui.Strat.status = "Stratigraphy window copied to clipboard"; }

void stratHelpClick(Sim& sim) { sim.host.eruptHelp(kStratHelpTopic); }

ColumnScale redrawStrat(Sim& sim, Canvas& canvas) {
  try {
    return plotStrat(sim.m, sim.m.Scale, static_cast<float>(val(sim.ui.Strat.txtLoc.text)), canvas);
  } catch (const std::exception& e) {
    sim.reportError("PlotStrat", e);
  }
  return {};
}

std::string strataMouseMove(const Sim& sim, const ColumnScale& c, float X, float Y) {
  if (!sim.ui.mnuOptHtips.checked) return "";
  return stratPointerText(c, sim.m.Scale, static_cast<float>(val(sim.ui.Strat.txtLoc.text)), X, Y);
}

}  // namespace magmo
