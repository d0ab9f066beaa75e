#include <algorithm>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"
#include "model/Strata.h"
#include "model/Vent.h"
#include "styles/PhaseSteps.h"
#include "styles/Styles.h"
#include "views/Profile.h"

namespace magmo {

namespace {

constexpr int kStallSteps = 50;  // a flow that has not moved for longer than this has set

// One phase of effusive lava: bursts of flows that creep down the flanks column by column.
// Basaltic flows (hawaiian) are thin and long and build a shield; silicic ones (peleean) are
// thick and short and build a dome over a small summit pit.
class LavaEruption {
 public:
  explicit LavaEruption(Sim& sim) : sim_(sim), m_(sim.m), ui_(sim.ui), dome_(sim.m.EruptType == Style::Dome) {}

  void run() {
    try {
      setUp();
      burstLoop();
    } catch (const std::exception& e) {
      noteFault(e);
    }
    endPhase();
  }

 private:
  void setUp() {
    ventCenter(sim_);
    if (m_.LayerCount < 0 || m_.LayerCount > kMaxLayers) throw SimError("Subscript out of range");
    eruptDike(sim_, 1);
    chooseBursts();
    m_.WindScaled = m_.Wind / m_.Scale;
    m_.LayerWind[m_.LayerCount] = m_.Wind;
    if (!sim_.staticMode())
      m_.LayerColor[m_.LayerCount] = dome_ ? alternateColour(m_.AltDome, 6, 4) : alternateColour(m_.AltLava, 13, 12);
    sim_.SoundFile = sim_.paths.sound(dome_ ? "Dome.wav" : "Lava.wav");
    sim_.soundPlayLoop();
    // Scales coarser than 20 m would make the flows too thin to see.
    const float scale = std::min(m_.Scale, 20.0f);
    m_.LavaThick = (dome_ ? 40 : 20) / scale;
    // Point widths grow with the surface's height over its design height; measured in the
    // profile's own user units that ratio is always 1.
    sim_.plot().setPenWidth(std::max(2, cint((dome_ ? 20 : 10) / scale)));
    if (dome_) {
      digSummitPit();
      eruptCloud(sim_);
    }
  }

  void chooseBursts() { magmo::chooseBursts(sim_, 1000, [this] { randomBurstsAndWind(); }); }

  void randomBurstsAndWind() {
    m_.BurstLimit = cint(std::pow(m_.Scale, 0.25) * (10 * sim_.rnd01() + 1));
    const float sign = sim_.rnd01() < 0.5 ? -1.0f : 1.0f;
    m_.Wind = static_cast<float>(sim_.rnd01()) * sign * 20;
    ui_.txtWind.text = format(m_.Wind, "0");
  }

  // The dome rises from a pit: the vent sinks 10 units, each neighbour one unit less, and the
  // older strata are cut down to the pit's floor.
  void digSummitPit() {
    const int vent = m_.ventColumn();
    int left = vent, right = vent;
    for (int step = 0; step < 10; ++step) {
      for (int x = left; x <= right; ++x) {
        float& ground = m_.Topo[x];
        if (ground > 0) ground = std::max(ground - 1, 0.0f);
        float* tops = m_.Strat.column(x);
        for (int k = 1; k <= m_.LayerCount; ++k) tops[k] = std::min(tops[k], ground);
      }
      left = std::max(left - 1, 1);
      right = std::min(right + 1, kColumns);
    }
  }

  void burstLoop() {
    while (m_.BurstCount < m_.BurstLimit) {
      ++m_.BurstCount;
      m_.BurstTime = 0;
      sim_.reseed();
      showPhaseText(sim_, burstProgressText(sim_, false));
      chooseFlowLength();
      const int vent = m_.ventColumn();
      m_.FlowLeft = m_.FlowRight = vent;
      m_.Topo[vent] += m_.LavaThick;
      const float steps = flow();
      if (recording()) skipOnFault([&] { m_.RecBurst(m_.RecCount + 1, m_.BurstCount) = steps; });
      if (m_.RunStop == RunState::Stopping) break;
      if (recording() && m_.BurstCount == kRecBursts) {
        sim_.host.message("The lava phase ends with flow " + format(kRecBursts, "0") +
                              ": a record keeps no more flows of one phase.",
                          MsgIcon::Information, "Magmo");
        break;
      }
    }
  }

  bool recording() const { return ui_.mnuRecRec.checked && !sim_.playback(); }

  void chooseFlowLength() {
    if (sim_.playback()) {
      // A recorded phase longer than the burst table keeps the last length it has.
      skipOnFault([this] { m_.LavaBurst = m_.RecBurst(m_.PlayIndex, m_.BurstCount); });
      return;
    }
    const double gravity = m_.Gravity / 9.8;
    const double base = dome_ ? sim_.rnd01() * (10.0 * m_.BurstCount + 200) * gravity : sim_.rnd01() * 1200 * gravity;
    const double length = base + base * (ui_.Slider[1].value - 6) / 10.0;
    m_.LavaBurst = static_cast<float>(std::max(length, dome_ ? 10.0 : 20.0));
  }

  // The flow of one burst; returns its length as a replay must repeat it: the steps it made
  // when a Stop cut it short, else its full length.
  float flow() {
    float lastMoved = 0;
    for (m_.BurstTime = 1; m_.BurstTime <= m_.LavaBurst; m_.BurstTime += 1) {
      sim_.reseed();
      const bool leftFirst = sim_.rnd01() > 0.5;
      const bool moved = leftFirst ? advance(m_.FlowLeft, -1) || advance(m_.FlowRight, 1)
                                   : advance(m_.FlowRight, 1) || advance(m_.FlowLeft, -1);
      if (moved) {
        lastMoved = m_.BurstTime;
        eruptVEI(sim_);
        eruptCloud(sim_);
        frameDelay();
      }
      sim_.waitWhilePaused();
      sim_.host.yield();
      if (m_.BurstTime - lastMoved > kStallSteps || m_.RunStop == RunState::Stopping) break;
    }
    return m_.RunStop == RunState::Stopping ? std::min(m_.BurstTime, m_.LavaBurst) : m_.LavaBurst;
  }

  // Moves a flow front one column in direction dir unless the ground there is higher: the
  // lava fills the column up to the level behind it, or by one flow thickness down a steeper
  // step. A front that reaches the edge of the profile piles up there.
  bool advance(int& front, int dir) {
    const int next = front + dir;
    if (next < 1 || next > kColumns || m_.Topo[next] > m_.Topo[front]) return false;
    const float behind = m_.Topo[front];
    float& ahead = m_.Topo[next];
    ahead = behind - ahead > m_.LavaThick ? ahead + m_.LavaThick : behind;
    sim_.plot().point(static_cast<float>(next), 601 - behind, paletteColor(m_.LayerColor[m_.LayerCount]));
    front = next;
    if (next == 1 || next == kColumns) ahead += m_.LavaThick;
    return true;
  }

  // Slow speed always waits; the faster speeds only when the wait is long enough to notice.
  void frameDelay() {
    const int rate = ui_.Slider[6].value;
    int ms = 0;
    if (rate > 0) {
      if (ui_.mnuOptSpeedSlow.checked)
        ms = 240 / rate;
      else if (ui_.mnuOptSpeedNorm.checked)
        ms = 120 / rate > 10 ? 120 / rate : 0;
      else if (ui_.mnuOptSpeedFast.checked)
        ms = 60 / rate > 10 ? 60 / rate : 0;
    }
    if (ms > 0) sim_.host.sleepMs(ms);
    sim_.host.frameDone();
  }

  void endPhase() {
    sim_.soundOff();
    reportFault();
    try {
      if (!dome_ && m_.BurstCount >= 6) levelSummit();
      stratThick(sim_);
      screenRefresh(sim_);
      eruptDike(sim_, 0);
      handLayerToMap(sim_, dome_ ? 4 : 3);
    } catch (const std::exception& e) {
      noteFault(e);
      reportFault();
    }
  }

  // A low shield gets a flat-floored summit crater; one that already stands high keeps its top.
  void levelSummit() {
    const int vent = m_.ventColumn();
    const float summit = m_.Topo[vent];
    const int a = std::max(vent - 100, 1), b = std::min(vent + 100, kColumns);
    if (summit - m_.Topo[a] >= 30 && summit - m_.Topo[b] >= 30) return;
    const int r = cint(std::min(20.0 * m_.BurstCount / m_.Scale, 16.0));
    const int lo = std::max(vent - r, 1), hi = std::min(vent + r, kColumns);
    const float level = std::max(std::max(m_.Topo[lo], m_.Topo[hi]) - r / 4.0f, 0.0f);
    std::fill(m_.Topo.begin() + lo, m_.Topo.begin() + hi + 1, level);
  }

  // A statement that fails on data (a recorded burst beyond the table) is skipped; the phase
  // goes on and the fault is reported once at its end.
  template <typename Statement>
  void skipOnFault(const Statement& statement) {
    try {
      statement();
    } catch (const std::exception& e) {
      noteFault(e);
    }
  }

  void noteFault(const std::exception& e) {
    if (fault_.empty()) fault_ = e.what();
  }

  void reportFault() {
    if (fault_.empty()) return;
    sim_.host.message("Lava flow error: \n" + fault_, MsgIcon::Information, "Magmo");
    fault_.clear();
  }

  Sim& sim_;
  Model& m_;
  Controls& ui_;
  const bool dome_;
  std::string fault_;
};

}  // namespace

void typeLava(Sim& sim) { LavaEruption(sim).run(); }

}  // namespace magmo
