#include <algorithm>
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

// How readily the rock of a surface layer wears away, by the layer's colour.
float erodibility(int colour) {
  switch (colour) {
    case 12:
    case 13:
      return 0.2f;  // basaltic lava
    case 4:
    case 6:
      return 0.05f;  // silicic dome
    case 5:
      return 0;  // diatreme
    default:
      return 1;  // tephra and other deposits
  }
}

// What the diffusion knows of one stencil point: erodibility and a height factor.
struct Rock {
  float e = 0, f = 0;
};

// Cycles of slope diffusion whose reach grows from cycle to cycle; the material moved is kept
// as a new yellow stratum.
class Erosion {
 public:
  explicit Erosion(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    std::string failure;
    try {
      setUp();
      do cycle();
      while (continues());
    } catch (const std::exception& e) {
      failure = e.what();
    }
    sim_.soundOff();
    if (!failure.empty()) sim_.host.message("TypeErode error: \n" + failure, MsgIcon::Exclamation, "Magmo");
    finish();
  }

 private:
  void setUp() {
    ui_.opErode.checked = true;
    ui_.opFault.checked = false;
    ui_.panFault.visible = true;
    const int before = m_.LayerCount;
    ventCenter(sim_);
    n_ = m_.LayerCount;
    if (n_ < 1 || n_ > kMaxLayers) throw SimError("Subscript out of range");
    // The new layer's row is read as the surface before the sweep has reached a column.
    if (n_ > before)
      for (int x = 1; x <= kColumns; ++x) m_.Strat(n_, x) = m_.Topo[x];
    fixedLength_ = sim_.playback() || sim_.autoMode();
    if (sim_.playback()) {
      cycles_ = m_.PlayErodeCycles;
    } else {
      cycles_ = cint(20 * sim_.rnd01() * m_.LayerCount / m_.Scale);
      if (cycles_ > 30) cycles_ = 30;
      if (cycles_ < 5) cycles_ = 3;
    }
    m_.LayerColor[n_] = 14;
    sim_.plot().setPenWidth(1);
    sim_.SoundFile = sim_.paths.sound("Erode.wav");
    sim_.soundPlayLoop();
  }

  void cycle() {
    ++c_;
    std::string text = dormantPhaseText(sim_) + " " + format(c_, "0");
    if (sim_.autoMode() && !sim_.playback()) text += " of " + format(cycles_, "0");
    showPhaseText(sim_, text + "   ");
    int left = 0, right = 0;
    sweepLimits(left, right);
    for (int x = left; s_ > 0 ? x <= right : x >= right; x += s_) {
      erodeColumn(x);
      sim_.host.yield();
    }
    eruptVEI(sim_);
    sim_.host.sleepMs(intPart(300 * m_.CpuFactor / m_.SpeedFactor));
    s_ = -s_;
    w_ += 1;
    if (w_ == 15) w_ = 5;
    // The last cycles of a run of known length smooth with the narrowest stencil.
    if (fixedLength_ && c_ > cycles_ - 2) w_ = 1;
    m_.ErodeCycles += 1;
  }

  bool continues() {
    if (fixedLength_ && c_ >= cycles_) return false;
    sim_.waitWhilePaused();
    return m_.RunStop != RunState::Stopping;
  }

  // The relief above 0 (always including the vent), widened by the stencil; the first limit
  // is where the sweep starts, on the left or the right by the sweep direction.
  void sweepLimits(int& first, int& last) {
    int lowest = m_.VentX, highest = m_.VentX;
    hMax_ = 1;
    for (int x = 1; x <= kColumns; ++x) {
      if (m_.Topo[x] > 0) {
        lowest = std::min(lowest, x);
        highest = std::max(highest, x);
      }
      hMax_ = std::max(hMax_, m_.Topo[x]);
    }
    if (s_ > 0) {
      first = std::max(cint(lowest - w_), 1);
      last = std::min(cint(highest + w_), kColumns);
    } else {
      first = std::min(cint(highest + w_), kColumns);
      last = std::max(cint(lowest - w_), 1);
    }
  }

  void erodeColumn(int x) {
    auto& topo = m_.Topo;
    const int xl = std::max(cint(x - w_), 1), xr = std::min(cint(x + w_), kColumns);
    const float curvature = topo[xl] - 2 * topo[x] + topo[xr];
    // Points the walk does not land on keep what the previous column found there.
    for (int p = xl; p <= xr; p += cint(w_)) {
      const Rock rock = surfaceRock(p, curvature > 0);
      if (p == xl) left_ = rock;
      if (p == x) centre_ = rock;
      if (p == xr) right_ = rock;
    }
    const float al = (left_.e * left_.f + centre_.e * centre_.f) / 2;
    const float ar = (right_.e * right_.f + centre_.e * centre_.f) / 2;
    const float ac = (al + ar) / 2;
    const float delta = al * topo[xl] - 2 * ac * topo[x] + ar * topo[xr];
    topo[x] += delta;
    float* strata = m_.Strat.column(x);
    strata[n_] = topo[x];
    for (int k = 1; k <= n_; ++k) strata[k] = std::min(strata[k], topo[x]);
    draw(x, delta);
  }

  // The youngest layer with thickness at p; crests wear in proportion to their height,
  // hollows fill in proportion to their depth. Heights count from the base level up to the
  // highest point: ground below the base level (a caldera floor, a pit) is as low as the
  // base, since a factor beyond 0..1 would make the step amplify the relief without bound.
  Rock surfaceRock(int p, bool hollow) const {
    const float* strata = m_.Strat.column(p);
    int k = n_;
    while (k > 1 && strata[k] <= strata[k - 1]) --k;
    const float top = k > 1 ? strata[k] : strata[n_];
    Rock rock{k > 1 ? erodibility(m_.LayerColor[k]) : 1, std::clamp(top / hMax_, 0.0f, 1.0f)};
    if (hollow) rock.f = 1 - rock.f;
    return rock;
  }

  void draw(int x, float delta) {
    Canvas& plot = sim_.plot();
    const float ground = 600 - m_.Topo[x];
    if (delta < 0) {
      plot.columnSpan(x, ground, 1, paletteColor(0));
    } else if (delta > 0) {
      const float below = m_.Strat(n_ - 1, x);
      if (below + 1 < m_.Topo[x]) plot.columnSpan(x, 600 - below, ground, paletteColor(m_.LayerColor[n_]));
    }
  }

  void finish() {
    despike();
    stratDeposit(sim_);
    stratThick(sim_);
    screenRefresh(sim_);
    handLayerToMap(sim_, 8);
  }

  // Single-column pits and spikes left by the cycles are levelled with their left neighbour.
  void despike() {
    auto& topo = m_.Topo;
    for (int x = 1; x <= kColumns - 2; ++x) {
      if (topo[x + 1] < topo[x] && topo[x + 1] < topo[x + 2]) topo[x + 1] = topo[x];
      if (topo[x + 1] > topo[x] && topo[x + 1] > topo[x + 2]) topo[x + 1] = topo[x];
    }
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  int n_ = 0;            // the layer receiving the eroded material
  int cycles_ = 0;       // the length of an automatic or played-back erosion
  bool fixedLength_ = false;
  int c_ = 0;            // cycle counter
  float w_ = 1;          // half-width of the stencil
  int s_ = 1;            // sweep direction
  float hMax_ = 1;
  Rock left_, centre_, right_;
};

}  // namespace

void typeErode(Sim& sim) {
  TectonicStep step(sim);
  Erosion(sim).run();
}

}  // namespace magmo
