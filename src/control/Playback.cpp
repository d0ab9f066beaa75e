#include "control/Playback.h"

#include <cmath>
#include <optional>
#include <string>

#include "control/NewFile.h"
#include "control/Params.h"
#include "control/PhaseCheck.h"
#include "control/RecordCommands.h"
#include "control/RecordMenu.h"
#include "control/Recorder.h"
#include "control/Reset.h"
#include "control/RunControl.h"
#include "control/StratCommands.h"
#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "styles/Styles.h"
#include "textio/FileNames.h"
#include "views/Profile.h"

namespace magmo {

namespace {

class Player {
 public:
  explicit Player(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    try {
      // Loop playback starts over from the stratigraphic file each time, until a stop.
      bool again = false;
      do {
        again = playOnce() && ui_.mnuRecPlayLoop.checked && m_.RunStop != RunState::Stopping;
      } while (again);
    } catch (const std::exception& e) {
      failed_ = true;
      sim_.reportError("Playback", e);
    }
    backToIdle();
  }

 private:
  // One pass over the table; false when there was nothing to play.
  bool playOnce() {
    if (m_.RecCount == 0) return false;
    if (ui_.PlayReady)
      ui_.PlayReady = false;
    else
      reloadStart();
    announceStart();
    do {
      playPhase();
    } while (m_.RunStop != RunState::Stopping && m_.PlayIndex < m_.RecCount);
    return true;
  }

  void reloadStart() {
    // The reset switches the Record items off; the loop and the record's file must survive it.
    const bool loop = ui_.mnuRecPlayLoop.checked;
    const std::string strFile = ui_.StrFileName;
    clearVar(sim_, !strFile.empty());
    ui_.mnuRecPlayLoop.checked = loop;
    ui_.StrFileName = strFile;
    ui_.RecLoaded = true;
    showRunningButtons();
    if (strFile.empty()) return;
    if (fileReadStrat(sim_) == LoadResult::Failed)
      throw SimError("The starting stratigraphic file '" + strFile + "' cannot be read");
    screenRefresh(sim_);
    sim_.host.sleepMs(1000);
  }

  void announceStart() {
    m_.PlayIndex = 0;
    ui_.cmdErupt.caption = "Play&back";
    ui_.mnuRecEdit.enabled = true;
    ui_.mnuRecPlay.checked = true;
    ui_.toolbar["play"].enabled = false;
    ui_.toolbar["play"].pressed = true;
    ui_.modeText() = ui_.mnuRecPlayLoop.checked ? "Playback Started (Loop)" : "Playback Started";
    sim_.host.yield();
  }

  // Pause/Stop stay available through the phase; Erupt only resumes a pause. The panel
  // layouts and the reset arm the buttons for a manual run, so this follows each of them.
  void showRunningButtons() {
    ui_.cmdHalt.enabled = ui_.toolbar["halt"].enabled = ui_.cmdHalt.isDefault = true;
    ui_.cmdErupt.isDefault = false;
    ui_.cmdErupt.enabled = ui_.toolbar["play"].enabled = m_.RunStop == RunState::Paused;
    ui_.cmdErupt.caption = "Play&back";
  }

  void playPhase() {
    showRunningButtons();
    ++m_.PlayIndex;
    m_.EruptHours = m_.EruptVolume = 0;
    showCycleStartStatistics(sim_);
    for (Field* f : {&ui_.txtLoc, &ui_.txtStr, &ui_.txtWind, &ui_.txtPart}) f->enabled = false;
    ui_.panCol.visible = false;
    const PhaseRecord& phase = m_.RecTable[m_.PlayIndex];
    if (const std::string broken = phaseDamage(phase); !broken.empty())
      throw SimError("Record phase " + format(m_.PlayIndex, "0") + " cannot be played:" + broken);
    m_.EruptType = phase.Style;
    beginPhase(sim_);
    if (phase.Style == Style::Tectonic)
      playTectonic(phase);
    else
      playEruption(phase);
  }

  // The panel laid out as the selection lays it out; the mode text of the playback stays.
  void layOut(Style style) {
    const std::string mode = ui_.modeText();
    layOutStyle(sim_, style);
    ui_.modeText() = mode;
  }

  void playTectonic(const PhaseRecord& phase) {
    const bool faulting = phase.TectonicKind == TectonicKind::Fault;
    ui_.opFault.checked = faulting;
    ui_.opErode.checked = !faulting;
    layOut(Style::Tectonic);
    if (faulting) {
      ui_.txtTloc.text = format(phase.Location, "0.00");
      ui_.txtMag.text = format(phase.Magnitude, "0");
      ui_.txtDip.text = format(phase.Dip, "0");
      ui_.Down.text = phase.DownSide == DownSide::Left ? "Left side down" : "Right side down";
    }
    changeTecOk(sim_);
    showRunningButtons();
    if (faulting) {
      fault(sim_);
    } else {
      m_.PlayErodeCycles = phase.ErodeCycles;
      typeErode(sim_);
    }
  }

  // The recorded values go into the panel after its layout, which would limit them to the
  // ranges a newly chosen style opens with; OK then limits them as it limits typed values.
  void playEruption(const PhaseRecord& phase) {
    layOut(phase.Style);
    ui_.chkDirected.enabled = ui_.chkCaldDiat.enabled = false;
    ui_.txtLoc.text = format(phase.Location, "0.00");
    ui_.txtStr.text = format(phase.Strength, "0.00");
    ui_.txtWind.text = format(phase.Wind, "0");
    ui_.txtPart.text = format(phase.Particles, "0");
    ui_.chkDirected.checked = phase.Directed != 0;
    ui_.CaldStyle.text = phase.CalderaStyle == CalderaStyle::Valles ? "Valles Type" : "Mazama Type";
    ui_.txtCtop.text = format(phase.ScarpTop, "0.00");
    ui_.txtCbase.text = format(phase.ScarpBase, "0.00");
    ui_.chkFumex.checked = phase.Explosion != 0;
    ui_.chkCaldDiat.checked = phase.CalderaFlag != 0;
    ui_.CaldStyle.visible = ui_.chkCaldDiat.checked && ui_.chkCaldDiat.caption == "Caldera";
    for (int i = 1; i <= 6; ++i) ui_.Slider[i].value = phase.Slider[i];
    const int next = m_.LayerCount + 1;
    if (next <= kMaxLayers) {  // a full table reshapes its top layer instead
      m_.LayerMapY[next] = 600 - 14 * phase.Slider[3];
      m_.LayerMapA[next] = phase.MapA;
      m_.LayerMapB[next] = phase.MapB;
      m_.LayerMapC[next] = phase.MapC;
      m_.LayerMapD[next] = phase.MapD;
    }
    changeOk(sim_);
    showRunningButtons();
    m_.BurstCount = phase.Bursts;
    runCheckedStyle(sim_);
    while (m_.StratBusy == 1) sim_.host.yield();
  }

  void backToIdle() {
    ui_.modeText() = m_.PlayIndex == m_.RecCount && !failed_ ? "Playback Complete" : "Playback Stopped";
    ui_.statusBar2[1] = "Playback Complete";
    ui_.statusBar2[2] = "Press 'Playback' to view";
    clearParams(sim_, "");
    ui_.mnuParUndo.enabled = sim_.undoState.has_value();
    menuAct(sim_, true);
    ui_.cmdErupt.caption = "Play&back";
    ui_.cmdErupt.isDefault = ui_.cmdErupt.enabled = true;
    ui_.toolbar["play"].enabled = true;
    ui_.toolbar["play"].pressed = ui_.toolbar["halt"].pressed = false;
    ui_.cmdHalt.isDefault = ui_.cmdHalt.enabled = false;
    ui_.toolbar["halt"].enabled = false;
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  bool failed_ = false;
};

const char* mapStateText(const Controls& ui) {
  if (ui.mnuOptMapHigh.checked) return "Map On (High)";
  if (ui.mnuOptMapLow.checked) return "Map On (Low)";
  return "Map On (Normal)";
}

}  // namespace

void playback(Sim& sim) { Player(sim).run(); }

void fileOpenRec(Sim& sim) {
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  std::optional<std::string> name;
  try {
    const FileDialog dialog{"Open Record File", "Recorder Files (*.rec)|*.rec;*.REC|", "",
                            ui.StrFileName.empty() ? "" : withExtension(ui.StrFileName, ".rec")};
    name = sim.host.openFileName(dialog);
  } catch (const std::exception& e) {
    sim.reportError("FileOpenRec", e);
  }
  if (name && !name->empty())
    openRecord(sim, *name);
  else
    ui.toolbar["open"].pressed = false;
}

void openRecord(Sim& sim, const std::string& name) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  try {
    clearVar(sim, true);
    clearRec(sim);
    screenRefresh(sim);
    ui.RecFileName = name;
    ui.statusBar1[6] = dropLastFour(fileTitle(name));
    ui.statusBar2[1] = "Opening Record File:  " + fileTitle(name);
    if (isDataFile(sim, name, "MagmoDemo.rec")) {
      ui.mnuOptMapEnable.checked = ui.mnuOptMap3dPosEnable.checked = true;
      ui.statusBar1[7] = mapStateText(ui);
    }
    menuAct(sim, true);
    fileReadRec(sim);
    const bool readFailed = m.RecReadFailed == 1;
    if (readFailed) {
      // Whatever was read stays, and the user goes on recording from there.
      m.RecReadFailed = 0;
      menuAct(sim, true);
      ui.mnuRecRec.checked = ui.toolbar["record"].pressed = true;
    } else {
      ui.mnuRecPlay.checked = ui.toolbar["play"].pressed = true;
    }
    if (!ui.StrFileName.empty()) {
      // The record's stratigraphic file loads like any other, and may be cancelled.
      if (fileReadStrat(sim, true) == LoadResult::Cancelled) {
        fileNew(sim);
        ui.toolbar["open"].pressed = false;
        return;
      }
      if (!readFailed) enterPlayback(sim);
      screenRefresh(sim);
      m.PlayIndex = 1;
    }
    ui.PlayReady = ui.RecLoaded = true;
  } catch (const std::exception& e) {
    sim.reportError("FileOpenRec", e);
  }
  ui.toolbar["open"].pressed = false;
}

}  // namespace magmo
