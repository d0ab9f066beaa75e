#pragma once
// The map view: every finished layer is spread from the profile into the plan-view grid around
// its vent, and the grid is drawn as a geological map of the units at the surface.
//
// A layer's footprint follows from its profile, its vent row LayerMapY and its four shape
// values alone, so a map rebuilt from a file or a replay equals the one drawn live:
// - its column range [a, b] holds every column where the layer has any thickness; the extents
//   are the distances from the vent to a and to b (negative when the vent lies outside);
// - a cell's distance r from the vent counts its row offset stretched by m / A, m being the mean
//   extent and A (LayerMapA) the footprint's half-width across the profile; B (-1..1) widens
//   the side of higher rows by B/2 and narrows the other, as wind spreads a fall or a surge;
//   C and D (-4..4) bend the left and the right lobe of a lava flow off the profile line by
//   C |dx| / 16 rows;
// - the cell takes the layer's profile at distance r on both sides of the vent, weighted by
//   c = cos(pi/2 t), t the cell's position between those two columns, so the profile line of
//   the map repeats the profile;
// - a cell lies in the footprint while r is within the extents, blended by the same weight;
//   outside it the map keeps what it had, and inside, the layer's colour marks where it has
//   thickness.
#include <string>

#include "model/RgbImage.h"

namespace magmo {
struct Sim;
struct Model;
struct Controls;

// MapOn beyond the eruption styles' codes 1..7.
constexpr int kMapNoVent = -1, kMapErosion = 8, kMapFault = 9;
constexpr int kMapProfileRow = 320;  // the map row the profile runs along

struct Footprint {
  int vent = 0, row = kMapProfileRow;  // the vent cell
  int a = 0, b = 0;                    // the column range
  float leftExtent = 0, rightExtent = 0;
};

// PlotMapInit: the layer's vent row (drawn when 3-D vent positioning is on and the layer has
// none yet), its footprint range and the shape values it still lacks.
Footprint plotMapInit(Sim& sim, int layer);
// PlotMapCrater: cuts the layer's crater, round, into the grid around the vent.
void plotMapCrater(Model& m, int layer, const Footprint& f);
// PlotMap's step 5: the layer spread into the grid under the map code MapOn, nothing drawn.
void spreadLayerOnMap(Sim& sim, int layer);

// The visible grid as the map picture: each unit in its colour, lit from the upper left; bare
// ground grey, and black where the grid holds nothing.
RgbImage renderMap(const Model& m);
// Draws sim.pictures.map and saves it as "MagmoMap.bmp" (the previous picture kept as
// "MagmoMap-Undo.bmp"), then enables the commands that need a map. Throws SimError.
void drawMap(Sim& sim);

// The commands that need a map: View > Map and Topography with their buttons, and the 3-D
// viewer's when the viewer is there.
void enableMapViews(Controls& ui, bool on);

// PlotMap: adds one layer to the map and redraws it; the relief and the 3-D export follow
// while they are shown. Errors are reported, never thrown.
void plotMap(Sim& sim, int layer);

// PlotMapCenter: the vent marker of the small map follows the current vent.
void plotMapCenter(Sim& sim);

}  // namespace magmo
