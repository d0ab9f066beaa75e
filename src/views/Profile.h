#pragma once
// The profile view: the cross-section drawn onto the host's profile canvas.
#include <string>

namespace magmo {
struct Sim;

constexpr float kPlotWidth = 1280, kPlotHeight = 690;

// The whole picture drawn anew: axis, strata, conduits, the vertical scale when on and the
// mark of a new vent; it becomes the persistent image the styles' drawing goes over.
void screenRefresh(Sim& sim);
// Pointer read-out text ("Vent 3: x = 2.46 km,  z = 1,250 m") for drawing coordinates X, Y;
// empty when pointer captions are off.
std::string plotPointerText(const Sim& sim, float X, float Y);

}  // namespace magmo
