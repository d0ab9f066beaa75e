#include "formats/TerrainPlacement.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <cmath>
#include <string>
#include <vector>

#include "formats/DemImport.h"
#include "formats/StoredHeight.h"
#include "model/Host.h"
#include "model/Model.h"
#include "model/Numeric.h"
#include "textio/FileNames.h"
#include "views/MapView.h"

namespace magmo {

namespace {

constexpr int kGridWidth = kColumns + 1;
// The section's midpoint: a line of an odd number of nodes one column apart lands on columns.
constexpr int kCentreColumn = kColumns / 2;

struct Segment {
  double x1, y1, x2, y2;
};

std::string cells(double v) { return generalNumber(v); }

Segment resolve(const ProfileLine& line, const TerrainGrid& g) {
  const std::string extent = " of the grid's " + std::to_string(g.columns) + " columns (0.." +
                             std::to_string(g.columns - 1) + ") and " + std::to_string(g.rows) + " rows (0.." +
                             std::to_string(g.rows - 1) + ")";
  Segment s{};
  if (line.row) {
    if (*line.row < 0 || *line.row >= g.rows) throw SimError("Row " + std::to_string(*line.row) + " is not one" + extent);
    s = {0, double(*line.row), double(g.columns - 1), double(*line.row)};
  } else {
    s = {line.x1, line.y1, line.x2, line.y2};
    for (const auto& [x, y] : {std::pair(s.x1, s.y1), std::pair(s.x2, s.y2)})
      if (!(x >= 0 && x <= g.columns - 1 && y >= 0 && y <= g.rows - 1))
        throw SimError("The point " + cells(x) + "," + cells(y) + " lies outside" + extent);
  }
  if (s.x1 == s.x2 && s.y1 == s.y2) throw SimError("The profile line has no length");
  return s;
}

void checkGrid(const TerrainGrid& g) {
  if (g.columns < 1 || g.rows < 1 || g.heights.size() != static_cast<size_t>(g.columns) * g.rows ||
      !(g.cellWidth > 0 && g.cellHeight > 0 && std::isfinite(g.cellWidth) && std::isfinite(g.cellHeight)))
    throw SimError("The elevation grid has no cells or no cell size");
}

struct Range {
  float lowest = 0, highest = 0;
  bool noData = false;
};

Range validRange(const TerrainGrid& g) {
  Range r{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), false};
  for (const float h : g.heights) {
    if (TerrainGrid::isNoData(h)) {
      r.noData = true;
      continue;
    }
    r.lowest = std::min(r.lowest, h), r.highest = std::max(r.highest, h);
  }
  if (r.lowest > r.highest) throw SimError("The elevation file holds no data: every cell is marked no-data");
  return r;
}

// Bilinear between the four nodes around (x, y), the nearest edge beyond the raster.
class Sampler {
 public:
  Sampler(const TerrainGrid& g, const std::vector<float>& z) : g_(g), z_(z) {}
  float at(double x, double y) const {
    x = std::clamp(x, 0.0, double(g_.columns - 1)), y = std::clamp(y, 0.0, double(g_.rows - 1));
    const int i = std::min(static_cast<int>(x), std::max(g_.columns - 2, 0));
    const int j = std::min(static_cast<int>(y), std::max(g_.rows - 2, 0));
    const int i1 = std::min(i + 1, g_.columns - 1), j1 = std::min(j + 1, g_.rows - 1);
    const double t = x - i, s = y - j;
    const auto z = [&](int c, int r) { return double(z_[static_cast<size_t>(r) * g_.columns + c]); };
    const double north = (1 - t) * z(i, j) + t * z(i1, j), south = (1 - t) * z(i, j1) + t * z(i1, j1);
    return static_cast<float>((1 - s) * north + s * south);
  }

 private:
  const TerrainGrid& g_;
  const std::vector<float>& z_;
};

}  // namespace

ProfileLine defaultProfileLine(const TerrainGrid& g) { return ProfileLine::wholeRow(g.rows / 2); }

ProfileLine parseProfileLine(std::string_view text) {
  std::vector<double> v;
  const char* p = text.data();
  const char* const end = p + text.size();
  const auto bad = [&] { return SimError("'" + std::string(text) + "' is not ROW or X1,Y1,X2,Y2 (cells of the grid)"); };
  for (;;) {
    double n = 0;
    const auto [next, ec] = std::from_chars(p, end, n);
    if (ec != std::errc{} || !(n >= 0) || !std::isfinite(n)) throw bad();
    v.push_back(n);
    if (next == end) break;
    if (*next != ',') throw bad();
    p = next + 1;
  }
  if (v.size() == 1) {
    if (v[0] != std::floor(v[0]) || v[0] > 1e9) throw SimError("Row '" + std::string(text) + "' is not a whole number");
    return ProfileLine::wholeRow(static_cast<int>(v[0]));
  }
  if (v.size() != 4) throw bad();
  return ProfileLine::segment(v[0], v[1], v[2], v[3]);
}

void placeTerrain(Host& host, const TerrainGrid& g, const ProfileLine& line, float currentScale, DemData& d) {
  checkGrid(g);
  const Segment s = resolve(line, g);
  const Range range = validRange(g);
  const std::vector<float>* z = &g.heights;
  std::vector<float> filled;
  if (range.noData) {
    filled = g.heights;
    for (float& h : filled)
      if (TerrainGrid::isNoData(h)) h = range.lowest;
    z = &filled;
  }

  // Along the line and to its left (north of a line running east), in metres.
  const double east = (s.x2 - s.x1) * g.cellWidth, north = (s.y1 - s.y2) * g.cellHeight;
  const double length = std::hypot(east, north);
  const double shrunk = length <= kColumns * double(currentScale) ? 1 : demShrinkFactor(host, length, 0);
  const float scale = length <= kColumns * double(currentScale) ? currentScale : placeDem(length / shrunk, 0).scale;
  const double metresPerColumn = scale * shrunk;
  for (const float h : {range.lowest, range.highest})
    if (std::fabs(h / metresPerColumn) > kMaxStoredHeight)
      throw SimError("Elevation " + generalNumber(h) + " m out of range " +
                     generalNumber(-kMaxStoredHeight * metresPerColumn) + ".." +
                     generalNumber(kMaxStoredHeight * metresPerColumn) + " m at " + generalNumber(scale) +
                     " m per column");

  // One column or row of the section, in cells of the raster.
  const double ux = east / length, uy = north / length;
  const double alongX = ux * metresPerColumn / g.cellWidth, alongY = -uy * metresPerColumn / g.cellHeight;
  const double acrossX = -uy * metresPerColumn / g.cellWidth, acrossY = -ux * metresPerColumn / g.cellHeight;
  const double midX = (s.x1 + s.x2) / 2, midY = (s.y1 + s.y2) / 2;
  const Sampler sample(g, *z);
  for (int r = 0; r <= kMapRows; ++r) {
    const double a = kMapProfileRow - r;  // columns to the left of the line
    const double rowX = midX + a * acrossX, rowY = midY + a * acrossY;
    float* out = &d.grid[static_cast<size_t>(r) * kGridWidth];
    for (int c = 1; c <= kColumns; ++c) {
      const double b = c - kCentreColumn;
      out[c] = static_cast<float>(sample.at(rowX + b * alongX, rowY + b * alongY) / metresPerColumn);
    }
  }
  for (int c = 1; c <= kColumns; ++c) d.profile[c] = d.grid[static_cast<size_t>(kMapProfileRow) * kGridWidth + c];
  d.scale = scale;
}

std::optional<TerrainFormat> terrainFormatOf(const std::string& name) {
  const std::string ext = lowerExtension(name);
  if (ext == "tif" || ext == "tiff") return TerrainFormat::GeoTiff;
  if (ext == "asc") return TerrainFormat::AsciiGrid;
  return std::nullopt;
}

TerrainGrid mapTerrain(const Model& m) {
  const int step = m.MapStep;
  if (step < 4 || step > 8) throw SimError("Map step " + std::to_string(step) + " out of range");
  if (!isStoredScale(m.Scale)) throw SimError("Scale " + generalNumber(m.Scale) + " out of range");
  TerrainGrid g;
  // The cells the own DEM variant samples: from the first, stopping one step short of the edge.
  g.columns = (kColumns - step - 1) / step + 1;
  g.rows = (kMapRows - step - 1) / step + 1;
  g.cellWidth = g.cellHeight = double(m.Scale) * step;
  g.originY = g.rows * g.cellHeight;
  g.heights.resize(static_cast<size_t>(g.columns) * g.rows);
  for (int j = 0; j < g.rows; ++j)
    for (int i = 0; i < g.columns; ++i) {
      const int x = 1 + i * step, y = 1 + j * step;
      const float h = m.mapGrid(x, y);
      g.at(i, j) = h == 0 && m.mapUnit(x, y) == 0 ? TerrainGrid::kNoData : storedHeight(h, "Elevation") * m.Scale;
    }
  return g;
}

}  // namespace magmo
