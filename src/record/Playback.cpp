#include "record/Playback.h"

#include <cmath>
#include <optional>
#include <string>

#include "control/Params.h"
#include "control/RunControl.h"
#include "control/Undo.h"
#include "files/FileNames.h"
#include "files/NewFile.h"
#include "files/StratFile.h"
#include "model/Numeric.h"
#include "model/Reset.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "record/RecordFile.h"
#include "record/RecordMenu.h"
#include "record/Recorder.h"
#include "styles/Styles.h"
#include "views/Profile.h"

namespace magmo {

namespace {

// The longest phase a panel can start: the Strombolian manual burst limit.
constexpr int kMaxBursts = 5000;
constexpr int kMaxErodeCycles = 32767;

Style panelStyle(int eruptType) {
  static constexpr Style styles[] = {Style::Pfs,     Style::Stromb,   Style::Lava,    Style::Dome,
                                     Style::Plinian, Style::Collapse, Style::Fumarole};
  return styles[eruptType - 1];
}

void runStyle(Sim& sim, int eruptType) {
  static void (*const procedures[])(Sim&) = {typePfs,     typeStromb,   typeLava,    typeLava,
                                             typePlinian, typeCollapse, typePhreatic};
  procedures[eruptType - 1](sim);
}

// Why the phase cannot be replayed, empty when it can: values no panel could have produced.
std::string phaseDamage(const Sim& sim, const PhaseRecord& p) {
  if (p.Style < 0 || p.Style > 7) return "unknown style " + format(p.Style, "0");
  if (p.Style == 0 && p.TectonicKind != 1 && p.TectonicKind != 2)
    return "unknown tectonic kind " + format(p.TectonicKind, "0");
  for (float v : {p.Location, p.Strength, p.Wind, p.Particles, p.ScarpTop, p.ScarpBase, p.MapA, p.MapB, p.MapC, p.MapD})
    if (!std::isfinite(v)) return "a value is not a number";
  if (p.Style > 0 && (p.Bursts < 0 || p.Bursts > kMaxBursts)) return "burst count " + format(p.Bursts, "0");
  if (p.TectonicKind == 2 && (p.ErodeCycles < 0 || p.ErodeCycles > kMaxErodeCycles))
    return "erosion cycles " + format(p.ErodeCycles, "0");
  for (int i = 1; i <= 6; ++i) {
    const SliderControl& s = sim.ui.Slider[i];
    if (p.Slider[i] < s.min || p.Slider[i] > s.max) return "slider " + format(i, "0") + " out of range";
  }
  return {};
}

class Player {
 public:
  explicit Player(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    try {
      // Loop playback starts over from the stratigraphic file each time, until a stop.
      bool again = false;
      do {
        again = playOnce() && ui_.mnuRecPlayLoop.checked && m_.RunStop < 2;
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
    } while (m_.RunStop < 2 && m_.PlayIndex < m_.RecCount);
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
    fileReadStrat(sim_);
    screenRefresh(sim_, false);
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
    ui_.cmdErupt.enabled = ui_.toolbar["play"].enabled = m_.RunStop == 1;
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
    if (const std::string damage = phaseDamage(sim_, phase); !damage.empty())
      throw SimError("Record phase " + format(m_.PlayIndex, "0") + " cannot be played: " + damage);
    m_.EruptType = phase.Style;
    saveUndo(sim_);
    if (phase.Style < 1)
      playTectonic(phase);
    else
      playEruption(phase);
  }

  // Selection lays the panel out as for a user's choice; the mode text of the playback stays.
  void layOut(Style style) {
    const std::string mode = ui_.modeText();
    clearParams(sim_, "");  // an already checked style would otherwise be deselected
    selectStyle(sim_, style);
    ui_.modeText() = mode;
  }

  void playTectonic(const PhaseRecord& phase) {
    const bool faulting = phase.TectonicKind == 1;
    ui_.opFault.checked = faulting;
    ui_.opErode.checked = !faulting;
    layOut(Style::Tectonic);
    if (faulting) {
      ui_.txtTloc.text = format(phase.Location, "0.00");
      ui_.txtMag.text = format(phase.Magnitude, "0");
      ui_.txtDip.text = format(phase.Dip, "0");
      ui_.Down.text = phase.DownSide == 1 ? "Left side down" : "Right side down";
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

  void playEruption(const PhaseRecord& phase) {
    ui_.chkDirected.enabled = ui_.chkCaldDiat.enabled = false;
    ui_.CaldStyle.visible = ui_.chkFumex.visible = false;
    ui_.txtStr.text = format(phase.Strength, "0.00");  // selection judges the boxes by it
    layOut(panelStyle(phase.Style));
    ui_.txtLoc.text = format(phase.Location, "0.0");
    ui_.txtWind.text = format(phase.Wind, "0");
    ui_.txtPart.text = format(phase.Particles, "0");
    ui_.chkDirected.checked = phase.Directed != 0;
    ui_.CaldStyle.text = phase.CalderaStyle == 2 ? "Valles Type" : "Mazama Type";
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
    runStyle(sim_, m_.EruptType);
    while (m_.StratBusy == 1) sim_.host.yield();
  }

  void backToIdle() {
    ui_.modeText() = m_.PlayIndex == m_.RecCount && !failed_ ? "Playback Complete" : "Playback Stopped";
    ui_.statusBar2[1] = "Playback Complete";
    ui_.statusBar2[2] = "Press 'Playback' to view";
    clearParams(sim_, "");
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

// The record's stratigraphic file, cancellable like any file load; false when cancelled.
bool loadRecordedStrat(Sim& sim) {
  Controls& ui = sim.ui;
  ui.cmdHalt.caption = "&Cancel";
  ui.cmdHalt.tooltip = ui.mnuOptHtips.checked ? "Click to stop file load" : "";
  ui.cmdHalt.enabled = ui.toolbar["halt"].enabled = true;
  fileReadStrat(sim);
  ui.cmdHalt.caption = "&Pause";
  ui.cmdHalt.tooltip = ui.mnuOptHtips.checked ? "Click to pause/stop eruption" : "";
  ui.cmdHalt.enabled = ui.toolbar["halt"].enabled = false;
  return sim.m.RunStop != 1;
}

}  // namespace

void playback(Sim& sim) { Player(sim).run(); }

void fileOpenRec(Sim& sim) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  ui.toolbar["open"].pressed = true;
  try {
    const FileDialog dialog{"Open Record File", "Recorder Files (*.rec)|*.rec;*.REC|", "",
                            ui.StrFileName.empty() ? "" : withExtension(ui.StrFileName, ".rec")};
    const std::optional<std::string> name = sim.host.openFileName(dialog);
    if (!name || name->empty()) {
      ui.toolbar["open"].pressed = false;
      return;
    }
    clearVar(sim, true);
    clearRec(sim);
    screenRefresh(sim, false);
    ui.RecFileName = *name;
    ui.statusBar1[6] = dropLastFour(fileTitle(*name));
    ui.statusBar2[1] = "Opening Record File:  " + fileTitle(*name);
    if (isDataFile(sim, *name, "MagmoDemo.rec")) {
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
      if (!loadRecordedStrat(sim)) {
        fileNew(sim);
        ui.toolbar["open"].pressed = false;
        return;
      }
      if (!readFailed) enterPlayback(sim);
      screenRefresh(sim, false);
      m.PlayIndex = 1;
    }
    ui.PlayReady = ui.RecLoaded = true;
  } catch (const std::exception& e) {
    sim.reportError("FileOpenRec", e);
  }
  ui.toolbar["open"].pressed = false;
}

}  // namespace magmo
