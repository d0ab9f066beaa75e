#pragma once
// What reading a file brings into the window besides its data.
namespace magmo {
struct Sim;
struct Controls;

// The stored scale (4, 20, or 40/100 for large) selects the scale menu item and the default
// strength, and rescales gravity.
void applyStoredScale(Sim& sim, float stored);
// The demonstration files come with their map: map and 3-D vent positioning on.
void enableDemoMaps(Controls& ui);

}  // namespace magmo
