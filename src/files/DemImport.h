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

struct ImportedDem {
  float scale;
  std::vector<float> grid;  // laid out as Model::MapGrid, elevations in plot units
};
// Reads the data after the vector/raster question; throws SimError on bad data.
ImportedDem importForeignDem(Host& host, NumberScanner& in);

}  // namespace magmo
