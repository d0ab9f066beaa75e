#pragma once
// The statistics of each layer of the section, as the batch report, the CSV export and the
// eruption chart show them.
#include <optional>
#include <vector>

#include "model/PhaseRecord.h"

namespace magmo {
struct Model;

struct LayerSummary {
  int layer = 0;
  std::optional<Style> style;  // of the phase that built it, when that phase ran here
  int colour = 0;
  std::optional<double> ventKm;
  double volume = 0;  // m³: as its phase reported it, else as the layer stands now
  int explosivityIndex = 0;  // 0 for lava
  std::optional<double> hours;
  std::optional<float> baseAtVent, topAtVent;  // metres
  float summit = 0;  // metres: the surface's top when its phase ended, else the layer's own top (the top
                     // layer's: the surface's)

  bool operator==(const LayerSummary&) const = default;
};

std::vector<LayerSummary> layerSummaries(const Model& m);

// The same rows kept up to date while phases run, at little cost per update: a layer without
// a report is measured over every column, so it is measured again only when the layer count
// changes, when it is the top layer, or when remeasure says any layer may have changed (a file
// opened, Undo, a command that reshaped the section); reported layers cost one read each.
class LayerSummaries {
 public:
  // True when a row changed.
  bool update(const Model& m, bool remeasure);
  const std::vector<LayerSummary>& rows() const { return rows_; }

 private:
  std::vector<LayerSummary> rows_;
};
// A short English name of the style ("Strombolian scoria").
const char* styleName(Style s);

}  // namespace magmo
