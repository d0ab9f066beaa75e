#pragma once
// Steps the parameter panels share: the run buttons armed or disarmed, explanatory tooltips,
// locations typed in km.
#include <string>

namespace magmo {
struct Sim;
struct Controls;

// Explanatory tooltips exist only while pointer captions are on.
std::string tip(const Sim& sim, const char* text);
// A panel is open with values pending: neither Erupt nor Pause/Stop is available.
void disableRunButtons(Controls& ui);
// The values were accepted: Erupt becomes the default button.
void armRunButtons(Controls& ui);
// An edit in the tectonic panel: its OK is needed again before the run.
void disarmTectonic(Sim& sim);
// The tectonic panel as Parameters > Tectonic opens it.
void layOutTectonic(Sim& sim);

// Profile column of a distance typed in km (any text reads as some column; far values saturate).
int columnOfKm(const Sim& sim, double km);
std::string kmText(const Sim& sim, int column);  // "0.00"

}  // namespace magmo
