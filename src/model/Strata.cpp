#include "model/Strata.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr const char* kOutOfRange = "Subscript out of range";

// LayerCount as an index; the operations below need at least `lowest` layers.
int layerCount(const Model& m, int lowest) {
  if (m.LayerCount < lowest || m.LayerCount > kMaxLayers) throw SimError(kOutOfRange);
  return m.LayerCount;
}

// Material above the top of the previous layer; only fresh material moves.
bool fresh(const Model& m, int x) { return m.Topo[x] > m.Strat(m.LayerCount - 1, x); }

// One scan of the slope relaxation: column x is paired with x + lag, and while their height
// difference exceeds the angle of repose one plot unit slides from the higher, fresh column
// to the lower one before the scan moves on.
struct RelaxPass {
  int first, last, lag;
  float repose;
  bool flowSlopes;  // flow deposits settle at 1 unit per lag where the ground rises toward the vent
};

bool risesTowardVent(const Model& m, int x, int lag, float d) {
  const float rise = lag > 0 ? d : -d;  // height gained toward higher columns
  return (x < m.VentX && rise > 0) || (x > m.VentX && rise < 0);
}

// A unit moves only while it changes the heights: beyond 2^24 it no longer does, and a pair
// that can never settle must not hold the scan for ever.
void relax(Model& m, const RelaxPass& p) {
  const int step = p.first <= p.last ? 1 : -1;
  for (int x = p.first; x != p.last + step; x += step) {
    const int partner = x + p.lag;
    for (;;) {
      const float d = m.Topo[partner] - m.Topo[x];
      const float th = p.flowSlopes && risesTowardVent(m, x, p.lag, d) ? 1.0f : p.repose;
      if (d > th && fresh(m, partner)) {
        m.Topo[partner] -= 1;
        m.Topo[x] += 1;
      } else if (d < -th && fresh(m, x)) {
        m.Topo[x] -= 1;
        m.Topo[partner] += 1;
      } else {
        break;
      }
      if (m.Topo[partner] - m.Topo[x] == d) break;
    }
  }
}

void relaxSlopes(Sim& sim) {
  Model& m = sim.m;
  layerCount(m, 1);  // freshness is measured against the layer below the newest
  const bool diatremeForming = sim.ui.chkCaldDiat.checked && m.EruptType == Style::Stromb;
  if (diatremeForming && m.Topo[m.ventColumn()] > m.VentElev) return;
  const bool flow = m.EruptType == Style::Pfs;
  const bool plinian = m.EruptType == Style::Plinian;  // fall deposits: only the neighbour pass
  relax(m, {1, plinian ? 1 : kColumns - 9, 9, 5.0f, flow});
  relax(m, {kColumns, plinian ? kColumns : 5, -4, 2.0f, flow});
  relax(m, {1, kColumns - 1, 1, 1.0f, false});
}

bool mazamaType(const Sim& sim) {
  std::string style = sim.ui.CaldStyle.text;
  std::transform(style.begin(), style.end(), style.begin(), [](unsigned char c) { return std::tolower(c); });
  return style == "mazama type";
}

int sliderValue(const Sim& sim, int n) { return sim.ui.Slider[n].value; }

// A caldera forms instead of a crater for strong flows and Plinian eruptions with the box
// checked; the collapse strength then, nothing when a crater is dug.
std::optional<float> calderaStrength(const Sim& sim) {
  const Model& m = sim.m;
  if (!sim.ui.chkCaldDiat.checked) return std::nullopt;
  if (m.EruptType == Style::Pfs && m.StrengthC <= 0.43f) return 1 - m.StrengthC;
  if (m.EruptType == Style::Plinian) return m.Strength;
  return std::nullopt;
}

struct Crater {
  int halfWidth = 0;
  float depth = 0;      // lowering per excavation pass
  int narrowing = 0;    // half-width lost per pass
};

Crater craterSize(const Sim& sim) {
  const Model& m = sim.m;
  const float size = sliderValue(sim, 2) / 6.0f;  // crater size relative to nominal
  switch (m.EruptType) {
    case Style::Pfs: {
      const float sc = 1 - m.StrengthC;
      int w = cint(size * (100 * sc * sc + m.BurstCount) * 20 / m.Scale);
      const float widest = size * (100 * sc * sc + 10) * 20 / m.Scale;  // reached at burst 10
      if (widest < w) w = cint(widest);
      return {w, std::max(size * 10 / std::sqrt(m.Scale), 0.25f), 0};
    }
    case Style::Stromb: {
      const int w = cint(size * m.Strength * m.Strength / (m.Scale * m.Scale) * 6250 / m.GravityScaled);
      const float c = 0.2f * (1.4f - m.Strength) * (1.4f - m.Strength);
      return {w, std::max(c, 0.1f), std::max(intPart(w / 5.0), 1)};
    }
    case Style::Plinian:
      return {cint(size * 20 / m.Scale * m.Strength * 10), std::max(size * 20 / m.Scale, 0.1f), 0};
    case Style::Fumarole: {
      const float c = m.PhBurstCount > 5 ? 20 / m.Scale * 0.25f : size * 20 / m.Scale * 0.5f;
      return {cint(size * m.Strength * m.Strength * 40 * 20 / m.Scale), c, 0};
    }
    default:
      return {};
  }
}

// Digs the crater around the vent; the Strombolian funnel takes five nested passes.
void excavate(Sim& sim, Crater crater) {
  Model& m = sim.m;
  const int n = layerCount(m, 1);
  const int vent = m.ventColumn();
  const bool directed = sim.ui.chkDirected.checked && m.EruptType == Style::Pfs;
  const int passes = m.EruptType == Style::Stromb ? 5 : 1;
  int w = crater.halfWidth;
  for (int pass = 0; pass < passes; ++pass) {
    m.Topo[vent] = std::max(m.Topo[vent] - crater.depth, 0.0f);
    int left = vent - w, right = vent + w;
    if (directed) {
      if (m.Directed == 1)
        right += m.BurstCount * 5;
      else
        left -= m.BurstCount * 5;
    }
    left = std::clamp(left, 1, kColumns);
    right = std::clamp(right, 1, kColumns);
    for (int x = left; x <= right; ++x) {
      if (m.Topo[x] > m.Topo[vent]) m.Topo[x] = std::max(m.Topo[x] - crater.depth, 0.0f);
      float* column = m.Strat.column(x);
      for (int k = 1; k < n; ++k) column[k] = std::min(column[k], m.Topo[x]);
    }
    w = std::max(w - crater.narrowing, 1);
  }
}

void craterOrCaldera(Sim& sim) {
  Model& m = sim.m;
  const int n = layerCount(m, 1);
  if (const std::optional<float> s = calderaStrength(sim)) {
    const float limit = 20 / m.Scale * *s * (mazamaType(sim) ? 60.0f : 20.0f);
    if (limit < m.BurstCount) return;  // the caldera has finished growing
    collapse(sim, *s);
    m.LayerCaldera[n] += 1;
    return;
  }
  excavate(sim, craterSize(sim));
}

// The initial cut of a collapse step, limited to the profile.
void calderaCut(const Sim& sim, float s, int& left, int& right) {
  const Model& m = sim.m;
  const int vent = m.ventColumn();
  const double s3 = static_cast<double>(s) * s * s;
  if (mazamaType(sim)) {
    int h = cint(intPart(s3 * 40) * 20 / m.Scale);
    h = cint(sliderValue(sim, 2) / 6.0 * h);
    left = vent - h;
    right = vent + h;
  } else {
    const int r = cint(intPart(s3 * 250) * 20 / m.Scale);
    int h = cint(sliderValue(sim, 2) / 2.0 * r);
    if (intPart(s3 * 100) / 2.0 > h) h = cint(intPart(s3 * 100) / 2.0);
    const double shift = (sliderValue(sim, 4) - 6) * h / 5.0;  // vent position slider
    left = cint(vent - h - shift);
    right = cint(vent + h - shift);
  }
}

void limitToProfile(int& left, int& right) {
  left = std::clamp(left, 1, kColumns);
  right = std::clamp(right, 1, kColumns);
}

void collapseStep(Sim& sim, float s) {
  Model& m = sim.m;
  const int n = layerCount(m, 1);
  const bool mazama = mazamaType(sim);
  int left = 0, right = 0;
  calderaCut(sim, s, left, right);
  limitToProfile(left, right);
  const float drop = mazama ? 3.0f : 1.0f;
  for (int k = 1; k <= n; ++k) {
    if (k > 1) {  // the walls step outward through each younger layer
      const float tl = m.Strat(k, left) - m.Strat(k - 1, left);
      const float tr = m.Strat(k, right) - m.Strat(k - 1, right);
      left = cint(left - (mazama ? tl / 3 : tl));
      right = cint(right + (mazama ? tr / 3 : tr));
      limitToProfile(left, right);
    }
    for (int x = left; x <= right; ++x) {
      float& top = k == n ? m.Topo[x] : m.Strat(k, x);
      if (top > 0) top -= drop;
    }
  }
  m.LayerCaldL[n] = left;
  m.LayerCaldR[n] = right;
}

void copySurfaceAndTruncate(Model& m) {
  const int n = layerCount(m, 0);
  for (int x = 1; x <= kColumns; ++x) m.Strat(n, x) = m.Topo[x];
  stratTruncate(m);
  // A vent floor never lies above the top of the layer it broke through.
  for (int k = 1; k <= n; ++k) {
    const int vent = m.LayerVentX[k];
    if (vent < 1 || vent > kColumns) continue;
    const float floor = n > 1 ? m.Strat(k - 1, vent) : 0.0f;
    if (m.LayerBase[k] > floor) m.LayerBase[k] = floor;
  }
}

// Four consecutive layer tops of one column.
using FourTops = float __attribute__((vector_size(16)));

FourTops lower(FourTops own, FourTops above) { return above < own ? above : own; }

// Cuts each top of column[1..n - 1] to the lowest of the tops above it. A running minimum
// taken one layer at a time waits on itself at every layer; here four layers are cut against
// each other first, by two shifted minima, so the running minimum takes one step per four.
void suffixMinimum(float* column, int n) {
  FourTops above = FourTops{} + column[n];  // the lowest top so far, in every lane
  int k = n - 1;
  for (; k >= 4; k -= 4) {
    FourTops four;
    std::memcpy(&four, column + k - 3, sizeof four);
    four = lower(four, __builtin_shufflevector(four, four, 1, 2, 3, 3));
    four = lower(four, __builtin_shufflevector(four, four, 2, 3, 3, 3));
    const FourTops lowestOfFour = __builtin_shufflevector(four, four, 0, 0, 0, 0);
    four = lower(four, above);
    std::memcpy(column + k - 3, &four, sizeof four);
    above = lower(lowestOfFour, above);
  }
  float lowest = above[0];
  for (; k >= 1; --k) {
    lowest = std::min(column[k], lowest);
    column[k] = lowest;
  }
}

void drawNewestLayer(Sim& sim) {
  const Model& m = sim.m;
  const int n = layerCount(m, 1);
  const int vent = m.ventColumn();
  Canvas& plot = sim.plot();
  plot.setPenWidth(1);
  const Rgb colour = paletteColor(m.LayerColor[n]);
  auto drawColumn = [&](int x) {
    const float top = m.Strat(n, x), bottom = m.Strat(n - 1, x);
    if (top > bottom) plot.columnSpan(x, 600 - bottom, 600 - top, colour);
  };
  for (int i = 1; i <= kColumns; ++i) {
    if (vent - i > 0) drawColumn(vent - i);
    if (vent + i <= kColumns) drawColumn(vent + i);
  }
}

}  // namespace

void stratDeposit(Sim& sim) {
  try {
    relaxSlopes(sim);
  } catch (const std::exception& e) {
    sim.reportError("StratDeposit", e);
  }
}

void stratCrater(Sim& sim) {
  try {
    craterOrCaldera(sim);
  } catch (const std::exception& e) {
    sim.reportError("StratCrater", e);
  }
}

void collapse(Sim& sim, float s) {
  try {
    collapseStep(sim, s);
  } catch (const std::exception& e) {
    sim.reportError("Collapse", e);
  }
}

void stratThick(Sim& sim) {
  sim.m.StratBusy = 1;
  try {
    copySurfaceAndTruncate(sim.m);
  } catch (const std::exception& e) {
    sim.reportError("StratThick", e);
  }
  // Cleared even after a failure: the run controller waits for it before finishing a phase.
  sim.m.StratBusy = 0;
}

void stratAdd(Sim& sim) {
  try {
    drawNewestLayer(sim);
  } catch (const std::exception& e) {
    sim.reportError("StratAdd", e);
  }
}

void stratTruncate(Model& m) {
  const int n = layerCount(m, 0);
  for (int x = 1; x <= kColumns; ++x) suffixMinimum(m.Strat.column(x), n);
}

}  // namespace magmo
