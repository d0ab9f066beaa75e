#include "control/RunControl.h"

#include "control/AutoCycle.h"
#include "control/Params.h"
#include "control/ProfileCommands.h"
#include "control/Undo.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "control/Playback.h"
#include "control/MapCommands.h"
#include "control/Recorder.h"
#include "styles/Styles.h"
#include "views/MapView.h"

namespace magmo {

namespace {

const char* kPauseTip = "Pause eruption/playback simulation";
const char* kStopTip = "Stop eruption/playback simulation";

// "Manual Erupt" / "Auto Erupt" with the state suffix of the mode text.
std::string modeText(const Sim& sim, const std::string& suffix) {
  return (sim.autoMode() ? "Auto Erupt" : "Manual Erupt") + suffix;
}

std::string runningModeText(const Sim& sim) {
  if (sim.staticMode()) return modeText(sim, " (Static)");
  if (sim.autoMode() && sim.ui.ConeBuilding) return "Auto Erupt (cone building)";
  return modeText(sim, "");
}

std::string playbackModeText(const Sim& sim) {
  return sim.ui.mnuRecPlayLoop.checked ? "Playback Started (Loop)" : "Playback Started";
}

void setHaltButton(Sim& sim, const char* image, const char* tooltip) {
  ToolButton& halt = sim.ui.toolbar["halt"];
  halt.image = image;
  halt.tooltip = sim.tip(tooltip);
}

}  // namespace

void runCheckedStyle(Sim& sim) {
  Model& m = sim.m;
  const Controls& ui = sim.ui;
  if (ui.mnuParLava.checked || ui.mnuParDome.checked) {
    typeLava(sim);
  } else if (ui.mnuParStrom.checked) {
    typeStromb(sim);
  } else if (ui.mnuParPlin.checked) {
    typePlinian(sim);
  } else if (ui.mnuParPfs.checked && ui.chkCaldDiat.checked && m.StrengthC >= 0.6f) {
    m.EruptType = Style::Stromb;  // a flow/surge phase opens with a maar-diatreme
    typeStromb(sim);
  } else if (ui.mnuParPfs.checked) {
    typePfs(sim);
  } else if (ui.mnuParFum.checked) {
    typePhreatic(sim);
  } else if (ui.mnuParCol.checked) {
    typeCollapse(sim);
  } else if (ui.mnuParTec.checked) {
    if (ui.opFault.checked) fault(sim);
    if (ui.opErode.checked) typeErode(sim);
  }
}

void beginPhase(Sim& sim) {
  saveUndo(sim);
  sim.ui.SectionChanged = true;
  sim.m.BurstCount = 0;
  sim.m.ErodeCycles = 0;
  sim.ui.CaldDiatAtStart = sim.ui.chkCaldDiat.checked;
}

namespace {

void runManualPhase(Sim& sim) {
  Model& m = sim.m;
  m.EruptHours = 0;
  m.EruptVolume = 0;
  showZeroedStatistics(sim);
  beginPhase(sim);
  runCheckedStyle(sim);
  while (m.StratBusy == 1) sim.host.yield();
  eruptFinish(sim);
}

void resume(Sim& sim) {
  sim.m.RunStop = RunState::Running;
  sim.ui.statusBar2[2] = sim.ui.PhaseText;
  sim.soundPlayLoop();
  sim.ui.modeText() = sim.ui.playbackRunning() ? playbackModeText(sim) : runningModeText(sim);
}

void pause(Sim& sim) {
  Controls& ui = sim.ui;
  sim.m.RunStop = RunState::Paused;
  ui.cmdHalt.caption = "&Stop";
  ui.cmdErupt.enabled = true;
  sim.soundOff();
  setHaltButton(sim, "stop", kStopTip);
  ui.toolbar["play"].enabled = true;
  ui.toolbar["play"].pressed = false;
  captureProfile(sim);
  ui.statusBar2[2] = "(Paused) " + ui.PhaseText;
  ui.modeText() = ui.playbackRunning() ? "Playback (Paused)" : modeText(sim, " (Paused)");
}

void stop(Sim& sim) {
  Controls& ui = sim.ui;
  sim.m.RunStop = RunState::Stopping;
  sim.soundPlayLoop();
  ui.statusBar2[2] = "(Finishing) " + ui.PhaseText;
  ui.modeText() = ui.playbackRunning() ? "Playback (Stopped)" : modeText(sim, " (Stopped)");
  ui.toolbar["halt"].pressed = true;
  ui.toolbar["play"].pressed = false;
  ui.cmdErupt.enabled = ui.cmdHalt.enabled = false;
  ui.toolbar["play"].enabled = ui.toolbar["halt"].enabled = false;
}

}  // namespace

void showIdleModeText(Sim& sim) {
  if (!sim.ui.playbackRunning()) sim.ui.modeText() = modeText(sim, sim.staticMode() ? " (Static)" : "");
}

void menuAct(Sim& sim, bool enable) {
  Controls& ui = sim.ui;
  for (MenuItem* menu : {&ui.mnuFile, &ui.mnuPar, &ui.mnuOpt, &ui.mnuRec, &ui.mnuView}) menu->enabled = enable;
  for (auto& [key, button] : ui.toolbar)
    if (key != "halt") button.enabled = enable;
  ui.toolbar["print"].enabled = enable && ui.PrinterAvailable;
  if (!enable) return;
  ui.toolbar["undo"].enabled = ui.mnuParUndo.enabled;
  const bool hasLayers = sim.m.LayerCount > 0;
  const bool building = !sim.staticMode();
  ui.mnuParLava.enabled = ui.mnuParDome.enabled = building;
  ui.toolbar["hawaiian"].enabled = ui.toolbar["peleean"].enabled = building;
  ui.mnuParCol.enabled = ui.mnuParTec.enabled = building && hasLayers;
  ui.toolbar["collapse"].enabled = ui.toolbar["tectonic"].enabled = building && hasLayers;
  ui.mnuViewStrat.enabled = ui.toolbar["strat"].enabled = hasLayers;
  enableMapViews(ui, ui.mnuOptMapEnable.checked);
}

void cmdEruptClick(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  try {
    ui.cmdHalt.isDefault = true;
    ui.cmdErupt.isDefault = false;
    ui.cmdHalt.caption = "&Pause";
    setHaltButton(sim, "pause", kPauseTip);
    ui.toolbar["halt"].pressed = false;
    ui.cmdErupt.enabled = ui.toolbar["play"].enabled = false;
    ui.cmdHalt.enabled = ui.toolbar["halt"].enabled = true;
    if (m.RunStop == RunState::Paused) {
      resume(sim);
      return;
    }
    m.RunStop = RunState::Running;
    ui.EruptStarted = 1;
    menuAct(sim, false);
    ui.statusBar2[1] = ui.EruptTitle;
    if (m.LayerCount == kMaxLayers) {
      ui.mnuParStatic.checked = true;
      if (!ui.playbackRunning()) ui.modeText() = modeText(sim, " (Static)");
    }
    if (sim.playback())
      playback(sim);
    else if (sim.autoMode())
      typeAuto(sim);
    else
      runManualPhase(sim);
  } catch (const std::exception& e) {
    sim.reportError("cmdErupt", e);
  }
}

void cmdHaltClick(Sim& sim) {
  try {
    if (sim.ui.cmdHalt.caption == "&Cancel")
      sim.m.RunStop = RunState::Paused;
    else if (sim.m.RunStop == RunState::Running)
      pause(sim);
    else
      stop(sim);
  } catch (const std::exception& e) {
    sim.reportError("cmdHalt", e);
  }
}

void eruptFinish(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    // An automatic run records each phase as it ends, so only a manual phase is recorded here.
    if (ui.mnuRecRec.checked && !sim.playback() && !ui.playbackRunning() && !sim.autoMode())
      record(sim, sim.m.EruptType);
    if (!sim.autoMode()) captureProfile(sim);
    ui.toolbar["halt"].pressed = ui.toolbar["play"].pressed = false;
    ui.statusBar2[1] = "Select Parameters or Continue with " + ui.EruptTitle;
    ui.statusBar2[2] = "Dormant   ";
    showIdleModeText(sim);
    ui.cmdErupt.isDefault = true;
    ui.cmdHalt.isDefault = false;
    ui.cmdErupt.enabled = ui.toolbar["play"].enabled = true;
    ui.cmdHalt.caption = "&Pause";
    ui.cmdHalt.enabled = false;
    setHaltButton(sim, "pause", kPauseTip);
    ui.mnuParUndo.enabled = sim.undoState.has_value();
    ui.mnuFileSave.enabled = true;
    menuAct(sim, true);
    ui.toolbar["halt"].enabled = false;
  } catch (const std::exception& e) {
    sim.reportError("EruptFinish", e);
  }
}

void mnuParStaticClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.Legend.visible = ui.mnuViewLedg.checked = ui.toolbar["legend"].pressed = true;
  for (MenuItem* item : {&ui.mnuParLava, &ui.mnuParDome, &ui.mnuParStrom, &ui.mnuParPlin, &ui.mnuParPfs,
                         &ui.mnuParFum, &ui.mnuParCol, &ui.mnuParTec, &ui.mnuParAuto})
    item->checked = false;
  ui.EruptTitle.clear();
  clearParams(sim, "");
  const bool turningOn = !ui.mnuParStatic.checked;
  ui.mnuParStatic.checked = turningOn;
  ui.mnuParLava.enabled = ui.mnuParDome.enabled = !turningOn;
  ui.toolbar["hawaiian"].enabled = ui.toolbar["peleean"].enabled = !turningOn;
  const bool tectonic = !turningOn && sim.m.LayerCount > 0;
  ui.mnuParTec.enabled = ui.mnuParCol.enabled = tectonic;
  ui.toolbar["tectonic"].enabled = ui.toolbar["collapse"].enabled = tectonic;
  if (!turningOn && sim.m.LayerCount > 0) ui.mnuViewStrat.enabled = ui.toolbar["strat"].enabled = true;
  showIdleModeText(sim);
  if (turningOn) {
    if (ui.mnuOptMapEnable.checked) switchMapOff(sim);
    ui.mnuRecRec.checked = false;
    ui.toolbar["record"].pressed = false;
  }
  ui.mnuRecRec.enabled = ui.toolbar["record"].enabled = !turningOn;
  if (turningOn) ui.mnuRecPlay.enabled = ui.toolbar["play"].enabled = false;
  ui.cmdErupt.enabled = ui.toolbar["play"].enabled = false;
}

}  // namespace magmo
