#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/Ballistic.h"
#include "styles/FlowSpeed.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "styles/TephraSteps.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr float kRightAngle = 1.5708f;

// Black, grey or white, in the proportions given by the two thresholds.
int ashColour(double r, double black, double grey) { return r < black ? 0 : r < grey ? 7 : 15; }

// One half of the co-eruption cloud: it rises from the vent to the column top, then spreads
// sideways under the umbrella.
struct CloudHalf {
  int side;          // -1 left of the vent, +1 right of it
  float y = 0;       // screen height reached
  float spread = 0;  // lateral spread
};

class FlowSurge {
 public:
  explicit FlowSurge(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui), plot_(sim.plot()) {}

  void run() {
    std::string failure;
    try {
      setUp();
      burstLoop();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    endPhase(failure);
  }

 private:
  void setUp() {
    ventCenter(sim_);
    eruptDike(sim_, 1);
    vent_ = m_.ventColumn();
    chooseBursts();
    m_.WindScaled = m_.Wind / m_.Scale;
    if (ui_.chkDirected.checked) aimDirectedBlast();
    layerAttribute(m_.LayerWind) = m_.Wind;
    if (!sim_.staticMode()) layerAttribute(m_.LayerColor) = alternateColour(m_.AltPfs, 8, 7);
    m_.BurstCount = 0;
    sim_.SoundFile = sim_.paths.sound("Surge.wav");
    sim_.soundPlayLoop();
    showOpeningText();
    plot_.setPenWidth(2);
    const float f = mobility(), fc = vigour();
    dt_ = static_cast<float>(flightStep(0.3 * f / std::sqrt(m_.Scale) * (m_.SpeedFactor / m_.CpuFactor) *
                                        std::pow(ui_.Slider[6].value, 2) / 36));
    yTop_ = 400 - m_.Topo[vent_] - fc * fc * (8000 / m_.Scale) * (9.8f / m_.Gravity);
    openingColumn();
    startRamp();
    left_ = {-1, columnTop_, halfWidth_};
    right_ = {+1, columnTop_, halfWidth_};
  }

  // 1 - StrengthC and 1.05 - StrengthC: how far the flows run and how high the column and the
  // clouds rise.
  float mobility() const { return 1 - m_.StrengthC; }
  float vigour() const { return 1.05f - m_.StrengthC; }

  // Bounds-checked: the layer count may come from a file.
  template <typename T>
  T& layerAttribute(PerLayer<T>& attribute) {
    if (m_.LayerCount < 0 || m_.LayerCount > kMaxLayers) throw SimError("Subscript out of range");
    return attribute[m_.LayerCount];
  }

  void chooseBursts() { magmo::chooseBursts(sim_, 1000, [this] { randomParameters(); }); }

  void randomParameters() {
    m_.Wind = randomWind(sim_);
    m_.StrengthC = static_cast<float>(0.75 * sim_.rnd01() + 0.03);
    m_.PartCount = std::clamp(cint(25 * vigour() * m_.CpuFactor + 25), 10, 50);
    m_.BurstLimit = cint(std::pow(m_.Scale, 0.25) * (6 * mobility() * sim_.rnd01() + 3));
    ui_.chkDirected.checked = sim_.rnd01() > 0.7;
    if (m_.StrengthC <= 0.4f && m_.LayerCount >= 6 && m_.BurstLimit >= 9)
      announceCaldera(sim_, "Caldera Ignimbrite Eruption");
    else
      withdrawCaldera(sim_);
    m_.Strength = 1.03f - m_.StrengthC;
    showDrawnParameters(sim_);
  }

  // The blast goes away from the highest ground within 200 columns; from a summit either way.
  void aimDirectedBlast() {
    int highest = vent_;
    float height = 0;
    for (int x = std::max(vent_ - 200, 1); x <= std::min(vent_ + 200, kColumns); ++x)
      if (m_.Topo[x] > height) highest = x, height = m_.Topo[x];
    if (highest == vent_)
      m_.Directed = sim_.rnd01() < 0.5 ? 1 : -1;
    else
      m_.Directed = highest > vent_ ? -1 : 1;
  }

  // Before the first burst a playback already names it.
  void showOpeningText() {
    std::string text = burstProgressText(sim_);
    if (sim_.playback())
      text = "Playback Phase: " + format(m_.PlayIndex, "0") + " of " + format(m_.RecCount, "0") + "   Burst: 1 of " +
             format(m_.BurstLimit, "0") + "   ";
    showPhaseText(sim_, text);
  }

  // The short eruption column, widening as it rises; a high vent leaves no room for it.
  void openingColumn() {
    const float f = mobility(), fc = vigour();
    halfWidth_ = 400 * f / m_.Scale * (9.8f / m_.Gravity);
    columnTop_ = 600 - m_.Topo[vent_];
    const float end = (yTop_ - m_.Topo[vent_]) * m_.SpeedFactor;
    // Counted steps: a small step added to a large time would stop advancing it.
    for (long n = 0; 1 + n * dt_ <= end; ++n) {
      m_.BurstTime = 1 + n * dt_;
      if (sim_.rnd01() >= 0.1) continue;
      const float sign = sim_.rnd01() < 0.5 ? -1.0f : 1.0f;
      halfWidth_ += 2 / m_.Scale * f;
      const float x = vent_ + f * static_cast<float>(sim_.rnd01()) * halfWidth_ * sign;
      float y = columnTop_ - 0.4f * static_cast<float>(sim_.rnd01());
      if (y < yTop_) y = yTop_ + 50 * fc * static_cast<float>(sim_.rnd01());
      columnTop_ = std::min(columnTop_, y);
      plot_.point(x, y, paletteColor(7));
      sim_.host.yield();
      sim_.host.frameDone();
    }
  }

  // The flows start with more friction and regain their full mobility over k bursts.
  void startRamp() {
    const int k = ui_.Slider[5].value;
    ramp_ = 0;
    if (k == 0) return;
    nominal_ = m_.StrengthC;
    m_.StrengthC = std::min(m_.StrengthC + (0.83f - m_.StrengthC) * k / 10, 0.83f);
    ramp_ = (m_.StrengthC - nominal_) / k;
    m_.StrengthC += ramp_;
  }

  void burstLoop() {
    while (m_.RunStop != RunState::Stopping && m_.BurstCount < m_.BurstLimit) {
      if (ramp_ != 0 && m_.StrengthC > nominal_) m_.StrengthC -= ramp_;
      leftmost_ = rightmost_ = vent_;
      startFlight(m_);
      std::fill_n(m_.PartCol.begin() + 1, m_.PartCount, vent_);
      std::fill_n(m_.PartX.begin() + 1, m_.PartCount, static_cast<float>(vent_));
      ++m_.BurstCount;
      plot_.setPenWidth(2);
      showPhaseText(sim_, burstProgressText(sim_));
      velocity(sim_);
      sim_.reseed();
      step_ = 0;
      flyBurst(
          sim_,
          [this] {
            ++step_;
            m_.BurstTime += dt_;
            surgeDecay_ = std::exp(-m_.BurstTime / m_.Scale);
          },
          [this](int i) { return advance(i); });
      if (!sim_.staticMode()) {
        deposit();
        stratDeposit(sim_);
        stratCrater(sim_);
        stratThick(sim_);
        stratAdd(sim_);
        eruptVEI(sim_);
      }
    }
  }

  // One time step of particle i down the slope against friction; true when it came to rest
  // (or left the profile) in this step.
  bool advance(int i) {
    const int col = m_.PartCol[i];
    const float u = m_.PartU[i], w = m_.WindScaled;
    const float dz = m_.Topo[vent_] - m_.Topo[col];
    float dx = static_cast<float>(std::abs(col - vent_));
    float d = std::sqrt(dx * dx + dz * dz);
    if (dx == 0) dx = d = 1;
    float sine = dz / d, cosine = dx / d;
    if (u < 0) sine = -sine, cosine = -cosine;
    const float a = (sine - cosine * m_.StrengthC) * m_.GravityScaled;
    const float v = u + w + limitedSpeedChange(m_.BurstTime * a, u, w);
    const float next = m_.PartX[i] + dt_ * v;
    if (next < 1 || next > kColumns) return true;
    if (std::abs(v) < 1) {
      if (!sim_.staticMode()) m_.Topo[col] += 10 / m_.Scale;
      return true;
    }
    m_.PartX[i] = next;
    m_.PartCol[i] = static_cast<int>(next);
    if (next < leftmost_) leftmost_ = static_cast<int>(next);
    if (next > rightmost_) rightmost_ = static_cast<int>(next);
    drawSurge(m_.PartCol[i], v);
    drawCloudHalf(left_);
    drawCloudHalf(right_);
    return false;
  }

  // The surge cloud riding on a moving flow, lower as the burst ages.
  void drawSurge(int col, float v) {
    const float f = mobility();
    if (m_.BurstTime <= 3 * f * f) return;
    const float ground = 600 - m_.Topo[col];
    const float g = std::abs(v) * 10 * vigour() * static_cast<float>(sim_.rnd01()) * surgeDecay_;
    const float y = std::max(std::min(ground - g, ground - 1), yTop_);
    plot_.point(static_cast<float>(col), y, paletteColor(ashColour(sim_.rnd01(), 0.3, 0.8)));
  }

  void drawCloudHalf(CloudHalf& half) {
    const float f = mobility(), fc = vigour();
    const float w = m_.WindScaled;
    if (step_ == 1 && m_.BurstCount >= 2) half.y = 600 - m_.Topo[vent_], half.spread = 0;
    const float candidate = half.y - fc * static_cast<float>(sim_.rnd01());
    half.y = std::min(half.y, candidate);
    float x = 0, y = candidate;
    if (half.y <= yTop_) {
      half.spread += dt_;
      x = vent_ + m_.BurstTime * w + half.side * f * static_cast<float>(sim_.rnd01()) * half.spread;
      // The umbrella reaches at most 1280 f columns out, far less against the wind.
      float reach = kColumns * f;
      if (half.side * w < 0) reach = reach / (10 * std::abs(w)) * static_cast<float>(sim_.rnd01());
      const float limit = std::clamp(vent_ + half.side * reach, 1.0f, float(kColumns));
      x = half.side < 0 ? std::clamp(x, limit, float(kColumns)) : std::clamp(x, 1.0f, limit);
      half.y = yTop_;
      y = umbrellaHeight(x);
    } else {
      half.spread += 0.1f * f;
      x = vent_ + half.side * f * static_cast<float>(sim_.rnd01()) * half.spread;
    }
    x = std::clamp(x, 1.0f, float(kColumns));
    const float ground = 600 - m_.Topo[static_cast<int>(x)];
    if (y > ground) y = ground - 10;
    const int colour = ashColour(sim_.rnd01(), 0.5, 0.8);
    if (y > 5) plot_.point(x, y, paletteColor(colour));
  }

  // Ash falls out below the umbrella, thickest near the vent; the rest lies on its top, which
  // thins outward.
  float umbrellaHeight(float x) {
    const float f = mobility(), fc = vigour();
    const float out = std::abs(x - vent_);
    const float q = (out + 1) / 2;
    if (sim_.rnd01() < 0.8) return yTop_ + static_cast<float>(sim_.rnd01()) * f * f * (600 / q) * 20;
    const float alpha = std::min(out / (400 * fc) * kRightAngle, kRightAngle);
    return yTop_ - static_cast<float>(sim_.rnd01()) * 40 * fc * std::cos(alpha);
  }

  // The flows lay their deposit along the runout, and more wherever they reach further out.
  void deposit() {
    const float p = static_cast<float>(m_.PartCount);
    if (m_.BurstCount == 1) limits_.start(leftmost_, rightmost_);
    const auto [from, to] =
        m_.BurstCount <= 6 ? nearVentSpan(m_, leftmost_, rightmost_) : std::pair{leftmost_, rightmost_};
    raiseColumns(m_, from, to, 20 * p / (50 * m_.Scale));
    limits_.growOutward(m_, leftmost_, rightmost_, 10 * p / (50 * m_.Scale));
  }

  void endPhase(const std::string& failure) {
    sim_.soundOff();
    if (!failure.empty())
      sim_.host.message("Pyroclastic flow/surge eruption error: \n" + failure, MsgIcon::Information, "Magmo");
    screenRefresh(sim_);
    eruptDike(sim_, 0);
    handLayerToMap(sim_, 1);
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  Canvas& plot_;
  int vent_ = 0;
  float dt_ = 0;
  float yTop_ = 0;                       // screen height of the column top
  float halfWidth_ = 0, columnTop_ = 0;  // of the opening column
  float nominal_ = 0, ramp_ = 0;         // strength ramp, in friction
  long step_ = 0;                        // time step of the burst
  float surgeDecay_ = 1;                 // the surges sink as the burst ages
  int leftmost_ = 0, rightmost_ = 0;     // columns the flows reached in this burst
  DepositLimits limits_;
  CloudHalf left_{-1}, right_{+1};
};

}  // namespace

void typePfs(Sim& sim) { FlowSurge(sim).run(); }

}  // namespace magmo
