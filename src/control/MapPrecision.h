#pragma once
// Options > Map Precision: the sampling step of the plan-view grid.
namespace magmo {
struct Sim;

enum class MapPrecision { Low, Normal, High };

// As if the user chose the item: it alone is checked, panel 7 names it (while maps are on),
// MapStep follows.
void selectMapPrecision(Sim& sim, MapPrecision p);
// The precision items for a grid stored at the given step: High below 5, Low from 8,
// Normal in between. The step in force afterwards is the chosen item's.
void followStoredMapStep(Sim& sim, int step);

}  // namespace magmo
