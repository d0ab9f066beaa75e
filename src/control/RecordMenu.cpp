#include "control/RecordMenu.h"

#include "control/PanelSteps.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "textio/FileNames.h"
#include "model/Sim.h"

namespace magmo {

namespace {

const char* manualOrAuto(const Sim& sim) { return sim.autoMode() ? "Auto Erupt" : "Manual Erupt"; }

const char* playbackModeText(const Sim& sim) {
  return sim.ui.mnuRecPlayLoop.checked ? "Playback (Loop)" : "Playback";
}

void setRunTooltips(Sim& sim, const char* play, const char* halt) {
  sim.ui.toolbar["play"].tooltip = sim.tip(play);
  sim.ui.toolbar["halt"].tooltip = sim.tip(halt);
}

}  // namespace

void mnuRecRecClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.statusBar2[1] = "Select Parameters";
  menuAct(sim, true);
  if (ui.modeText() == "Playback Stopped" || ui.modeText() == "Playback Complete") ui.modeText() = manualOrAuto(sim);
  const bool on = !ui.mnuRecRec.checked;
  ui.mnuRecRec.checked = ui.toolbar["record"].pressed = on;
  ui.mnuParStatic.enabled = !on;
  ui.statusBar1[6] = on ? "Record On" : "Record Off";
  if (on) {
    ui.toolbar["record"].tooltip = sim.tip("Stop recorder");
    ui.cmdErupt.tooltip = sim.tip("Click to start eruption/recording");
  } else {
    ui.toolbar["record"].tooltip = sim.tip("Start recorder (record eruption history)");
    setRunTooltips(sim, "Start erupt simulation", "Stop erupt simulation");
    ui.cmdErupt.caption = "&Erupt";
    ui.cmdErupt.tooltip = sim.tip("Click to start eruption");
  }
}

void enterPlayback(Sim& sim) {
  Controls& ui = sim.ui;
  clearParams(sim, "");
  ui.mnuRecPlay.checked = true;
  ui.mnuRecRec.checked = ui.toolbar["record"].pressed = false;
  setRunTooltips(sim, "Playback eruption record", "Stop playback");
  menuAct(sim, true);
  ui.cmdErupt.caption = "Play&back";
  ui.cmdErupt.tooltip = sim.tip("Click to start playback");
  ui.statusBar2[1] = "Press 'Playback' to view";
  ui.modeText() = playbackModeText(sim);
  if (sim.m.PlayIndex == 1 || sim.m.PlayIndex == sim.m.RecCount) sim.m.PlayIndex = 0;
}

void leavePlayback(Sim& sim) {
  Controls& ui = sim.ui;
  clearParams(sim, "");
  ui.mnuRecPlay.checked = false;
  setRunTooltips(sim, "Start erupt simulation", "Stop erupt simulation");
  menuAct(sim, true);
  ui.cmdErupt.caption = "&Erupt";
  ui.cmdErupt.tooltip = sim.tip("Click to start eruption");
  ui.statusBar2[1] = "Select Erupt Parameters";
  ui.modeText() = manualOrAuto(sim);
}

void mnuRecPlayClick(Sim& sim) {
  try {
    if (sim.ui.mnuRecPlay.checked)
      leavePlayback(sim);
    else
      enterPlayback(sim);
  } catch (const std::exception& e) {
    sim.reportError("mnuRecPlay", e);
  }
}

void mnuRecPlayLoopClick(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuRecPlayLoop.checked = !ui.mnuRecPlayLoop.checked;
  if (ui.modeText().rfind("Play", 0) == 0) ui.modeText() = playbackModeText(sim);
}

void mnuRecEditClick(Sim& sim) {
  Controls& ui = sim.ui;
  if (ui.RecFileName.empty())
    ui.RecFileName = ui.StrFileName.empty() ? sim.paths.dataPath + "Magmo.rec" : withExtension(ui.StrFileName, ".rec");
  sim.windowSound("Maximize");
}

void mnuRecOpening(Sim& sim) {
  sim.ui.mnuRecPlay.enabled = sim.ui.mnuRecPlayLoop.enabled = sim.ui.RecLoaded;
}

}  // namespace magmo
