#include "control/PhaseCheck.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace magmo {

namespace {

// The longest phase a panel can start: the Strombolian manual burst limit.
constexpr int kMaxBursts = 5000;

struct SliderRange {
  int lo, hi;
};
constexpr SliderRange kSliderRanges[7] = {{}, {1, 11}, {1, 11}, {0, 40}, {1, 11}, {0, 10}, {1, 11}};

bool oneOf(Style s, std::initializer_list<Style> styles) {
  return std::find(styles.begin(), styles.end(), s) != styles.end();
}

}  // namespace

std::string phaseDamage(const PhaseRecord& p) {
  if (p.Style == Style::Tectonic && p.TectonicKind == TectonicKind::None) return " Must select eruption type";
  for (float v : {p.Location, p.Strength, p.Wind, p.Particles, p.ScarpTop, p.ScarpBase, p.MapA, p.MapB, p.MapC, p.MapD})
    if (!std::isfinite(v)) return " A value is not a number";
  if (p.Style != Style::Tectonic && (p.Bursts < 0 || p.Bursts > kMaxBursts)) return " Too many bursts";
  if (p.isLava() && p.Bursts > kRecBursts) return " Too many flows (100 at most)";
  if (p.TectonicKind == TectonicKind::Erosion && p.ErodeCycles < 0) return " Erosion cycles must be >= 0";
  for (int k = 1; k <= 6; ++k)
    if (p.Slider[k] < kSliderRanges[k].lo || p.Slider[k] > kSliderRanges[k].hi)
      return " Slider " + std::to_string(k) + " must be from " + std::to_string(kSliderRanges[k].lo) + " to " +
             std::to_string(kSliderRanges[k].hi);
  return {};
}

double shortestFlow(const PhaseRecord& p) { return p.Style == Style::Lava ? 20.0 : 10.0; }

// Lava flows lengthen with Slider1.
double longestFlow(const PhaseRecord& p, int burst) {
  const int s1 = p.Slider[1];
  if (p.Style == Style::Lava) return (s1 - 6) * 120.0 + 1200.0;
  return (10.0 * burst + 200.0) * (1.0 + (s1 - 6) / 10.0);
}

std::string checkPhase(PhaseRecord& p, const BurstTable& bursts, int n, int metresPerColumn) {
  const Style t = p.Style;
  const bool tectonic = t == Style::Tectonic;
  if (std::string broken = phaseDamage(p); !broken.empty()) return broken;
  // Single precision, as the values are stored: 24.6 km is column 1230 exactly at 20 m.
  const float perKm = 1000.0f / static_cast<float>(metresPerColumn);
  auto column = [&](float km) { return km * perKm; };
  if (!tectonic && t != Style::Collapse) {
    if (column(p.Location) < 50) return " Location too small";
    if (column(p.Location) > 1230) return " Location too large";
  }
  if (p.Wind < -50) return " Wind speed too negative";
  if (p.Wind > 50) return " Wind speed too high";
  if (tectonic && p.TectonicKind == TectonicKind::Fault && p.Dip == 0 && p.DownSide == DownSide::None)
    return " Must select down side";
  if (t == Style::Pfs && p.Strength > 1) return " Maximum Strength (1.0) exceeded.";
  if (t == Style::Pfs && p.Strength < 0.2f) return " Minimum Strength (0.20) not met.";
  if (oneOf(t, {Style::Pfs, Style::Plinian}) && p.CalderaFlag == 1 && p.CalderaStyle == CalderaStyle::None)
    return " Must select caldera style.";
  if (oneOf(t, {Style::Pfs, Style::Stromb, Style::Plinian, Style::Fumarole}) && p.MapA > 640)
    return " Mid radius must be <= 640 ";
  if (oneOf(t, {Style::Pfs, Style::Stromb, Style::Plinian, Style::Collapse, Style::Fumarole})) {
    if (p.MapB < -1) return " Deposit angle must be >= -1";
    if (p.MapB > 1) return " Deposit angle must be <= 1";
  }
  if (t == Style::Stromb && p.Strength > 2) return " Maximum Strength (2.00) exceeded.";
  if (oneOf(t, {Style::Stromb, Style::Plinian}) && p.Strength < 0.1f) return " Minimum Strength (0.10) not met.";
  if (p.isLava()) {
    // The last flow may be one that a Stop cut short.
    for (int b = 1; b <= p.Bursts; ++b)
      if (bursts(n, b) < (b < p.Bursts ? shortestFlow(p) : 1)) return " Flow Duration too short.";
    for (int b = 1; b <= p.Bursts; ++b)
      if (bursts(n, b) > longestFlow(p, b)) return " Flow Duration too long.";
    if (p.MapA > 320) return " Mid radius must be <= 320 ";
    if (p.MapC < -4) return " Left angle must be >= -4";
    if (p.MapC > 4) return " Left angle must be <= 4";
    if (p.MapD < -4) return " Right angle must be >= -4";
    if (p.MapD > 4) return " Right angle must be <= 4";
  }
  if (t == Style::Plinian && p.Strength > 1) return " Maximum Plinian strength (1.00) exceeded.";
  if (t == Style::Collapse) {
    // A scarp end off the section is pulled back onto it.
    auto pulledOntoSection = [&](float& km) {
      const float c = column(km);
      if (c >= 50 && c <= 1230) return false;
      km = (c < 50 ? 50 : 1230) / perKm;
      return true;
    };
    if (pulledOntoSection(p.ScarpTop)) return " Scarp top reset";
    if (pulledOntoSection(p.ScarpBase)) return " Scarp base reset";
    if (p.ScarpTop == p.ScarpBase) return " Scarp base and top cannot be equal";
    if (p.MapA > 128) return " Mid radius must be <= 128 ";
  }
  if (t == Style::Fumarole && p.Strength < 0.1f) return " Fumarolic strength too low.";
  if (t == Style::Fumarole && p.Strength > 1) return " Maximum Fumarolic strength exceeded.";
  return "";
}

}  // namespace magmo
