#pragma once
// Import of foreign elevation files: vector (x, y, z) triplets or a raster of elevations,
// placed and scaled to fit the plan-view grid after asking the user about their layout.
#include <vector>

#include "model/SimError.h"

namespace magmo {
class Host;
class NumberScanner;

// The user declined the import, or was told why it cannot be done; no further message is due.
class DemImportAbandoned : public SimError {
 public:
  using SimError::SimError;
};

// Scale and centring of data of the given extents (metres).
struct DemPlacement {
  float scale;
  int columnOffset, rowOffset;
};
DemPlacement placeDem(double xrange, double yrange);

// Data wider than the large scale's section are shrunk by a whole factor that brings both
// extents (metres) within it, once the user agrees: returns the factor (1 when they fit) and
// throws DemImportAbandoned when the user declines.
double demShrinkFactor(Host& host, double xrange, double yrange);

// Reads the data after the vector/raster question into grid (laid out as Section::MapGrid,
// elevations in plot units; cells outside the data keep their values) and returns the scale
// chosen for them. Throws SimError on bad data.
float importForeignDem(Host& host, NumberScanner& in, std::vector<float>& grid);

}  // namespace magmo
