#pragma once
// The profile view: the cross-section drawn onto the host's profile canvas.
#include <string>

namespace magmo {
struct Sim;

constexpr float kPlotWidth = 1280, kPlotHeight = 690;

void screenRefresh(Sim& sim, bool eraseSky);
// Pointer read-out text ("Vent 3: x = 2.46 km,  z = 1,250 m") for drawing coordinates X, Y;
// empty when pointer captions are off.
std::string plotPointerText(const Sim& sim, float X, float Y);

}  // namespace magmo
