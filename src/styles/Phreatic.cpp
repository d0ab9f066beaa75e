#include <algorithm>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/Ballistic.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "styles/TephraSteps.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr int kPlumeClearing = 20;  // the plume starts again every 20 bursts

// A puff far off the plot is never drawn; its position only has to stay within 16 bits.
int plotPosition(double v) { return cint(std::clamp(v, -30000.0, 30000.0)); }

void updateStrata(Sim& sim) {
  stratDeposit(sim);
  stratCrater(sim);
  stratThick(sim);
  stratAdd(sim);
  eruptVEI(sim);
}

// One phreatic explosion: bursts of blocks thrown from the vent. Its faults go to the caller.
class Explosion {
 public:
  explicit Explosion(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    const int bursts = intPart(sim_.rnd01() * ui_.Slider[4].value);
    int count = 0;
    m_.BallisticTop = 600;
    m_.BallisticRange = 0;
    sim_.plot().setPenWidth(1);
    sim_.SoundFile = sim_.paths.sound("Stromb.wav");
    sim_.soundPlayLoop();
    do {
      startFlight(m_);
      ++count;
      sim_.reseed();
      velocity(sim_);
      const double dt = flightStep(std::pow(ui_.Slider[6].value, 2) / 36.0 * (m_.SpeedFactor / m_.CpuFactor) *
                                   (m_.Scale / 500.0));
      flyBurst(sim_, [&] { m_.BurstTime += static_cast<float>(dt); }, [this](int k) { return moveBlock(k); });
      if (!sim_.staticMode()) updateStrata(sim_);
      sim_.host.yield();
    } while (count < bursts && m_.RunStop != RunState::Stopping);
    m_.PhBurstCount += count;
    if (ui_.mnuOptSound.checked) sim_.host.sleepMs(1000);
  }

 private:
  // One time step of block k; true when it came down, left the profile or the plot.
  bool moveBlock(int k) {
    const FlightPoint p = flightPoint(m_, k);
    if (!p.onProfile() || p.y < 1) return true;
    Canvas& plot = sim_.plot();
    if (p.down()) {
      plot.point(static_cast<float>(p.x), p.ground - 2, paletteColor(15));
      m_.BallisticRange = std::max(m_.BallisticRange, static_cast<float>(std::abs(m_.VentX - p.x)));
      if (!sim_.staticMode()) m_.Topo[p.x] += 10 / m_.Scale;
      return true;
    }
    const float y = std::min(p.y, p.ground - 2);
    const int colour = sim_.rnd01() < 0.5 ? 0 : 8;
    const float size = std::max((2 - m_.BurstTime / m_.MaxFlight) * m_.Strength, 1.0f);
    plot.setPenWidth(intPart(size + 0.5));
    plot.point(static_cast<float>(p.x), y, paletteColor(colour));
    m_.BallisticTop = std::min(m_.BallisticTop, y);
    return false;
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
};

// A steam plume of puffs that rise, bend downwind near the top and thin out, interrupted by
// explosions whose jets widen the crater.
class Phreatic {
 public:
  explicit Phreatic(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    runPhase(
        sim_, "Fumarolic/Phreatic eruption error:", MsgIcon::Information,
        [this] {
          setUp();
          burstLoop();
        },
        [this] { endPhase(); });
  }

 private:
  void setUp() {
    ventCenter(sim_);
    ui_.statusBar2[1] = "Fumarolic/Phreatic Eruption";
    chooseBursts();
    m_.WindScaled = m_.Wind / m_.Scale;
    m_.LayerWind[m_.LayerCount] = m_.Wind;
    m_.LayerColor[m_.LayerCount] = 7;  // also in static mode
    m_.PhBurstCount = 0;
    sim_.plot().setPenWidth(1);
    exploded_ = false;
    nextClearing_ = kPlumeClearing;
    m_.BurstCount = 0;
    m_.BurstTime = 0;
    clearPlume(0);
    sim_.SoundFile = sim_.paths.sound("Fumarole.wav");
    sim_.soundPlayLoop();
    ramp_.start(m_.Strength, ui_.Slider[5].value, 10, 10);
  }

  // A manual phase takes the panel as it stands and runs until the user stops it; an
  // automatic one draws its own eruption.
  void chooseBursts() {
    magmo::chooseBursts(sim_, 1000, [this] {
      m_.EruptSub = m_.EruptType;
      drawEruption();
    });
  }

  void drawEruption() {
    m_.Wind = randomWind(sim_);
    m_.Strength = static_cast<float>(0.8 * sim_.rnd01() + 0.2);
    m_.PartCount = std::clamp(cint(25 * m_.Strength * m_.CpuFactor + 25), 10, 50);
    m_.BurstLimit = cint(30 * m_.Strength * sim_.rnd01() + 5);
    m_.StrengthC = 1.03f - m_.Strength;
    showDrawnParameters(sim_);
    ui_.chkFumex.checked = sim_.rnd01() > 0.5;
  }

  void clearPlume(int puffs) {
    puffs_ = puffs;
    m_.PuffAge.fill(0);
    m_.PuffDrift.fill(0);
  }

  void burstLoop() {
    while (m_.BurstCount < m_.BurstLimit) {
      ramp_.grow(m_.Strength);
      ++m_.BurstCount;
      ++puffs_;
      m_.BurstTime = 0;
      sim_.reseed();
      if (m_.BurstCount == nextClearing_) {
        nextClearing_ += kPlumeClearing;
        clearPlume(1);
      }
      const double duration = std::max(300 * sim_.rnd01(), 50.0);
      showPhaseText(sim_, burstProgressText(sim_));
      while (m_.BurstTime <= duration) {
        for (int j = 1; j <= puffs_; ++j) plumeStep(j);
        sim_.host.frameDone();
        sim_.waitWhilePaused();
        sim_.host.yield();
        m_.BurstTime += 1;
        eruptVEI(sim_);
        if (m_.RunStop == RunState::Stopping) break;
      }
      if (ui_.chkFumex.checked && ui_.Slider[4].value / 50.0 > sim_.rnd01()) explode();
      pauseBetweenBursts();
      sim_.reseed();
      sim_.host.yield();
      if (m_.RunStop == RunState::Stopping) break;
    }
  }

  void explode() {
    Explosion(sim_).run();
    sim_.SoundFile = sim_.paths.sound("Fumarole.wav");
    sim_.soundPlayLoop();
    exploded_ = true;
    jetsStarting_ = true;
  }

  void pauseBetweenBursts() {
    // A slider value read from elsewhere than the panel may be 0.
    const int rate = std::max(ui_.Slider[6].value, 1);
    int longest = 0;
    if (ui_.mnuOptSpeedSlow.checked)
      longest = 2500;
    else if (ui_.mnuOptSpeedNorm.checked)
      longest = 500;
    else if (ui_.mnuOptSpeedFast.checked)
      longest = 100;
    if (longest > 0) sim_.host.sleepMs(intPart(longest * sim_.rnd01() / rate));
  }

  // Puff j rises, spreads at the plume top and drifts downwind above 40 % of its height.
  void plumeStep(int j) {
    const int vent = m_.ventColumn();
    const float ventY = 600 - m_.Topo[vent];
    const float ks = 20 / m_.Scale, s = m_.Strength;
    const int colour = j % 2 == 1 && j <= 19 ? 15 : 8;
    float& age = m_.PuffAge[j];
    age += 0.5f;
    const float sign = rnd() < 0.5 ? -1.0f : 1.0f;
    int y = age < 10 ? plotPosition(ventY - 60 / m_.Scale * age)
                     : plotPosition(ventY - (s * age - 50 * s * rnd()) * ks);
    const int top = plotPosition(ventY - 800 * s * ks);
    float drift = 0;
    if (ventY - 320 * s * ks > y) {
      m_.PuffDrift[j] += 1;
      drift = m_.WindScaled * m_.PuffDrift[j];
    }
    int x = 0;
    if (y <= top) {
      age += 2.4f;
      y = plotPosition(ventY - (800 * s - 250 * s * s * rnd()) * ks);
      const auto spreadAtTop = [&] {
        const double a = rnd();
        return (age / 8 * a * s + 3 * rnd() * s) * ks;
      };
      x = plotPosition(vent + sign * spreadAtTop() + drift);
      if (drift > 0)
        x = plotPosition(x + spreadAtTop());
      else if (drift < 0)
        x = plotPosition(x - spreadAtTop());
    } else {
      const double a = rnd();
      x = plotPosition(vent + sign * (age / 4 * a * s + 3 * rnd() * s) * ks + drift);
    }
    drawPuff(x, y, ventY, top, colour);
    if (exploded_) drawJets(vent);
  }

  // Near the top the plume carries ash from the 8th burst on.
  void drawPuff(int x, int y, float ventY, int top, int colour) {
    if (y >= ventY || x < 1 || x > kColumns || y < 1) return;
    if (y > 0.6 * top) {
      if (m_.BurstCount < 8)
        point(x, y, 15, 2);
      else if (rnd() > 0.3)
        point(x, y, colour, 2);
      else
        point(x, y, 0, 5);
    } else {
      point(x, y, 15, 1);
    }
  }

  // The black jets after an explosion, from the crater rim up to the blocks' highest point;
  // the rim widens each step until it and the blocks' reach pass 50 columns.
  void drawJets(int vent) {
    jetWidth_ = jetsStarting_ ? cint(5 * m_.Strength) : jetWidth_ + 1;
    jetsStarting_ = false;
    if (m_.BallisticRange + jetWidth_ > 50) {
      exploded_ = false;
      jetWidth_ = 0;
      return;
    }
    const float top = m_.BallisticTop, lean = m_.BallisticTop * m_.Strength / 20;
    for (const int side : {-1, 1}) {
      const int c = vent + side * jetWidth_;
      if (c < 2 || c > kColumns) continue;
      sim_.plot().line(static_cast<float>(c), 598 - m_.Strat.at(m_.LayerCount, c), c + side * lean, top,
                       paletteColor(0));
    }
  }

  void point(int x, int y, int colour, int width) {
    sim_.plot().setPenWidth(width);
    sim_.plot().point(static_cast<float>(x), static_cast<float>(y), paletteColor(colour));
  }

  void endPhase() {
    if (!sim_.staticMode()) updateStrata(sim_);
    sim_.host.yield();
    sim_.soundOff();
    screenRefresh(sim_);
    handLayerToMap(sim_, 7);
  }

  double rnd() { return sim_.rnd01(); }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  int puffs_ = 0, nextClearing_ = kPlumeClearing;
  bool exploded_ = false, jetsStarting_ = false;
  int jetWidth_ = 0;
  StrengthRamp ramp_;
};

}  // namespace

void typePhreatic(Sim& sim) { Phreatic(sim).run(); }

void typePhBurst(Sim& sim) { Explosion(sim).run(); }

}  // namespace magmo
