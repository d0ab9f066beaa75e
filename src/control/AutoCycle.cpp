#include "control/AutoCycle.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "control/RunControl.h"
#include "control/ProfileCommands.h"
#include "control/Undo.h"
#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Vent.h"
#include "control/Recorder.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"

namespace magmo {

namespace {

// One step of a row of the transition table: the next style for draws up to the bound.
struct Transition {
  double upTo;
  Style style;  // kStay keeps the previous style
};
constexpr Style kStay = Style::Tectonic, Pfs = Style::Pfs, Stromb = Style::Stromb, Lava = Style::Lava,
                Dome = Style::Dome, Plinian = Style::Plinian, Phreatic = Style::Fumarole;

constexpr Transition kFromFlow[] = {{0.3, kStay}, {0.5, Stromb}, {0.7, Lava}, {0.95, Dome}, {2, Plinian}};
constexpr Transition kFromYoungStromb[] = {{0.5, kStay}, {0.6, Pfs}, {0.85, Lava}, {0.95, Dome}, {2, Plinian}};
constexpr Transition kFromStromb[] = {{0.3, kStay}, {0.5, Pfs}, {0.6, Lava}, {0.8, Dome}, {0.85, Plinian}, {2, Phreatic}};
constexpr Transition kFromYoungLava[] = {{0.6, kStay}, {0.7, Pfs}, {0.9, Stromb}, {0.95, Dome}, {2, Plinian}};
constexpr Transition kFromLava[] = {{0.5, kStay}, {0.6, Pfs}, {0.8, Stromb}, {0.85, Dome}, {0.9, Plinian}, {2, Phreatic}};
constexpr Transition kFromYoungDome[] = {{0.4, kStay}, {0.6, Pfs}, {0.7, Stromb}, {0.85, Lava}, {2, Plinian}};
constexpr Transition kFromDome[] = {{0.3, kStay}, {0.5, Pfs}, {0.55, Stromb}, {0.6, Lava}, {0.7, Plinian}, {2, Phreatic}};
constexpr Transition kFromPlinian[] = {{0.1, kStay}, {0.4, Pfs}, {0.55, Stromb}, {0.6, Lava}, {0.9, Dome}, {2, Phreatic}};
constexpr Transition kFromCollapse[] = {{0.2, Pfs}, {0.25, Stromb}, {0.3, Lava}, {0.6, Dome}, {0.7, Plinian}, {2, Phreatic}};
constexpr Transition kFromPhreatic[] = {{0.2, Pfs}, {0.25, Stromb}, {0.3, Lava}, {0.5, Dome}, {0.65, Plinian}, {2, kStay}};

std::span<const Transition> transitionRow(Style previous, int layerCount) {
  const bool young = layerCount < 20;  // phreatic phases need an established volcano
  switch (previous) {
    case Style::Pfs: return kFromFlow;
    case Style::Stromb: return young ? std::span<const Transition>(kFromYoungStromb) : kFromStromb;
    case Style::Lava: return young ? std::span<const Transition>(kFromYoungLava) : kFromLava;
    case Style::Dome: return young ? std::span<const Transition>(kFromYoungDome) : kFromDome;
    case Style::Plinian: return kFromPlinian;
    case Style::Collapse: return kFromCollapse;
    case Style::Fumarole: return kFromPhreatic;
    default: return {};
  }
}

// What an automatic phase of each style shows in the (display-only) parameter panel.
struct AutoPhase {
  const char* title;
  bool location, strength, windAndParticles;
  const char* tephraBox;  // caption of the caldera/diatreme box, null when the panel is hidden
  bool scarp, explosions;
  void (*run)(Sim&);
};

const AutoPhase& autoPhase(Style style) {
  static const AutoPhase phases[] = {
      {"Pyroclastic Flow/Surge Eruption", true, true, true, "Caldera", false, false, typePfs},
      {"Strombolian (Scoria) Eruption", true, true, true, "Diatreme", false, false, typeStromb},
      {"Hawaiian (Basaltic) Lava Eruption", true, false, false, nullptr, false, false, typeLava},
      {"Peléean (Silicic) Dome Eruption", true, false, false, nullptr, false, false, typeLava},
      {"Plinian (Pumice) Eruption", true, true, true, "Caldera", false, false, typePlinian},
      {"Sector Collapse Eruption", false, true, false, nullptr, true, false, typeCollapse},
      {"Fumarolic/Phreatic Eruption", true, true, true, nullptr, false, true, typePhreatic},
  };
  return phases[std::clamp(static_cast<int>(style), 1, 7) - 1];
}

int randomVentStep(Sim& sim) {
  const Model& m = sim.m;
  int spread = (m.EruptType == Style::Stromb || m.EruptType == Style::Lava) ? 200 : 10;
  if (sim.rnd01() < 0.5) spread = cint(spread * 0.1);
  if (sim.rnd01() > 0.95) spread *= 10;
  const int direction = sim.rnd01() < 0.5 ? -1 : 1;
  int x = m.VentX;
  if (m.LayerCount == 0 || m.LayerCount == 6) {
    // From the initial centre the first vent may land anywhere on the profile.
    x = x != 640 ? cint(sim.rnd01() * direction * spread + x) : cint(sim.rnd01() * direction * 590 + 640);
  } else {
    x = cint(sim.rnd01() * direction * spread + x);
    if (sim.rnd01() > 0.9) x = kColumns - x;  // mirrored about the centre column
  }
  if (x < kVentMin || x > kVentMax) {
    const double t = sim.rnd01();
    const double u = sim.rnd01();
    if (t <= 0.4)
      x = cint(u * 50 + 50);
    else if (t < 0.6)
      x = cint(u * 1180 + 50);
    else
      x = cint(1230 - u * 50);
  }
  return x;
}

int coneVentOffset(Sim& sim) {
  int offset = cint(sim.rnd01() * 20);
  if (sim.rnd01() < 0.5) offset = -offset;
  return sim.ui.ConeVentX + offset;
}

class AutoCycle {
 public:
  explicit AutoCycle(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    try {
      ui_.EruptTitle = "Auto Eruption";
      ui_.AutoCyclesBegun = 0;
      do {
        if (!cycle()) break;
      } while (!stopRequested() && m_.LayerCount < kMaxLayers);
      if (m_.LayerCount >= kMaxLayers && m_.RunStop != RunState::Stopping) announceFullTable();
    } catch (const std::exception& e) {
      sim_.reportError("TypeAuto", e);
    }
    // Every way out, a stop during a dormant interval or an error included, returns to idle.
    backToIdle();
  }

 private:
  // One dormant interval and eruption; false when a stop came before the eruption.
  bool cycle() {
    ui_.Change.caption = "Auto Eruption Parameters";
    ui_.Tectonic.caption = "Auto Tectonic Parameters";
    ui_.Change.enabled = ui_.Tectonic.enabled = false;
    m_.EruptHours = m_.EruptVolume = 0;
    ++ui_.AutoCyclesBegun;
    showCycleStartStatistics(sim_);
    sim_.host.yield();
    // A stop given as the cycle begins ends the run before any interval or phase of it.
    if (stopRequested()) return false;
    if (!sim_.staticMode()) dormantIntervals();
    ui_.cmdErupt.caption = "Auto&Erupt";
    if (stopRequested()) return false;
    showEruptionPanel();
    chooseStyle();
    updateConeBuilding(sim_, coneEnd_);
    ui_.modeText() = runningModeText();
    erupt();
    while (m_.StratBusy == 1) sim_.host.yield();
    recordPhase(m_.EruptType);
    return true;
  }

  void recordPhase(Style style) {
    if (ui_.mnuRecRec.checked && !sim_.playback()) record(sim_, style);
    captureProfile(sim_);
  }

  // A fault or erosion interval is a phase of its own: undone, counted and recorded alone.
  void interval(void (*run)(Sim&)) {
    beginPhase(sim_);
    run(sim_);
    recordPhase(Style::Tectonic);
  }

  const char* runningModeText() const {
    if (sim_.staticMode()) return "Auto Erupt (Static)";
    return ui_.ConeBuilding ? "Auto Erupt (cone building)" : "Auto Erupt";
  }

  // A pause between phases holds the run here; true when the user then asked to stop.
  bool stopRequested() {
    sim_.waitWhilePaused();
    return m_.RunStop == RunState::Stopping;
  }

  void dormantIntervals() {
    if (sim_.rnd01() > 0.9 && m_.LayerCount >= 11) {
      m_.UndoLayer2 = m_.LayerCount;
      showInterval("Faulting Interval", "   (Dormant)   ", "&Fault");
      do interval(fault);
      while (faultRepeats(sim_));
    }
    // A stop during the faulting ends the run before a further interval opens a layer.
    if (stopRequested()) return;
    if (sim_.rnd01() > 0.9 && m_.LayerCount >= 21) {
      showInterval("Erosion Interval", "   (Dormant)  Cycle:   ", "&Erode");
      interval(typeErode);
    }
  }

  void showInterval(const char* title, const char* dormant, const char* caption) {
    ui_.Tectonic.visible = true;
    ui_.Change.visible = ui_.Legend.visible = false;
    ui_.toolbar["legend"].pressed = false;
    ui_.statusBar2[1] = title;
    showPhaseText(sim_, "Auto Phase: " + format(m_.LayerCount, "0") + dormant);
    ui_.cmdErupt.caption = caption;
    sim_.host.yield();
  }

  void showEruptionPanel() {
    ui_.Change.visible = true;
    ui_.Tectonic.visible = ui_.Legend.visible = false;
    ui_.panCol.visible = ui_.panTephra.visible = ui_.CaldStyle.visible = false;
    ui_.chkFumex.visible = false;
    for (Field* f : {&ui_.txtLoc, &ui_.txtStr, &ui_.txtWind, &ui_.txtPart}) f->enabled = false;
    ui_.chkCaldDiat.checked = false;
  }

  void chooseStyle() {
    if (m_.EruptType == Style::Tectonic) m_.EruptType = Style::Pfs;  // nothing has erupted yet
    sim_.reseed();
    m_.EruptSub = m_.EruptType;
    m_.EruptType = nextAutoStyle(m_.EruptType, m_.LayerCount, sim_.rnd01());
    // The lava styles are not available in static mode.
    if (sim_.staticMode() && m_.EruptType == Style::Lava) m_.EruptType = Style::Stromb;
    if (sim_.staticMode() && m_.EruptType == Style::Dome) m_.EruptType = Style::Pfs;
  }

  void erupt() {
    const AutoPhase& phase = autoPhase(m_.EruptType);
    ui_.statusBar2[1] = phase.title;
    ui_.txtLoc.enabled = phase.location;
    ui_.txtStr.enabled = phase.strength;
    ui_.txtWind.enabled = ui_.txtPart.enabled = phase.windAndParticles;
    if (phase.tephraBox) {
      ui_.panTephra.visible = true;
      ui_.chkCaldDiat.caption = phase.tephraBox;
    }
    ui_.panCol.visible = phase.scarp;
    ui_.chkFumex.visible = phase.explosions;
    sim_.host.yield();
    ventAutoPos(sim_, ui_.ConeBuilding ? VentMove::ConeBuilding : VentMove::Normal);
    beginPhase(sim_);
    phase.run(sim_);
  }

  void announceFullTable() {
    ui_.modeText() = "Auto Erupt (Static)";
    // A phase that met the full table has already switched to static mode and said so.
    if (ui_.mnuParStatic.checked) return;
    ui_.mnuParStatic.checked = true;
    sim_.host.message("Eruption cycle limit (500) reached, static eruption selected.", MsgIcon::Information,
                      "Magmo");
  }

  void backToIdle() {
    ui_.cmdErupt.caption = "&AutoErupt";
    ui_.Change.visible = ui_.Tectonic.visible = false;
    ui_.Legend.visible = ui_.mnuViewLedg.checked = ui_.toolbar["legend"].pressed = true;
    eruptFinish(sim_);
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  int coneEnd_ = 0;
};

}  // namespace

Style nextAutoStyle(Style previous, int layerCount, double r) {
  for (const Transition& t : transitionRow(previous, layerCount))
    if (r <= t.upTo) return t.style == kStay ? previous : t.style;
  return previous;
}

void updateConeBuilding(Sim& sim, int& coneEnd) {
  Model& m = sim.m;
  Controls& ui = sim.ui;
  // An erosion interval adds a layer of its own, so the count can step past the episode's end.
  if (m.LayerCount == coneEnd || (coneEnd > 0 && m.LayerCount > coneEnd)) ui.ConeBuilding = false;
  const double r = sim.rnd01();
  if (!ui.ConeBuilding && r < 0.1) {
    ui.ConeBuilding = true;
    coneEnd = cint(sim.rnd01() * 15 + (m.LayerCount + 5));
    ui.ConeVentX = std::clamp(m.VentX, kVentMin, kVentMax);
  }
}

void ventAutoPos(Sim& sim, VentMove mode) {
  Model& m = sim.m;
  try {
    sim.reseed();
    m.VentX = mode == VentMove::ConeBuilding ? coneVentOffset(sim) : randomVentStep(sim);
    m.VentKm = m.VentX * m.Scale / 1000;
    sim.ui.txtLoc.text = format(m.VentKm, "0.0");
  } catch (const std::exception& e) {
    sim.reportError("VentAutoPos", e);
  }
}

void typeAuto(Sim& sim) { AutoCycle(sim).run(); }

}  // namespace magmo
