#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "styles/ZoneLowest.h"
#include "views/Profile.h"

namespace magmo {

namespace {

// The flank between the vent and the collapse base slides away in repeated sweeps, its
// debris piling up at the lowest point of the runout, while the active zone shrinks.
class Avalanche {
 public:
  explicit Avalanche(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    std::string failure;
    try {
      setUp();
      sweeps();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    sim_.soundOff();
    if (!failure.empty())
      sim_.host.message("Sector collapse error: \n" + failure, MsgIcon::Information, "Magmo");
    settle();
  }

 private:
  void setUp() {
    ventCenter(sim_);
    if (sim_.playback() || sim_.autoMode()) m_.EruptSub = m_.EruptType;
    n_ = m_.LayerCount;
    if (n_ < 1 || n_ > kMaxLayers) throw SimError("Subscript out of range");
    m_.LayerColor[n_] = 15;
    sim_.SoundFile = sim_.paths.sound("Collapse.wav");
    sim_.soundPlayLoop();
    vent_ = m_.ventColumn();
    top_ = 0;
    for (int x = std::max(vent_ - 50, 1); x <= std::min(vent_ + 50, kColumns); ++x) top_ = std::max(top_, m_.Topo[x]);
    base_ = Section::column(m_.CollapseBase);
    m_.CollapseDir = base_ < vent_ ? -1 : 1;
    dir_ = m_.CollapseDir;
    baseHeight_ = m_.Topo[base_];
    lowest_ = baseHeight_;
    lowestX_ = base_;
    const int reach = runout();
    lo_ = vent_;
    hi_ = far_ = std::clamp(cint(vent_ + dir_ * reach), 1, kColumns);
    front_ = lo_;
    stagingLength_ = (top_ - baseHeight_) / 10;
    stages_ = cint(stagingLength_);
    showStatus();
    zone_.emplace(m_.Topo, dir_);
  }

  // Distance from the vent to where the terrain beyond the base first rises above the
  // energy line, which falls StrengthC per column from the summit; the lowest point on the
  // way is where the debris starts to pile up.
  int runout() {
    int stop = dir_ > 0 ? kColumns : 1;
    for (int x = base_; dir_ > 0 ? x <= kColumns : x >= 1; x += dir_) {
      if (m_.Topo[x] <= lowest_) {
        lowest_ = m_.Topo[x];
        lowestX_ = x;
      }
      if (top_ - static_cast<float>(std::abs(vent_ - x)) * m_.StrengthC < m_.Topo[x]) {
        stop = x;
        break;
      }
    }
    return std::abs(vent_ - stop);
  }

  void showStatus() {
    if (sim_.playback())
      ui_.statusBar2[2] = "Playback Phase: " + format(m_.PlayIndex, "0") + " of " + format(m_.RecCount, "0") +
                          "   Avalanching   ";
    else if (!sim_.autoMode())
      ui_.statusBar2[2] = "Phase: " + format(m_.LayerCount, "0") + "   Avalanching   ";
    ui_.PhaseText = ui_.statusBar2[2];
  }

  void sweeps() {
    const float shortest = 30 / (1 - m_.StrengthC);
    while (shortest < std::abs(hi_ - lo_) && m_.RunStop != RunState::Stopping) {
      sim_.reseed();
      Section::column(lo_);
      Section::column(hi_);
      for (int x = lo_; dir_ > 0 ? x <= hi_ : x >= hi_; x += dir_) {
        if (std::abs(vent_ - x) < std::abs(vent_ - base_) && m_.Topo[x] > lowest_) collapseColumn(x);
        sim_.host.yield();
      }
      stage();
      lo_ = cint(lo_ + inward_ * dir_);
      hi_ = cint(hi_ - dir_ / m_.StrengthC);
      pauseBetweenSweeps();
      sim_.waitWhilePaused();
    }
  }

  void collapseColumn(int x) {
    auto& topo = m_.Topo;
    if (topo[x] > baseHeight_) {
      topo[x] -= 1;
      zone_->changed(x);
    }
    float* strata = m_.Strat.column(x);
    for (int k = 1; k < n_; ++k) strata[k] = std::min(strata[k], topo[x]);
    Canvas& plot = sim_.plot();
    const float ground = 600 - topo[x];
    plot.line(static_cast<float>(x), ground, static_cast<float>(x), ground - 2, paletteColor(0));
    plot.setPenWidth(intPart(std::max(2 * sim_.rnd01(), 1.0) + 0.5));
    avalanchePoint(Section::column(front_));
    avalanchePoint(x);
    depositDebris();
    zone_->rescan(lo_, hi_, lowest_, lowestX_);
    if (topo[x] <= topo[Section::column(x - dir_)]) {
      front_ += dir_;
      if (front_ == far_) front_ = lo_;
    }
  }

  // A grey speck of the avalanche, scattered up to the energy line above the runout end.
  void avalanchePoint(int x) {
    const double lift = std::abs(x - far_) * m_.StrengthC * sim_.rnd01();
    sim_.plot().point(static_cast<float>(x), static_cast<float>(cint(600 - m_.Topo[x] - lift - 1)), paletteColor(7));
  }

  // Two of every three collapsing columns add a unit of debris at the lowest point.
  void depositDebris() {
    if (debrisCount_ >= 3) {
      debrisCount_ = 1;
      return;
    }
    const int x = lowestX_;
    m_.Topo[x] += 1;
    zone_->changed(x);
    lowest_ += 1;
    sim_.plot().line(static_cast<float>(x), 600 - m_.Strat(n_ - 1, x), static_cast<float>(x), 600 - m_.Topo[x],
                     paletteColor(m_.LayerColor[n_]));
    ++debrisCount_;
  }

  // How far the near end of the zone moves in after each sweep: not at all at first, then
  // ever faster in stages whose length follows the height of the collapsing flank.
  void stage() {
    ++sweep_;
    const auto within = [&](int a, int b) { return sweep_ > a * stages_ && sweep_ <= b * stages_; };
    const auto alternate = [&](int a, int b) { inward_ = inward_ == a ? b : a; };
    const auto shorten = [&] {
      stages_ = cint(stagingLength_ - 1);
      if (stages_ < 2) stagingLength_ = 1;
    };
    if (sweep_ <= stages_) inward_ = 0;
    if (within(1, 3)) alternate(0, 1);
    if (within(3, 4)) {
      shorten();
      inward_ = 1;
    }
    if (within(4, 5)) {
      shorten();
      alternate(1, 2);
    }
    if (within(5, 6)) {
      shorten();
      inward_ = 2;
    }
    if (within(6, 7)) {
      shorten();
      alternate(2, 3);
    }
    if (sweep_ > 7 * stages_) inward_ = 3;
  }

  void pauseBetweenSweeps() {
    const double rate = std::max(ui_.Slider[6].value, 1);
    if (ui_.mnuOptSpeedSlow.checked)
      sim_.host.sleepMs(intPart(4000 / rate));
    else if (ui_.mnuOptSpeedNorm.checked)
      sim_.host.sleepMs(intPart(2000 / rate));
    else if (ui_.mnuOptSpeedFast.checked)
      sim_.host.sleepMs(intPart(400 / rate));
  }

  void settle() {
    stratDeposit(sim_);
    stratCrater(sim_);
    stratThick(sim_);
    eruptVEI(sim_);
    screenRefresh(sim_);
    handLayerToMap(sim_, 6);
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  std::optional<ZoneLowest> zone_;
  int n_ = 0;       // the layer receiving the debris
  int vent_ = 0;    // top of the collapse
  int base_ = 0;    // collapse base
  int dir_ = 1;
  float top_ = 0;   // summit height near the vent
  float baseHeight_ = 0;
  float lowest_ = 0;  // lowest surface found in the runout area, and its column
  int lowestX_ = 0;
  int lo_ = 0, hi_ = 0;  // near and far ends of the active zone
  int far_ = 0;          // the far end as first found: the runout end
  int front_ = 0;        // avalanche front of the animation
  float stagingLength_ = 0;
  int stages_ = 0;
  int inward_ = 0;  // columns the near end moves per sweep
  int sweep_ = 1;
  int debrisCount_ = 1;
};

}  // namespace

void typeCollapse(Sim& sim) { Avalanche(sim).run(); }

}  // namespace magmo
