#pragma once
// The Plinian phase with every column point drawn, also those far above the drawing that the
// everyday phase (typePlinian in Styles.h) skips: the reference that phase must match.
namespace magmo {
struct Sim;

void typePlinianDrawingEveryPoint(Sim& sim);

}  // namespace magmo
