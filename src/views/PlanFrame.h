#pragma once
// The visible part of the plan-view grid: the grid without a margin of four drawing steps on
// every side. Map and relief pictures share it, one pixel a grid cell.
#include "model/Model.h"

namespace magmo {

struct PlanFrame {
  int step;  // MapStep: 4 high, 6 normal, 8 low precision
  int left() const { return 4 * step; }
  int top() const { return 4 * step; }
  int width() const { return kColumns - 8 * step; }
  int height() const { return kMapRows - 8 * step; }
};

}  // namespace magmo
