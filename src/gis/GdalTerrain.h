#pragma once
// Elevation rasters of GIS programs read and written through GDAL, in metres.
#include <cstddef>
#include <optional>
#include <string>

#include "model/TerrainGrid.h"

namespace magmo::gis {

// A grid of this many cells takes 160 MB as floats, twice that while no-data cells are filled:
// three tiles of the finest common global model, more than a teaching machine should be asked for.
constexpr size_t kMaxCells = 40'000'000;

// nullopt when no GDAL raster format claims the file (Magmo's text layouts, which the XYZ text
// driver is kept away from). Throws SimError, with GDAL's own message, when a raster cannot be
// read: corrupt, not georeferenced, rotated, or larger than kMaxCells. A grid in degrees (or with
// no coordinate system but a cell size and place that can only be degrees) gets its cell size in
// metres at its middle latitude on its ellipsoid.
std::optional<TerrainGrid> readTerrainFile(const std::string& path);

// True when a GDAL raster format (not the XYZ text one) recognises the file or claims its
// extension: the file is for readTerrainFile, which then reads it or says why not.
bool isTerrainFile(const std::string& path);

// The file's bytes: GeoTIFF or ESRI ASCII grid, no data marked (a projection an ASCII grid
// keeps in its .prj beside is not among them). Throws SimError naming what.
std::string terrainFileBytes(const TerrainGrid& g, TerrainFormat format, const std::string& what);

// GeoTIFF or ESRI ASCII grid, no data marked, written beside the target and renamed into place
// so that a failed save keeps the old file. Throws SimError.
void writeTerrainFile(const std::string& path, const TerrainGrid& g, TerrainFormat format);

// The value written for cells without data.
constexpr double kNoDataValue = -32768;

}  // namespace magmo::gis
