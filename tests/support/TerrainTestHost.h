#pragma once
// The TestHost with a GIS raster to hand out: the terrain a file "holds", the line the user
// picks (or cancels), and what the core asked for.
#include <optional>
#include <string>
#include <vector>

#include "support/TestHost.h"

namespace magmo::test {

class TerrainTestHost : public TestHost {
 public:
  std::optional<TerrainGrid> readTerrain(const std::string& path) override {
    terrainReads.push_back(path);
    return terrain;
  }
  void writeTerrain(const std::string& path, const TerrainGrid& g, TerrainFormat format) override {
    written.push_back({path, g, format});
  }
  std::optional<ProfileLine> chooseProfileLine(const TerrainGrid&, const ProfileLine& proposal) override {
    proposals.push_back(proposal);
    if (cancelLine) return std::nullopt;
    return line.value_or(proposal);
  }

  struct Written {
    std::string path;
    TerrainGrid grid;
    TerrainFormat format;
  };
  std::optional<TerrainGrid> terrain;  // nullopt: no raster format knows the file
  std::optional<ProfileLine> line;     // the user's line; the proposal when unset
  bool cancelLine = false;
  std::vector<std::string> terrainReads;
  std::vector<ProfileLine> proposals;
  std::vector<Written> written;
};

// A grid of the given size and cell, heights from f(column, row).
template <typename F>
TerrainGrid makeTerrain(int columns, int rows, double cellWidth, double cellHeight, F&& f) {
  TerrainGrid g;
  g.columns = columns, g.rows = rows, g.cellWidth = cellWidth, g.cellHeight = cellHeight;
  g.heights.resize(static_cast<size_t>(columns) * rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) g.at(c, r) = static_cast<float>(f(c, r));
  return g;
}

}  // namespace magmo::test
