#include "model/Vent.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

namespace {

constexpr const char* kOutOfRange = "Subscript out of range";

// The table is full or static mode is on: the phase reshapes the top layer instead, and the
// styles that must open a layer are put out of reach.
void enterStaticMode(Sim& sim) {
  Controls& ui = sim.ui;
  ui.mnuParStatic.checked = true;
  for (MenuItem* item : {&ui.mnuParLava, &ui.mnuParDome, &ui.mnuParTec, &ui.mnuParCol}) item->enabled = false;
  for (MenuItem* item : {&ui.mnuParStrom, &ui.mnuParPlin, &ui.mnuParPfs, &ui.mnuParFum, &ui.mnuParAuto})
    item->enabled = true;
  ui.chkCaldDiat.checked = false;
  for (const char* key : {"hawaiian", "peleean", "tectonic", "collapse"}) ui.toolbar[key].enabled = false;
  if (!ui.playbackRunning()) ui.modeText() = sim.autoMode() ? "Auto Erupt (Static)" : "Manual Erupt (Static)";
}

void openLayer(Sim& sim) {
  Model& m = sim.m;
  if (m.LayerCount < 0) throw SimError(kOutOfRange);
  if (!sim.staticMode() && m.LayerCount < kMaxLayers) {
    m.VentX = std::clamp(m.VentX, kVentMin, kVentMax);
    const int n = ++m.LayerCount;
    m.LayerVentX[n] = m.VentX;
    m.LayerBase[n] = m.Topo[m.VentX];
    m.LayerStats[n] = {};
    // A phase stopped or played back before its first burst leaves an empty layer, not one whose
    // zero tops would cut every layer below it to the basement.
    for (int x = 1; x <= kColumns; ++x) m.Strat(n, x) = m.Topo[x];
    return;
  }
  enterStaticMode(sim);
  if (m.LayerCount == kMaxLayers)
    sim.host.message("Eruption cycle limit (500) reached, static eruption selected.", MsgIcon::Information,
                     "Magmo");
}

void launch(Sim& sim) {
  Model& m = sim.m;
  if (m.PartCount > kMaxParticles) throw SimError(kOutOfRange);
  m.MaxFlight = 0;
  sim.reseed();
  const float gravityRatio = 9.8f / m.Gravity;
  const bool directed = m.EruptType == Style::Pfs && sim.ui.chkDirected.checked;
  for (int k = 1; k <= m.PartCount; ++k) {
    float u = 0, w = 0;
    switch (m.EruptType) {
      case Style::Pfs:
        u = sim.rnd01() * 260 * (1 - m.StrengthC * m.StrengthC) * gravityRatio;
        break;
      case Style::Stromb:
      case Style::Fumarole:
        u = 2 * sim.rnd01() * 25 * m.Strength;
        w = (sim.rnd01() * 3 + 2) * 50 * m.Strength * gravityRatio;
        break;
      case Style::Plinian:
        u = 2 * sim.rnd01() * m.Strength * 80;
        w = (sim.rnd01() * 5 + 25) * m.Strength * 80 * gravityRatio;
        break;
      default:
        break;
    }
    if (directed ? m.Directed == -1 : sim.rnd01() < 0.5) u = -u;
    u /= m.Scale;
    w /= m.Scale;
    m.MaxFlight = std::max(m.MaxFlight, 2 * w / m.GravityScaled);
    m.PartU[k] = u;
    m.PartW[k] = w;
  }
  // The cloud of a body thrown up at A and sideways at B: 0.8 of its rise, half its range.
  const float a = m.Strength * 250 / m.Scale, b = m.Strength * 50 / m.Scale;
  m.CloudHeight = 0.4f * a * a / m.GravityScaled;
  m.CloudRadius = a * b / m.GravityScaled;
}

// Volume of a deposit given its thickness per column, treated as a disc as wide as its
// extent on the profile.
template <typename Thickness>
double discVolume(const Model& m, Thickness thickness) {
  int left = 0, right = 0;
  double sum = 0;
  for (int x = 1; x <= kColumns; ++x) {
    const float t = thickness(x);
    if (t <= 0) continue;
    if (left == 0) left = x;
    right = x;
    sum += t;
  }
  if (right <= left) return 0;
  const double radius = (right - left) * static_cast<double>(m.Scale) / 2;
  const double meanThickness = m.Scale * sum / (right - left);
  return radius * radius * 3.14159 * meanThickness;
}

void measureVolume(Model& m) {
  if (m.LayerCount > kMaxLayers) throw SimError(kOutOfRange);
  m.TotalVolume -= m.EruptVolume / 1e9;
  m.EruptVolume = discVolume(m, [&m](int x) {
    return m.LayerCount <= 1 ? m.Topo[x] : m.Topo[x] - m.Strat(m.LayerCount - 1, x);
  });
  m.TotalVolume += m.EruptVolume / 1e9;
}

}  // namespace

double layerVolume(const Model& m, int k) {
  if (k < 1 || k > m.LayerCount) return 0;
  return discVolume(m, [&m, k](int x) { return m.Strat(k, x) - (k == 1 ? 0.0f : m.Strat(k - 1, x)); });
}

namespace {

double stepHours(const Sim& sim) {
  const Model& m = sim.m;
  const double scale = m.Scale;
  switch (m.EruptType) {
    case Style::Tectonic:
      if (sim.ui.opFault.checked) return scale * 100 * numVal(sim.ui.txtMag.text) + scale * 1e7;
      if (sim.ui.opErode.checked) return scale * 100000 + scale * 1e7;
      return 0;
    case Style::Pfs:
    case Style::Collapse:
      return (1 - m.StrengthC) * scale;
    case Style::Stromb:
      return m.Strength * 2.5 * scale;
    case Style::Lava:
    case Style::Dome:
      return scale * 8;
    case Style::Plinian:
      return m.Strength * scale / 10;
    case Style::Fumarole:
      return m.Strength / 100.0;
    default:
      return 0;
  }
}

int phaseNumber(const Sim& sim) { return sim.playback() ? sim.m.PlayIndex : sim.m.LayerCount; }

void showLabVei(Sim& sim, const std::string& phaseAndBurst, const std::string& volume,
                const std::string& indexAndHours, const std::string& totalHours) {
  sim.ui.labVei = phaseAndBurst + "\n" + volume + "\n" + indexAndHours + "\n" +
                  format(sim.m.TotalVolume, "0.000") + " km^3\n" + totalHours;
}

void updateStatistics(Sim& sim) {
  Model& m = sim.m;
  int index = 0;
  if (m.EruptType != Style::Tectonic) {
    measureVolume(m);
    const bool lava = m.EruptType == Style::Lava || m.EruptType == Style::Dome;
    if (!lava) index = explosivityIndex(m.EruptVolume);
  }
  const double hours = stepHours(sim);
  m.EruptHours += hours;
  m.TotalHours += hours;
  if (m.EruptType != Style::Tectonic && !sim.staticMode() && m.LayerCount > 0)
    m.LayerStats[m.LayerCount] = {true, m.EruptType, m.EruptVolume, m.EruptHours,
                                  *std::max_element(m.Topo.begin() + 1, m.Topo.end())};
  showLabVei(sim, std::to_string(phaseNumber(sim)) + " / " + std::to_string(m.BurstCount),
             volumeText(m.EruptVolume), std::to_string(index) + " / " + durationText(m.EruptHours),
             durationText(m.TotalHours));
}

void showZeroed(Sim& sim, const std::string& totalHours) {
  showLabVei(sim, std::to_string(phaseNumber(sim)) + " / 0", "0.000 mil. m^3", "0 / 0 hrs", totalHours);
}

// One dike row per step, paced like an animation frame. Joined to the row before, so that the
// rows stay one line on a vertically exaggerated profile; unstretched that covers only pixels
// the row before already has.
void dikeRow(Sim& sim, int x, int from, int y, int colour) {
  sim.plot().line(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x), static_cast<float>(from),
                  paletteColor(colour));
  if (!sim.ui.mnuOptSpeedFast.checked) sim.host.sleepMs(20);
  sim.host.yield();
}

void intrudeDike(Sim& sim) {
  const Model& m = sim.m;
  const int vent = m.ventColumn();
  sim.ui.statusBar2[2] = "Dike Intruding   ";
  sim.SoundFile = sim.paths.sound("Dikeint.wav");
  sim.soundPlayLoop();
  // Points above the top of the drawing would only cost time.
  const int top = std::max(cint(602 - m.Topo[vent]), 0);
  sim.plot().setPenWidth(1);
  for (int y = 630; y >= top; --y) dikeRow(sim, vent, std::min(y + 1, 630), y, 13);
}

void coolDike(Sim& sim) {
  const Model& m = sim.m;
  const int vent = m.ventColumn();
  if (m.LayerCount > kMaxLayers) throw SimError(kOutOfRange);
  sim.ui.statusBar2[2] = "Dike Cooling   ";
  sim.SoundFile = sim.paths.sound("Dikecool.wav");
  sim.soundPlayLoop();
  // Black from the previous surface down to the base: the cooled dike in the older strata.
  const int start = m.LayerCount > 1 ? cint(601 - m.Strat(m.LayerCount - 1, vent)) : 600;
  sim.plot().setPenWidth(1);
  const int first = std::max(start, 0);
  for (int y = first; y < 601; ++y) dikeRow(sim, vent, std::max(y - 1, first), y, 0);
}

constexpr int kPuffsPerCall = 6;
constexpr std::array<int, 3> kPuffColours = {7, 8, 15};

void drawCloud(Sim& sim) {
  Model& m = sim.m;
  const int vent = m.ventColumn();
  sim.reseed();
  const bool lava = m.EruptType == Style::Lava || m.EruptType == Style::Dome;
  const double gravityRatio = 9.8 / m.Gravity;
  int heightScale = 0;
  double spread = 0;
  if (lava) {
    heightScale = cint(1000 / m.Scale * gravityRatio);
    m.CloudRadius = m.CloudHeight = 2;
    spread = 0.8;
  } else {
    heightScale = cint(m.Strength * 5000 / m.Scale * gravityRatio);
    spread = 0.6;
  }
  const double windDrift = m.WindScaled * m.Scale * (m.EruptType == Style::Stromb ? 1.0 : 0.2);
  const double grown = m.BurstCount * 5.0 + m.BurstTime;  // the cloud grows burst by burst
  const double base = 600 - m.Topo[vent] - m.CloudHeight;
  Canvas& plot = sim.plot();
  const int pen = plot.penWidth();
  for (int i = 0; i < kPuffsPerCall; ++i) {
    // An older puff has risen further and drifted longer with the wind.
    const double age = sim.rnd01() * grown;
    const double rise = std::min(age, static_cast<double>(heightScale));
    const double side = (2 * sim.rnd01() - 1) * spread * (m.CloudRadius + rise);
    const double x = vent + windDrift * (m.BurstTime + age) / 10 + side;
    plot.setPenWidth(std::clamp(1 + intPart(sim.rnd01() * spread * m.CloudRadius), 1, 8));
    const int colour = kPuffColours[static_cast<size_t>(intPart(sim.rnd01() * kPuffColours.size()))];
    plot.point(static_cast<float>(x), static_cast<float>(base - rise), paletteColor(colour));
  }
  plot.setPenWidth(pen);
}

}  // namespace

void ventCenter(Sim& sim) {
  try {
    openLayer(sim);
  } catch (const std::exception& e) {
    sim.reportError("VentCenter", e);
  }
}

void velocity(Sim& sim) {
  try {
    launch(sim);
  } catch (const std::exception& e) {
    sim.reportError("Velocity", e);
  }
}

void eruptVEI(Sim& sim) {
  try {
    updateStatistics(sim);
  } catch (const std::exception& e) {
    sim.reportError("EruptVEI", e);
  }
}

void eruptDike(Sim& sim, int mode) {
  try {
    if (mode != 0)
      intrudeDike(sim);
    else
      coolDike(sim);
  } catch (const std::exception& e) {
    sim.reportError("EruptDike", e);
  }
}

void eruptCloud(Sim& sim) {
  try {
    drawCloud(sim);
  } catch (const std::exception& e) {
    sim.reportError("EruptCloud", e);
  }
}

std::string durationText(double hours) {
  if (hours > 8.76e9) return format(hours / 8760, "0,000,000.0") + " years";
  if (hours > 8.76e6) return format(hours / 8760, "0,000.0") + " years";
  if (hours > 13000) return format(hours / 8760, "0.0") + " years";
  if (hours > 36) return format(hours / 24, "0.0") + " days";
  return format(hours, "0.0") + " hrs";
}

std::string wholeDurationText(double hours) {
  if (hours > 13000) return format(hours / 8760, "0.0") + " years";
  if (hours > 36) return format(hours / 24, "0") + " days";
  return format(hours, "0") + " hrs";
}

std::string volumeText(double cubicMetres) {
  if (cubicMetres < 1e8) return format(cubicMetres / 1e6, "0.000") + " mil. m^3";
  return format(cubicMetres / 1e9, "0.000") + " km^3";
}

int explosivityIndex(double cubicMetres) {
  static constexpr double kBounds[] = {1e4, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
  int index = 0;
  for (double bound : kBounds)
    if (cubicMetres > bound) ++index;
  return index;
}

void showZeroedStatistics(Sim& sim) { showZeroed(sim, durationText(sim.m.TotalHours)); }

void showCycleStartStatistics(Sim& sim) { showZeroed(sim, wholeDurationText(sim.m.TotalHours)); }

}  // namespace magmo
