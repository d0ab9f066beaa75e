#include "app/batch/BatchReport.h"

#include <cstdio>

#include "model/LayerSummary.h"
#include "model/Model.h"
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

std::string layerReport(const Model& m) {
  std::string out = "Layer  Colour             Vent km  Volume             VEI  Duration\n";
  for (const LayerSummary& row : layerSummaries(m)) {
    const std::string vent = row.ventKm ? format(*row.ventKm, "0.00") : "-";
    out += padLeft(std::to_string(row.layer), 5) + "  " +
           padRight(std::to_string(row.colour) + " " + paletteName(row.colour), 19) + padLeft(vent, 7) + "  " +
           padRight(volumeText(row.volume), 19) + padLeft(std::to_string(row.explosivityIndex), 3) + "  " +
           (row.hours ? durationText(*row.hours) : "-") + "\n";
  }
  out += "Total: " + std::to_string(m.LayerCount) + " layers, " + format(m.TotalVolume, "0.000") + " km^3, " +
         durationText(m.TotalHours) + "\n";
  return out;
}

}  // namespace magmo::batch
