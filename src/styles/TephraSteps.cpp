#include "styles/TephraSteps.h"

#include <algorithm>
#include <cmath>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

float randomWind(Sim& sim) {
  const float sign = sim.rnd01() < 0.5 ? -1.0f : 1.0f;
  return static_cast<float>(sim.rnd01()) * sign * 20;
}

void announceCaldera(Sim& sim, const std::string& title) {
  const Model& m = sim.m;
  Controls& ui = sim.ui;
  const int vent = m.ventColumn();
  const float a = m.Topo[std::max(vent - 50, 1)], b = m.Topo[std::min(vent + 50, kColumns)];
  const bool noCone = a + 15 >= m.Topo[vent] && b + 15 >= m.Topo[vent];
  ui.chkCaldDiat.checked = true;
  ui.CaldStyle.visible = true;
  ui.CaldStyle.text = noCone ? "Valles Type" : "Mazama Type";
  ui.statusBar2[1] = title + "  (" + ui.CaldStyle.text + ")";
}

void withdrawCaldera(Sim& sim) {
  sim.ui.chkCaldDiat.checked = false;
  sim.ui.CaldStyle.visible = false;
}

std::pair<int, int> nearVentSpan(const Model& m, int leftmost, int rightmost) {
  const double reach = m.Strength * std::exp(static_cast<double>(m.BurstCount));
  return {std::max(cint(m.VentX - reach), leftmost), std::min(cint(m.VentX + reach), rightmost)};
}

void raiseColumns(Model& m, int from, int to, float t) {
  for (int x = std::max(from, 1); x <= std::min(to, kColumns); ++x) m.Topo[x] += t;
}

void DepositLimits::growOutward(Model& m, int leftmost, int rightmost, float t) {
  if (leftmost < left_) {
    raiseColumns(m, leftmost, left_ - 1, t);
    left_ = leftmost;
  }
  if (rightmost > right_) {
    raiseColumns(m, right_ + 1, rightmost, t);
    right_ = rightmost;
  }
}

}  // namespace magmo
