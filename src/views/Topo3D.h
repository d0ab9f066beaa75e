#pragma once
// The 3-D export: the plan-view grid as a 180 x 90 grey height image for the 3-D viewer.
#include "model/Model.h"
#include "model/RgbImage.h"

namespace magmo {
struct Sim;

constexpr int kGrid3DWidth = 180, kGrid3DHeight = 90;

// The height image: 7 x 7 block means, grey against the highest minus the lowest mean, black
// at or below the base level (plot units) and at the lowest mean. A flat grid is all black.
RgbImage topo3DImage(const Section& s, float baseLevel);

// PlotTopo3D: "NewFile" = "False", the previous image kept as "Magmo3D-Undo.ebm", the new one
// written as "Magmo3D.ebm" in the work folder, and "NewFile" = "True" a second later.
void plotTopo3D(Sim& sim);

}  // namespace magmo
