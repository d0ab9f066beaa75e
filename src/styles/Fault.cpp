#include <algorithm>
#include <cctype>
#include <string>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "styles/TectonicStep.h"
#include "views/Profile.h"

namespace magmo {

namespace {

int withinProfile(int x) { return std::clamp(x, 1, kColumns); }

bool leftSideDown(const Controls& ui) {
  std::string side = ui.Down.text;
  std::transform(side.begin(), side.end(), side.begin(), [](unsigned char c) { return std::tolower(c); });
  return side == "left side down";
}

// One offset along a normal fault: the downthrown block between lo and hi drops by the
// throw, layer by layer from the youngest, the trace moving with the dip.
class NormalFault {
 public:
  explicit NormalFault(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    std::string failure;
    try {
      setUp();
      for (int k = m_.LayerCount; throw_ != 0 && k >= 1; --k) offsetLayer(k);
    } catch (const std::exception& e) {
      failure = e.what();
    }
    sim_.soundOff();
    if (!failure.empty()) sim_.host.message("Fault error: \n" + failure, MsgIcon::Information, "Magmo");
    finish();
  }

 private:
  void setUp() {
    ui_.opFault.checked = true;
    ui_.opErode.checked = false;
    ui_.panFault.visible = true;
    sim_.SoundFile = sim_.paths.sound("Fault.wav");
    sim_.soundPlayLoop();
    m_.FaultX = 0;
    if (m_.LayerCount < 0 || m_.LayerCount > kMaxLayers) throw SimError("Subscript out of range");
    if (sim_.autoMode())
      randomFault();
    else
      userFault();
  }

  void userFault() {
    m_.FaultX = cint(val(ui_.txtTloc.text) * 1000 / m_.Scale);
    throw_ = cint(val(ui_.txtMag.text));
    dip_ = cint(val(ui_.txtDip.text));
    const bool leftDown = dip_ < 0 || (dip_ == 0 && leftSideDown(ui_));
    lo_ = leftDown ? 1 : m_.FaultX;
    hi_ = leftDown ? m_.FaultX : kColumns;
    ui_.statusBar2[2] = dormantPhaseText(sim_) + "   ";
  }

  void randomFault() {
    const int sign = sim_.rnd01() < 0.5 ? -1 : 1;
    m_.FaultX = std::clamp(cint(m_.VentX + 300 * sim_.rnd01() * sign), 40, 1240);
    ui_.txtTloc.text = format(m_.FaultX / (1000 / m_.Scale), "0.00");
    throw_ = cint(intPart(m_.LayerCount * sim_.rnd01() / 10) + 1);
    ui_.txtMag.text = format(throw_, "0");
    dip_ = intPart(5 * sim_.rnd01()) * sign;
    ui_.Down.enabled = dip_ == 0;
    if (dip_ == 0) ui_.Down.text = sign == -1 ? "Left side down" : "Right side down";
    ui_.txtDip.text = format(dip_, "0");
    dropAwayFromHighGround();
    ui_.statusBar2[2] = dormantPhaseText(sim_) + "   ";
  }

  // The block on the side away from the nearby high ground drops.
  void dropAwayFromHighGround() {
    lo_ = std::max(m_.FaultX - 100, 1);
    hi_ = std::min(m_.FaultX + 100, kColumns);
    int highest = m_.VentX;
    float height = 0;
    for (int x = lo_; x <= hi_; ++x)
      if (m_.Topo[x] > height) {
        height = m_.Topo[x];
        highest = x;
      }
    if (highest < m_.FaultX) {
      lo_ = m_.FaultX;
      hi_ = kColumns;
    } else if (highest > m_.FaultX) {
      lo_ = 1;
      hi_ = m_.FaultX;
      dip_ = -dip_;
    }
  }

  void offsetLayer(int k) {
    // The throw left over once layer k's own thickness at each end is used up.
    const int leftOver1 = cint(throw_ - thickness(k, Section::column(lo_)));
    const int leftOver2 = cint(throw_ - thickness(k, Section::column(hi_)));
    const int steps = throw_ > 0 ? throw_ : 1;
    for (int j = 1; j <= steps; ++j) {
      for (int x = lo_; x <= hi_; ++x) {
        float& top = m_.Strat(k, x);
        if (top > 0) top = std::max(top - 1, 0.0f);
      }
      if (dip_ > 0) lo_ = withinProfile(lo_ + dip_);
      if (dip_ < 0) hi_ = withinProfile(hi_ + dip_);
    }
    if (dip_ >= 1 && leftOver1 >= 1) lo_ -= dip_ * leftOver1;
    if (dip_ < 0 && leftOver2 >= 1) hi_ -= dip_ * leftOver2;
    lo_ = withinProfile(lo_);
    hi_ = withinProfile(hi_);
  }

  float thickness(int k, int x) const { return m_.Strat(k, x) - m_.Strat(k - 1, x); }

  void finish() {
    eruptVEI(sim_);
    const int top = std::clamp(m_.LayerCount, 0, kMaxLayers);
    for (int x = 1; x <= kColumns; ++x) m_.Topo[x] = m_.Strat(top, x);
    if (throw_ > 0) {
      stratThick(sim_);
      screenRefresh(sim_);
    }
    handLayerToMap(sim_, 9);
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  int throw_ = 0;  // magnitude in plot units
  int dip_ = 0;    // columns of trace shift per unit of throw; the sign tells the side
  int lo_ = 0, hi_ = 0;
};

}  // namespace

void fault(Sim& sim) {
  TectonicStep step(sim);
  NormalFault(sim).run();
}

bool faultRepeats(Sim& sim) {
  if (!sim.autoMode()) return false;
  const double chance = sim.m.LayerCount == sim.m.UndoLayer2 ? 0.4 : 0.8;
  return sim.rnd01() > chance;
}

}  // namespace magmo
