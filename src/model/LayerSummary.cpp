#include "model/LayerSummary.h"

#include <algorithm>

#include "model/Model.h"
#include "model/Vent.h"

namespace magmo {

namespace {

// A layer read from a file has only its colour to tell lava from tephra.
bool lavaColour(int colour) { return colour == 12 || colour == 13 || colour == 4 || colour == 6; }

float layerTop(const Model& m, int k) {
  float top = m.Strat(k, 1);
  for (int x = 2; x <= kColumns; ++x) top = std::max(top, m.Strat(k, x));
  return top;
}

LayerSummary summarise(const Model& m, int k) {
  const LayerStat& stat = m.LayerStats[k];
  LayerSummary row;
  row.layer = k;
  row.colour = m.LayerColor[k];
  row.volume = stat.reported ? stat.volume : layerVolume(m, k);
  const bool lava = stat.reported ? isLava(stat.style) : lavaColour(row.colour);
  row.explosivityIndex = lava ? 0 : explosivityIndex(row.volume);
  if (stat.reported) row.style = stat.style, row.hours = stat.hours;
  if (const int vent = m.LayerVentX[k]; vent >= 1 && vent <= kColumns) {
    row.ventKm = static_cast<double>(vent) * m.Scale / 1000;
    row.baseAtVent = (k == 1 ? 0.0f : m.Strat(k - 1, vent)) * m.Scale;
    row.topAtVent = m.Strat(k, vent) * m.Scale;
  }
  // The layer a phase has just opened has no tops yet: the ground stands at the surface.
  const float top = k == m.LayerCount ? *std::max_element(m.Topo.begin() + 1, m.Topo.end()) : layerTop(m, k);
  row.summit = (stat.reported ? stat.summit : top) * m.Scale;
  return row;
}

int layerCount(const Model& m) { return std::clamp(m.LayerCount, 0, kMaxLayers); }

}  // namespace

std::vector<LayerSummary> layerSummaries(const Model& m) {
  std::vector<LayerSummary> rows;
  const int count = layerCount(m);
  rows.reserve(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) rows.push_back(summarise(m, k));
  return rows;
}

bool LayerSummaries::update(const Model& m, bool remeasure) {
  const int count = layerCount(m);
  if (remeasure || static_cast<size_t>(count) != rows_.size()) {
    std::vector<LayerSummary> rows = layerSummaries(m);
    const bool changed = rows != rows_;
    rows_ = std::move(rows);
    return changed;
  }
  bool changed = false;
  for (int k = 1; k <= count; ++k) {
    if (!m.LayerStats[k].reported && k != count) continue;
    LayerSummary row = summarise(m, k);
    LayerSummary& kept = rows_[static_cast<size_t>(k - 1)];
    if (row == kept) continue;
    kept = row;
    changed = true;
  }
  return changed;
}

const char* styleName(Style s) {
  switch (s) {
    case Style::Pfs: return "Pyroclastic flow/surge";
    case Style::Stromb: return "Strombolian scoria";
    case Style::Lava: return "Hawaiian lava";
    case Style::Dome: return "Peléean dome";
    case Style::Plinian: return "Plinian pumice";
    case Style::Collapse: return "Sector collapse";
    case Style::Fumarole: return "Fumarolic/phreatic";
    case Style::Tectonic: break;
  }
  return "Tectonic";
}

}  // namespace magmo
