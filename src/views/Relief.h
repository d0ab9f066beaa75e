#pragma once
// The shaded-relief view: the plan-view grid lit from one of four sides with cast shadows and
// water below a base level, or coloured by height.
#include "model/Model.h"
#include "model/RgbImage.h"

namespace magmo {
struct Sim;

// The water colour of everything not above the base level.
constexpr Rgb kWater{0, 0, 80};

// The mean of the nine cells at x + {-R, 0, R} and y + {-R, 0, R}.
float meanElevation(const Section& s, int x, int y, int R);
// PicRGB: the colour of height v between lo and hi in colour scheme 1..3 (black for others).
Rgb picRgb(float v, float lo, float hi, int scheme);

struct ReliefInput {
  int mode;          // 1..4 lit from the top, bottom, left, right; 5 coloured by height
  int step;          // MapStep
  float baseLevel;   // plot units
  float contrast;    // limited to 0..5: 6 would divide by zero, more turn the shading over
  float maxZ;        // the highest mean elevation (colour mode's upper end)
};
// PlotTopoPlot: draws every sample as a step x step block centred on it into an image of the
// plan frame (PlanFrame) of that step.
RgbImage plotTopoPlot(const Section& s, const ReliefInput& in);

// PlotTopo: the whole render of the Map window's relief: reads the base level and contrast
// fields, finds the extremes, resets a base level above the highest mean elevation to half of
// it, draws into sim.pictures.topo, saves "MagmoTopo.bmp" (the previous one kept as
// "MagmoTopo-Undo.bmp") in the work folder and refreshes the 3-D export while the viewer runs.
// mode 1..5.
void plotTopo(Sim& sim, int mode);

}  // namespace magmo
