#include "app/batch/BatchReport.h"

#include <cstdio>

#include "model/Numeric.h"
#include "model/Palette.h"
#include "model/Vent.h"

namespace magmo::batch {

namespace {

std::string padRight(std::string s, size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string padLeft(std::string s, size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

}  // namespace

std::string layerReport(const Sim& sim, const std::map<int, PhaseStats>& phases) {
  const Model& m = sim.m;
  std::string out = "Layer  Colour             Vent km  Volume             VEI  Duration\n";
  for (int k = 1; k <= m.LayerCount; ++k) {
    const int colour = m.LayerColor[k];
    const std::string vent = m.LayerVentX[k] > 0 ? format(m.LayerVentX[k] * m.Scale / 1000, "0.00") : "-";
    // Volumes of this run's phases are what the phase reported; older layers are measured as
    // they stand now.
    const auto phase = phases.find(k);
    const double volume = phase != phases.end() ? phase->second.volume : layerVolume(m, k);
    const bool lava = colour == 12 || colour == 13 || colour == 4 || colour == 6;
    const std::string vei = lava ? "0" : std::to_string(explosivityIndex(volume));
    const std::string duration = phase != phases.end() ? durationText(phase->second.hours) : "-";
    out += padLeft(std::to_string(k), 5) + "  " + padRight(std::to_string(colour) + " " + paletteName(colour), 19) +
           padLeft(vent, 7) + "  " + padRight(volumeText(volume), 19) + padLeft(vei, 3) + "  " + duration + "\n";
  }
  out += "Total: " + std::to_string(m.LayerCount) + " layers, " + format(m.TotalVolume, "0.000") + " km^3, " +
         durationText(m.TotalHours) + "\n";
  return out;
}

}  // namespace magmo::batch
