#pragma once
// A raster of ground heights in metres as GIS programs exchange it, and the line across it that
// becomes the cross-section. Plain data: the platform reads and writes the files.
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace magmo {

struct TerrainGrid {
  static constexpr float kNoData = std::numeric_limits<float>::quiet_NaN();

  int columns = 0, rows = 0;
  double cellWidth = 0, cellHeight = 0;  // metres, both positive
  std::vector<float> heights;            // metres, row by row from the northernmost; NaN is no data
  // Where a writer places the grid: the north-west corner in the projection's units, and the
  // projection as WKT (empty: a local grid in metres).
  double originX = 0, originY = 0;
  std::string projectionWkt;

  float at(int column, int row) const { return heights[static_cast<size_t>(row) * columns + column]; }
  float& at(int column, int row) { return heights[static_cast<size_t>(row) * columns + column]; }
  static bool isNoData(float h) { return std::isnan(h); }
};

// The line the section follows, in cells of the grid (column, row; 0 is the first cell's centre,
// rows counted from the north): a whole row west to east, or any segment.
struct ProfileLine {
  std::optional<int> row;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the segment when no row is given

  static ProfileLine wholeRow(int r) { return ProfileLine{r}; }
  static ProfileLine segment(double x1, double y1, double x2, double y2) { return {std::nullopt, x1, y1, x2, y2}; }
};

enum class TerrainFormat { GeoTiff, AsciiGrid };

}  // namespace magmo
