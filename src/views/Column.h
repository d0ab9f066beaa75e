#pragma once
// The stratigraphic column: a vertically magnified slice of the strata, 33 columns wide, around
// one location of the profile, with the conduits that cross it and an elevation scale.
#include <string>

#include "model/Canvas.h"
#include "model/Model.h"

namespace magmo {

// The canvas the column is drawn on is kColumnCanvasWidth x kColumnCanvasHeight user units;
// the column's own drawing scale (50 wide, `bottom` high, y down) is stretched onto it.
constexpr float kColumnCanvasWidth = 50, kColumnCanvasHeight = 100;
// The slice's centre column stays within these, so the 33 columns never leave the profile.
constexpr int kColumnFirstCentre = 16, kColumnLastCentre = 1264;
// A slice without ground has no height to scale by: its frame is drawn on a fixed drawing scale
// this high, the lower fifth being the band below the base.
constexpr float kEmptyFrameHeight = 500;

struct ColumnScale {
  float mag = 10;        // StratMag: the vertical magnification, 10 or 100
  float labelBand = 0;   // StratLabelBand: the band below the column's base, drawing units
  float base = 0, bottom = 0;  // drawing units (for the empty frame, those of its fixed scale)
  bool empty = false;    // no ground in the slice: the fixed frame was drawn
};

// The profile columns the slice spans: the location's column clamped to 16..1264, +-16.
struct ColumnSlice {
  float left, right;
};
ColumnSlice columnSlice(float scale, float locKm);

// PlotStrat for the location locKm (km from the left edge) at scale metres per column.
ColumnScale plotStrat(const Section& s, float scale, float locKm, Canvas& canvas);

// The pointer read-out "x = 2.46 km:  y = 1,250 m" at canvas position (X, Y).
std::string stratPointerText(const ColumnScale& c, float scale, float locKm, float X, float Y);

}  // namespace magmo
