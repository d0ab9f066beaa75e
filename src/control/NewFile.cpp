#include "control/NewFile.h"

#include "control/RunControl.h"
#include "control/Reset.h"
#include "model/Sim.h"
#include "control/Recorder.h"

namespace magmo {

void fileNew(Sim& sim) {
  Controls& ui = sim.ui;
  try {
    ui.mnuRecPlay.enabled = ui.toolbar["play"].enabled = false;
    ui.StrFileName.clear();
    ui.RecFileName.clear();
    ui.DemFileName.clear();
    ui.recordFlag = false;
    ui.statusBar1[3] = "No File Loaded";
    ui.statusBar2[1] = "Resetting Magmo Record";
    sim.host.yield();
    clearVar(sim);
    clearRec(sim);
    menuAct(sim, true);
    ui.toolbar["new"].pressed = false;
    ui.toolbar["play"].enabled = false;
  } catch (const std::exception& e) {
    sim.reportError("FileNew", e);
  }
}

}  // namespace magmo
