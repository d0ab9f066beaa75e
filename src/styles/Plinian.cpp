#include <algorithm>
#include <cmath>
#include <utility>

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

// Leftmost and rightmost columns of a burst's fall.
struct Reach {
  int left = 0, right = 0;
};

class Plinian {
 public:
  explicit Plinian(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui) {}

  void run() {
    runPhase(
        sim_, "Plinian eruption error: ", MsgIcon::Information,
        [this] {
          setUp();
          burstLoop();
        },
        [this] { endPhase(); });
  }

 private:
  void setUp() {
    ventCenter(sim_);
    eruptDike(sim_, 1);
    chooseBursts();
    m_.WindScaled = m_.Wind / m_.Scale;
    m_.LayerWind[m_.LayerCount] = m_.Wind;
    if (!sim_.staticMode()) m_.LayerColor[m_.LayerCount] = alternateColour(m_.AltPlin, 9, 11);
    sim_.plot().setPenWidth(1);
    jetTime_ = 25 * m_.Strength;
    m_.BurstCount = 0;
    sim_.SoundFile = sim_.paths.sound("Plinian.wav");
    sim_.soundPlayLoop();
    dt_ = flightStep(0.1 * m_.Strength / std::sqrt(m_.Scale) * (m_.SpeedFactor / m_.CpuFactor) *
                     std::pow(ui_.Slider[6].value, 2) / 36.0);
    ramp_.start(m_.Strength, ui_.Slider[5].value, 10, 1);
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
    m_.Strength = static_cast<float>(sim_.rnd01() / 1.43 + 0.3);
    if (m_.Strength < (ui_.mnuOptScaleSmall.checked ? 1.0f : 0.5f)) ui_.statusBar2[1] = "Subplinian Eruption";
    m_.PartCount = std::clamp(cint(25 * m_.Strength * m_.CpuFactor + 25), 10, 50);
    m_.BurstLimit = cint(std::pow(m_.Scale, 0.25) * (6 * m_.Strength * sim_.rnd01() + 1));
    // A strong, long eruption on a mature volcano forms a caldera.
    if (m_.Strength > 0.7f && m_.LayerCount >= 6 && m_.BurstLimit >= 7)
      announceCaldera(sim_, "Caldera Plinian Eruption");
    else
      withdrawCaldera(sim_);
    m_.StrengthC = 1.03f - m_.Strength;
    showDrawnParameters(sim_);
  }

  void burstLoop() {
    while (m_.BurstCount < m_.BurstLimit) {
      ramp_.grow(m_.Strength);
      startFlight(m_);
      ++m_.BurstCount;
      reach_ = {m_.ventColumn(), m_.ventColumn()};
      showPhaseText(sim_, burstProgressText(sim_));
      velocity(sim_);
      sim_.reseed();
      flyBurst(sim_, [this] { advanceClock(); }, [this](int k) { return moveParticle(k); });
      if (!sim_.staticMode()) {
        layFall();
        stratCrater(sim_);
        stratThick(sim_);
        stratAdd(sim_);
        eruptVEI(sim_);
      }
      if (m_.RunStop == RunState::Stopping) break;
    }
  }

  // Once the jet has become a column, time runs ten times faster.
  void advanceClock() {
    m_.BurstTime += static_cast<float>(dt_);
    if (m_.BurstTime > jetTime_) m_.BurstTime += static_cast<float>(10 * dt_);
  }

  // One time step of particle k; true when it came down (or left the profile) in this step.
  bool moveParticle(int k) {
    // The fine pumice drifts with twice the wind.
    const FlightPoint p = flightPoint(m_, k, 2);
    reach_.left = std::min(reach_.left, p.x);
    reach_.right = std::max(reach_.right, p.x);
    if (!p.onProfile()) return true;
    if (p.down()) {
      sim_.plot().point(static_cast<float>(p.x), p.ground - 2 * size_, paletteColor(15));
      return true;
    }
    if (!farAbove(k, p)) drawColumnPoint(k, p);
    return false;
  }

  // Screen height of the top of the column as particle k draws it: a sixth of its apex.
  float columnTop(int k) const {
    return 600 - m_.Topo[m_.ventColumn()] - m_.PartW[k] * m_.PartW[k] / (2 * m_.GravityScaled) / 6;
  }

  // A column point is drawn at or above the column top, or lower down at the particle: with
  // both high above the drawing (under weak gravity, most of a flight) nothing would show.
  bool farAbove(int k, const FlightPoint& p) const {
    constexpr float kOffPlot = -10;  // beyond the widest point
    return p.y < kOffPlot && columnTop(k) < kOffPlot;
  }

  // The particle seen as part of the eruption column: a jet that spreads into an umbrella,
  // ash darkening it as the phase goes on.
  void drawColumnPoint(int k, const FlightPoint& p) {
    const float t = m_.BurstTime;
    const int vent = m_.ventColumn();
    const float ventY = 600 - m_.Topo[vent];
    size_ = pointSize(p, vent, ventY);
    Canvas& plot = sim_.plot();
    plot.setPenWidth(intPart(size_ + 0.05));
    float x = static_cast<float>(p.x);
    if (t < jetTime_) x += (5 * t + 5) * spread();
    const float top = columnTop(k);
    float y = top - 30 * rnd();
    const float a = std::min(std::abs(x - vent) / (200 * m_.Strength) * 1.5708f, 1.5708f);
    const float umbrella = 40 * m_.Strength * std::cos(a);
    if (top - 15 > y) y -= rnd() * umbrella;
    y = std::min(std::max(y, p.y), p.ground - 2);  // not above the particle, not underground
    plot.point(x, y, paletteColor(columnColour(y > top)));
  }

  // Large near the vent's axis, smaller toward the edges of the fall.
  float pointSize(const FlightPoint& p, int vent, float ventY) {
    float s = 1;
    if (ventY - 5 > p.y) {
      s = 4 * rnd();
      if (p.x != vent)
        for (const int edge : {reach_.right, reach_.left}) {
          if (edge == vent) continue;
          const float q = static_cast<float>(std::abs(vent - p.x)) / static_cast<float>(std::abs(vent - edge));
          if (q > 0.6f) s *= 0.7f;
          if (q > 0.8f) s *= 0.5f;
        }
    }
    return std::max(s, 1.0f);
  }

  int columnColour(bool belowTop) {
    int colour = rnd() < 0.5 ? 7 : 15;
    if (belowTop && m_.BurstTime > jetTime_) {
      const int growth = ui_.Slider[5].value;
      const double ash = 0.3 * m_.BurstCount / (growth == 0 ? 1 : growth);
      if (ash > rnd()) colour = 0;
    } else if (0.01 * m_.PartCount > rnd()) {
      colour = 0;
    }
    return colour;
  }

  // The fall deposit: near the vent at first, over the burst's whole reach from the 7th
  // burst, and from the 20th only where the fall reaches beyond what it covered before.
  void layFall() {
    const float t = m_.PartCount / (50 * m_.Scale);
    if (m_.BurstCount == 1) saved_.start(reach_.left, reach_.right);
    if (m_.BurstCount >= 20) {
      saved_.growOutward(m_, reach_.left, reach_.right, t);
      return;
    }
    std::pair<int, int> span{reach_.left, reach_.right};
    if (m_.BurstCount <= 6) span = nearVentSpan(m_, reach_.left, reach_.right);
    raiseColumns(m_, span.first, span.second, t);
  }

  void endPhase() {
    sim_.soundOff();
    screenRefresh(sim_);
    eruptDike(sim_, 0);
    handLayerToMap(sim_, 5);
  }

  double rnd() { return sim_.rnd01(); }
  // The difference of two fresh draws, in a fixed order.
  float spread() {
    const double a = rnd();
    return static_cast<float>(a - rnd());
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  double dt_ = 0;
  float jetTime_ = 0;
  float size_ = 1;  // the last drawn point size: landings are marked with it
  StrengthRamp ramp_;
  Reach reach_;
  DepositLimits saved_;
};

}  // namespace

void typePlinian(Sim& sim) { Plinian(sim).run(); }

}  // namespace magmo
