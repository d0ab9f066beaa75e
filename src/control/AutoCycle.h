#pragma once
// Automatic eruption cycles: one Erupt press builds a whole volcano, phase after phase.
#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;

// Runs cycles until the user stops or the strata table is full, then returns to idle.
void typeAuto(Sim& sim);

enum class VentMove { Normal = 0, ConeBuilding = 1 };
// The vent of the next automatic phase: a random step (now and then mirrored about the
// centre), or a small offset from the vent of the cone being built.
void ventAutoPos(Sim& sim, VentMove mode);

// The style that follows `previous` for the transition draw r in [0, 1) when the section
// holds `layerCount` layers.
Style nextAutoStyle(Style previous, int layerCount, double r);

// Ends a cone-building episode whose last layer has been reached and, for one draw in ten,
// begins a new one at the current vent. `coneEnd` is the run's end-of-episode layer count.
void updateConeBuilding(Sim& sim, int& coneEnd);

}  // namespace magmo
