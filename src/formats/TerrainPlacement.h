#pragma once
// Real terrain in the section: a raster of heights in metres resampled along the chosen line
// into the profile and the plan-view grid, and the plan-view grid given back as such a raster.
#include <optional>
#include <string>
#include <string_view>

#include "formats/DemFile.h"
#include "model/TerrainGrid.h"

namespace magmo {
class Host;
struct Model;

// The proposal: the middle row, west to east.
ProfileLine defaultProfileLine(const TerrainGrid& g);

// "ROW" (a whole row) or "x1,y1,x2,y2" in cells of the grid. Throws SimError saying what is wrong.
ProfileLine parseProfileLine(std::string_view text);

// Resamples g once (bilinear) into the section's frame: the section runs along the line, centred
// on its midpoint, one column per d.scale metres, and the plan-view rows are the parallel lines
// one column apart, the profile being the grid's profile row. The scale is currentScale when
// the line fits the section, else the smallest import scale that does (asking to shrink beyond
// the largest). No-data cells take the lowest valid height, ground beyond the raster its edge.
// d.step is kept. Throws SimError (bad line, no data, heights out of range) and
// DemImportAbandoned (the user declined); d is then unspecified.
void placeTerrain(Host& host, const TerrainGrid& g, const ProfileLine& line, float currentScale, DemData& d);

// The GIS format a file name asks for by its extension (.tif, .tiff, .asc in any case).
std::optional<TerrainFormat> terrainFormatOf(const std::string& name);

// The plan-view grid as a raster in metres: one cell per map step, no data where the grid holds
// nothing (no ground and no mapped unit). Throws SimError on a scale or step no file may hold.
TerrainGrid mapTerrain(const Model& m);

}  // namespace magmo
