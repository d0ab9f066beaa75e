#include "control/Recorder.h"

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

int flag(bool on) { return on ? 1 : 0; }

void recordEruption(const Sim& sim, PhaseRecord& r, Style style) {
  const Controls& ui = sim.ui;
  r.Style = style;
  r.Location = static_cast<float>(val(ui.txtLoc.text));
  r.Strength = static_cast<float>(val(ui.txtStr.text));
  r.Wind = static_cast<float>(val(ui.txtWind.text));
  r.Particles = static_cast<float>(val(ui.txtPart.text));
  if (ui.chkDirected.enabled) r.Directed = flag(ui.chkDirected.checked);
  // A diatreme clears the box when it is done; the phase was asked for with it.
  r.CalderaFlag = flag(ui.chkCaldDiat.checked || ui.CaldDiatAtStart);
  if (ui.CaldStyle.visible)
    r.CalderaStyle = ui.CaldStyle.text == "Mazama Type" ? CalderaStyle::Mazama : CalderaStyle::Valles;
  r.Explosion = flag(ui.chkFumex.checked);
  if (style == Style::Collapse) {
    r.ScarpTop = static_cast<float>(val(ui.txtCtop.text));
    r.ScarpBase = static_cast<float>(val(ui.txtCbase.text));
  }
  r.Bursts = sim.m.BurstCount;
}

void recordTectonic(Sim& sim, PhaseRecord& r, int n) {
  const Controls& ui = sim.ui;
  if (ui.opFault.checked) {
    r.TectonicKind = TectonicKind::Fault;
    r.Location = static_cast<float>(val(ui.txtTloc.text));
    r.Magnitude = cint(val(ui.txtMag.text));
    r.Dip = cint(val(ui.txtDip.text));
    if (r.Dip == 0) r.DownSide = ui.Down.text == "Left side down" ? DownSide::Left : DownSide::Right;
  } else {
    r.TectonicKind = TectonicKind::Erosion;
    r.ErodeCycles = sim.m.ErodeCycles;
  }
  sim.m.RecBurst(n, 1) = 0;
}

void switchRecordingOff(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuRecRec.checked = false;
  ui.toolbar["record"].pressed = false;
  ui.mnuParStatic.enabled = true;
  ui.statusBar1[6] = "Record Off";
  sim.host.message("Record off (cannot record after phase 500)", MsgIcon::Information, "Magmo");
}

}  // namespace

void record(Sim& sim, Style style) {
  Model& m = sim.m;
  try {
    const int n = m.RecCount + 1;
    if (n > kRecPhases) {
      switchRecordingOff(sim);
      return;
    }
    // Built aside first, so a failure leaves the history as it was.
    PhaseRecord r;
    for (int i = 1; i <= 6; ++i) r.Slider[i] = sim.ui.Slider[i].value;
    if (m.LayerCount >= 0 && m.LayerCount <= kMaxLayers) {
      r.MapA = m.LayerMapA[m.LayerCount];
      r.MapB = m.LayerMapB[m.LayerCount];
      r.MapC = m.LayerMapC[m.LayerCount];
      r.MapD = m.LayerMapD[m.LayerCount];
    }
    if (style != Style::Tectonic)
      recordEruption(sim, r, style);
    else
      recordTectonic(sim, r, n);
    m.RecTable[n] = r;
    m.RecCount = n;
    sim.ui.RecLoaded = sim.ui.RecordChanged = true;
  } catch (const std::exception& e) {
    sim.reportError("Record", e);
  }
}

void clearRec(Sim& sim) {
  Model& m = sim.m;
  m.RecTable.fill(PhaseRecord{});
  m.RecBurst.clear();
  m.RecCount = 0;
  m.PlayIndex = 0;
  sim.ui.RecordChanged = false;
}

}  // namespace magmo
