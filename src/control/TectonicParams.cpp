// The tectonic panel: faulting or erosion, the fault's location, magnitude, dip and side.
#include <algorithm>

#include "control/PanelSteps.h"
#include "control/Params.h"
#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr int kFaultMin = 40, kFaultMax = 1240;
constexpr int kMaxMagnitude = 20, kMaxDip = 10;

// Integer part of a typed value, limited to lo..hi (far values saturate instead of overflowing).
int wholeNumber(double v, int lo, int hi) { return std::clamp(intPart(std::clamp(v, lo - 1.0, hi + 1.0)), lo, hi); }

// A typed number cut to its range at once; a value within the range is left as typed.
double limitField(Field& field, double lo, double hi) {
  const double typed = val(field.text);
  const double v = std::clamp(typed, lo, hi);
  if (v != typed) field.text = format(v, "0");
  return v;
}

const char* kErodeTip = "Press OK, and then press Erode button to start erosion (right click for help)";

void showOperation(Sim& sim, bool faulting, const char* panelTip) {
  Controls& ui = sim.ui;
  ui.panFault.visible = faulting;
  ui.cmdErupt.caption = faulting ? "&Fault" : "&Erode";
  ui.Tectonic.tooltip = sim.tip(panelTip);
  ui.cmdErupt.tooltip = sim.tip(faulting ? "Press to activate the fault button" : "Press to activate the Erode button");
}

void selectOperation(Sim& sim, bool faulting) {
  sim.ui.opFault.checked = faulting;
  sim.ui.opErode.checked = !faulting;
  disarmTectonic(sim);
}

std::string startTooltip(const Sim& sim, bool faulting) {
  if (sim.playback()) return sim.tip("Click to start playback");
  if (sim.ui.mnuRecRec.checked)
    return sim.tip(faulting ? "Click to start faulting/recording" : "Click to start erosion/recording");
  return sim.tip(faulting ? "Click to start faulting" : "Click to start erosion");
}

void applyFault(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  m.FaultX = std::clamp(sim.columnOfKm(val(ui.txtTloc.text)), kFaultMin, kFaultMax);
  const int magnitude = wholeNumber(val(ui.txtMag.text), 0, kMaxMagnitude);
  const int dip = wholeNumber(val(ui.txtDip.text), -kMaxDip, kMaxDip);
  ui.txtTloc.text = sim.kmText(m.FaultX);
  ui.txtMag.text = format(magnitude, "0");
  ui.txtDip.text = format(dip, "0");
}

}  // namespace

void layOutTectonic(Sim& sim) {
  Controls& ui = sim.ui;
  ui.Change.visible = ui.Legend.visible = ui.mnuViewLedg.checked = false;
  ui.toolbar["legend"].pressed = false;
  ui.Tectonic.visible = ui.Tectonic.enabled = true;
  ui.Tectonic.caption = "Tectonic Parameters";
  disableRunButtons(ui);
  showOperation(sim, ui.opFault.checked,
                ui.opFault.checked ? "Adjust fault parameters, press OK, and then press Fault button to start "
                                     "faulting (right click for help)"
                                   : kErodeTip);
  ui.Command[2].enabled = ui.Command[2].isDefault = true;
  ui.Command[4].enabled = true;
}

void changeTecOk(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  try {
    const bool faulting = ui.opFault.checked;
    if (faulting) applyFault(sim);
    const std::string title = faulting ? "Faulting Interval" : "Erosion Interval";
    ui.statusBar2[1] = title;
    ui.statusBar2[2] = "Phase: " + format(m.LayerCount, "0") + (faulting ? "  (Dormant)   " : "  (Dormant)  Cycle:   ");
    ui.cmdErupt.tooltip = startTooltip(sim, faulting);
    if (!sim.playback()) armRunButtons(ui);
    ui.EruptTitle = title;
    m.EruptType = Style::Tectonic;
  } catch (const std::exception& e) {
    sim.reportError("ChangeTecOK", e);
  }
}

void tectonicOk(Sim& sim) {
  changeTecOk(sim);
  sim.ui.Command[2].enabled = false;
  sim.ui.pan3D.visible = false;
}

void cancelTectonic(Sim& sim) {
  clearParams(sim, "");
  sim.ui.Command[2].enabled = false;
  sim.ui.pan3D.visible = false;
  sim.windowSound("RestoreDown");
}

void opFaultClick(Sim& sim) {
  selectOperation(sim, true);
  showOperation(sim, true,
                "Adjust fault parameters, press OK, and then press Fault button to start eruption (right click for "
                "help)");
}

void opErodeClick(Sim& sim) {
  selectOperation(sim, false);
  sim.ui.pan3D.visible = false;
  showOperation(sim, false, kErodeTip);
}

void txtMagChange(Sim& sim) {
  try {
    disarmTectonic(sim);
    limitField(sim.ui.txtMag, 1, kMaxMagnitude);
  } catch (const std::exception& e) {
    sim.reportError("txtMag", e);
  }
}

void txtDipChange(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    disarmTectonic(sim);
    const double dip = limitField(ui.txtDip, -kMaxDip, kMaxDip);
    // A dipping fault drops the side it dips toward; only a vertical one lets the user choose.
    ui.Down.enabled = dip == 0;
    if (dip < 0) ui.Down.text = "Left side down";
    if (dip > 0) ui.Down.text = "Right side down";
  } catch (const std::exception& e) {
    sim.reportError("txtDip", e);
  }
}

void downChange(Sim& sim) { disarmTectonic(sim); }

}  // namespace magmo
