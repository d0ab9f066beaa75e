#include <algorithm>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/Ballistic.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "views/Profile.h"

namespace magmo {

namespace {

// The maar-diatreme pit: its edges narrow as it deepens and the bursts refill it.
struct Diatreme {
  bool active = false;
  int w = 0, left = 0, right = 0;
};

class Strombolian {
 public:
  explicit Strombolian(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    runPhase(
        sim_, "Strombolian eruption error: ", MsgIcon::Exclamation,
        [this] {
          setUp();
          burstLoop();
        },
        [this] { if (!handedOver_) endPhase(); });
  }

 private:
  void setUp() {
    m_.VentElev = m_.Topo[m_.ventColumn()];
    ventCenter(sim_);
    if (!ui_.chkCaldDiat.checked) eruptDike(sim_, 1);
    chooseBursts();
    // An automatic phase clears the box: no pit then.
    pit_.active = ui_.chkCaldDiat.checked;
    m_.WindScaled = m_.Wind / m_.Scale;
    m_.LayerWind[m_.LayerCount] = m_.Wind;
    if (!sim_.staticMode()) colourLayer();
    sim_.SoundFile = sim_.paths.sound("Stromb.wav");
    sim_.soundPlayLoop();
    m_.BurstCount = 0;
    sim_.plot().setPenWidth(1);
    if (pit_.active) digPit();
    dt_ = flightStep(m_.Strength * 0.3 / std::sqrt(m_.Scale) * m_.SpeedFactor / m_.CpuFactor *
                     std::pow(ui_.Slider[6].value, 2) / 36.0);
    ramp_.start(m_.Strength, ui_.Slider[5].value, 20, 5);
  }

  void chooseBursts() { magmo::chooseBursts(sim_, 5000, [this] { randomParameters(); }); }

  void randomParameters() {
    const float sign = sim_.rnd01() < 0.5 ? -1.0f : 1.0f;
    m_.Wind = static_cast<float>(sim_.rnd01()) * sign * 20;
    m_.Strength = static_cast<float>(sim_.rnd01() / 1.5 + 0.4);
    if (sim_.staticMode()) m_.Strength *= 2;
    m_.PartCount = std::clamp(cint(m_.Strength * 25 * m_.CpuFactor + 25), 10, 50);
    m_.BurstLimit = cint(std::pow(m_.Scale, 0.25) * (sim_.rnd01() * 40 * m_.Strength + m_.Strength * 20));
    m_.StrengthC = 1.03f - m_.Strength;
    showDrawnParameters(sim_);
    ui_.chkCaldDiat.checked = false;
  }

  void colourLayer() { m_.LayerColor[m_.LayerCount] = alternateColour(m_.AltStromb, 10, 2); }

  void digPit() {
    m_.LayerColor[m_.LayerCount] = 5;
    m_.VentElev = m_.Topo[m_.ventColumn()];
    float rim = m_.VentElev;
    int drop = 1;
    const double width = ui_.Slider[2].value / 6.0 * m_.Strength * m_.Strength / (m_.Scale * m_.Scale) * 25000 /
                         m_.GravityScaled;
    pit_.w = cint(std::clamp(width, 0.0, double(kColumns)));
    pit_.left = std::max(m_.VentX - pit_.w, 1);
    pit_.right = std::min(m_.VentX + pit_.w, kColumns);
    float& floor = m_.Topo[m_.ventColumn()];
    for (;;) {
      floor -= 1;
      const bool bottom = floor <= 0;
      if (bottom) floor = 0;
      for (const auto& [fraction, d] : {std::pair{0.5f, 5}, {0.6f, 4}, {0.7f, 3}, {0.9f, 2}})
        if (floor < fraction * m_.VentElev) {
          drop = std::max(drop, d);
          break;
        }
      for (int x = pit_.left; x <= pit_.right; ++x) {
        m_.Topo[x] = floor;
        if (m_.Topo[pit_.right] < rim && pit_.right - pit_.left > pit_.w / 2) {
          ++pit_.left;
          --pit_.right;
          rim -= drop;
        }
      }
      sim_.host.yield();
      if (bottom) break;
    }
    m_.LayerBase[m_.LayerCount] = 0;
    stratThick(sim_);
    screenRefresh(sim_);
  }

  void burstLoop() {
    while (m_.BurstCount < m_.BurstLimit) {
      ramp_.grow(m_.Strength);
      startFlight(m_);
      ++m_.BurstCount;
      showPhaseText(sim_, burstProgressText(sim_));
      velocity(sim_);
      sim_.reseed();
      flyBurst(sim_, [this] { m_.BurstTime += static_cast<float>(dt_); }, [this](int k) { return moveBomb(k); });
      if (!sim_.staticMode()) {
        stratDeposit(sim_);
        stratCrater(sim_);
        stratThick(sim_);
        stratAdd(sim_);
        eruptVEI(sim_);
      }
      if (pit_.active && refillWalls()) {
        endDiatremeStage();
        if (handedOver_) return;
      }
      if (m_.RunStop == RunState::Stopping) break;
    }
  }

  // One time step of bomb k; true when it came down (or left the profile) in this step.
  bool moveBomb(int k) {
    const float t = m_.BurstTime;
    const FlightPoint p = flightPoint(m_, k);
    if (!p.onProfile()) return true;
    const int x = p.x;
    const float y = p.y, ground = p.ground;
    if (y < 1) return false;
    Canvas& plot = sim_.plot();
    if (ground >= y) {
      plot.setPenWidth(std::max(2, cint((2 - t / m_.MaxFlight) * m_.Strength)));
      const bool visible = !pit_.active || y < 600 - m_.VentElev - m_.BurstCount / 4.0f;
      if (visible) plot.point(static_cast<float>(x), std::min(y, ground - 2), paletteColor(bombColour(t)));
      if (!pit_.active && t >= m_.MaxFlight / 2) eruptCloud(sim_);
      return false;
    }
    if (!pit_.active) plot.point(static_cast<float>(x), ground - 2, paletteColor(6));
    if (!sim_.staticMode()) {
      if (!pit_.active)
        m_.Topo[x] += 10 / m_.Scale;
      else if (x >= pit_.left && x <= pit_.right)
        m_.Topo[x] += 20 / m_.Scale;
    }
    return true;
  }

  // Bombs cool from yellow through red to grey as they fly; a few look dark or pale.
  int bombColour(float t) {
    int c = 14;
    if (t > 0.8f * m_.MaxFlight)
      c = 8;
    else if (t > 0.4f * m_.MaxFlight)
      c = 4;
    else if (t > 0.1f * m_.MaxFlight)
      c = 12;
    if (sim_.rnd01() < 0.1) c = 7;
    if (sim_.rnd01() < 0.3 && m_.BurstCount >= 2) c = 0;
    return c;
  }

  // Keeps the pit's walls steep; true once the pit has been refilled.
  bool refillWalls() {
    const float leftTop = m_.Topo[pit_.left] + pit_.w;
    const float rightTop = m_.Topo[pit_.right] + pit_.w;
    for (int x = pit_.left; x <= pit_.right; ++x) {
      if (x < m_.VentX && m_.Topo[x] > leftTop) m_.Topo[x] = leftTop;
      if (x > m_.VentX && m_.Topo[x] > rightTop) m_.Topo[x] = rightTop;
    }
    return m_.Topo[pit_.left] >= m_.VentElev || m_.Topo[pit_.right] >= m_.VentElev ||
           m_.Topo[m_.ventColumn()] > m_.VentElev + 60 / (m_.Scale * m_.Strength);
  }

  void endDiatremeStage() {
    pit_.active = false;
    ui_.chkCaldDiat.checked = false;
    m_.BurstCount = 0;
    if (!ui_.mnuParStrom.checked) {
      // A played-back surge stage replays the bursts recorded for the phase, which it takes from
      // the count as the stage begins.
      if (sim_.playback()) m_.BurstCount = m_.BurstLimit;
      m_.EruptType = Style::Pfs;
      handedOver_ = true;
      typePfs(sim_);
      return;
    }
    ventCenter(sim_);
    m_.LayerWind[m_.LayerCount] = m_.Wind;
    if (!sim_.staticMode()) colourLayer();
  }

  void endPhase() {
    sim_.soundOff();
    screenRefresh(sim_);
    eruptDike(sim_, 0);
    handLayerToMap(sim_, 2);
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  Diatreme pit_;
  double dt_ = 0;
  StrengthRamp ramp_;
  bool handedOver_ = false;
};

}  // namespace

void typeStromb(Sim& sim) { Strombolian(sim).run(); }

}  // namespace magmo
